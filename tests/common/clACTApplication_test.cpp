// The ACT! link against a scripted automation object: which calls reach ACT!,
// in which order, with which argument types, and what the callers get back.
#include "common/clACTApplication.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <utility>

#include "common/ActScript.h"
#include "base/AppError.h"
#include "common/clACTApplicationText.h"

using platform::AutoValue;
using platform::MsgAnswer;
using platform::MsgIcon;

namespace {

const std::string kCreate = "Create(ACTOLE.APPOBJECT)";
const char* const kRetry =
    "Eine OLE-Verbindung zu Act! ist nicht möglich.\r\nBitte schließen Sie alle geöffneten Hinweisfenster in "
    "ACT!\r\nWeiter versuchen ?";

TEST_F(ActLinkTest, WithoutActNothingIsCreatedNoBoxIsShownAndEveryOperationGivesItsNeutralResult) {
    sub.windows.Destroy(actWindow);
    auto& a = Link();
    EXPECT_FALSE(a.ACTgestartet());
    EXPECT_EQ(a.ACTDatenbank(), "");
    EXPECT_EQ(a.AktuelleKontaktID(), "");
    EXPECT_EQ(a.AktuelleGruppenID(), "");
    EXPECT_EQ(a.AktuelleFeldID(), 0);
    EXPECT_EQ(a.aktuellerViewTyp(), -1);
    EXPECT_EQ(a.getFeldwert("Kontakt", 27), "");
    EXPECT_EQ(a.getBenutzerID(), "");
    EXPECT_EQ(a.ACTVersion(), "");
    EXPECT_EQ(a.AktuellerBenutzerName(), "");
    EXPECT_EQ(a.getIDsAktuelleSuche([](const std::string&) { FAIL(); }), "");
    EXPECT_FALSE(a.setFeldwert("Kontakt", 27, "x"));
    EXPECT_FALSE(a.bildeKontaktSuche("ABC"));
    EXPECT_FALSE(a.neuerKontakt());
    EXPECT_FALSE(a.gehezuKonatkt("ABC"));
    EXPECT_FALSE(a.ordneKonatktzuGruppe("ABC"));
    EXPECT_FALSE(a.GroupExist("Kunden"));
    EXPECT_FALSE(a.ShowGroupByName("Kunden", 0));
    EXPECT_FALSE(a.ShowGroupByUniqueID("G1", true));
    EXPECT_FALSE(a.DeleteCurrentGroup());
    EXPECT_FALSE(a.AddGroup("Neu"));
    EXPECT_FALSE(a.AddGroupMember("K1"));
    EXPECT_FALSE(a.ShowGroupRegister("Notizen"));
    EXPECT_FALSE(a.CloseDatenbank());
    a.OpenDatenbank("C:\\db.dbf");
    a.Zeigen();
    EXPECT_TRUE(act.Calls().empty());
    EXPECT_EQ(act.Created(), 0);
    EXPECT_TRUE(sub.messages.Shown().empty());
}

struct OperationCase {
    const char* name;
    std::function<void(clACTApplication&, platform::ScriptedAutomation&)> run;
    std::vector<std::string> calls;  // after Create
};

TEST_F(ActLinkTest, EveryOperationMakesItsCallsInOrderWithItsArgumentTypesAndDropsEverything) {
    using A = clACTApplication;
    using S = platform::ScriptedAutomation;
    const std::vector<OperationCase> cases = {
        {"ACTDatenbank", [](A& a, S&) { EXPECT_EQ(a.ACTDatenbank(), "C:\\ACT\\Demo.dbf"); }, {"app.GetOpenDBName()"}},
        {"AktuelleKontaktID",
         [](A& a, S&) { EXPECT_EQ(a.AktuelleKontaktID(), "K00000000001"); },
         {"app.Views", "views.Create(i2:1, i2:2)", "contact.GetCurrentID()"}},
        {"AktuelleGruppenID",
         [](A& a, S&) { EXPECT_EQ(a.AktuelleGruppenID(), "G00000000001"); },
         {"app.Views", "views.Create(i2:3, i2:2)", "group.GetCurrentID()"}},
        {"AktuelleFeldID",
         [](A& a, S&) { EXPECT_EQ(a.AktuelleFeldID(), 27); },
         {"app.Views", "views.GetActive()", "active.CurrentFieldId"}},
        {"aktuellerViewTyp",
         [](A& a, S&) { EXPECT_EQ(a.aktuellerViewTyp(), 1); },
         {"app.Views", "views.GetActive()", "active.Type"}},
        {"setFeldwert",
         [](A& a, S&) { EXPECT_TRUE(a.setFeldwert("Gruppe", 25, "Süd")); },
         {"app.Views", "views.Create(i2:3, i2:2)", "group.SetField(i4:25, s\"Süd\")"}},
        {"getFeldwert",
         [](A& a, S&) { EXPECT_EQ(a.getFeldwert("contact", 30), "München"); },
         {"app.Views", "views.Create(i2:1, i2:2)", "contact.GetField(i4:30)"}},
        {"getBenutzerID", [](A& a, S&) { EXPECT_EQ(a.getBenutzerID(), "K00000000009"); }, {"app.GetUserId()"}},
        {"AktuellerBenutzerName",
         [](A& a, S&) { EXPECT_EQ(a.AktuellerBenutzerName(), "Hans"); },
         {"app.GetCurrentUserName()"}},
        {"ACTVersion", [](A& a, S&) { EXPECT_EQ(a.ACTVersion(), "3.0"); }, {"app.GetVersion(i2:1)"}},
        {"bildeKontaktSuche",
         [](A& a, S&) { EXPECT_TRUE(a.bildeKontaktSuche("AAAAAAAAAAAABBBBBBBBBBBB")); },
         {"app.Views", "views.Create(i2:1, i2:2)", "contact.LookupAll()",
          "contact.CreateLookup(s\"AAAAAAAAAAAABBBBBBBBBBBB\")"}},
        {"neuerKontakt",
         [](A& a, S&) { EXPECT_TRUE(a.neuerKontakt()); },
         {"app.Views", "views.Create(i2:1, i2:2)", "contact.AddNewContact()"}},
        {"gehezuKonatkt",
         [](A& a, S&) { EXPECT_TRUE(a.gehezuKonatkt("K12")); },
         {"app.Views", "views.Create(i2:1, i2:2)", "contact.LookupAll()", "contact.GoTo(s\"         K12\")"}},
        {"ordneKonatktzuGruppe",
         [](A& a, S&) { EXPECT_TRUE(a.ordneKonatktzuGruppe("G00000000001")); },
         {"app.Views", "views.Create(i2:1, i2:2)", "contact.AddContactToGroup(s\"G00000000001\")"}},
        {"ShowGroupByName",
         [](A& a, S&) { EXPECT_TRUE(a.ShowGroupByName("Kunden", 4)); },
         {"app.Views", "views.Create(i2:3, i2:2)", "group.LookupFieldEx(i2:25, s\"Kunden\", i4:4)"}},
        {"ShowGroupByUniqueID with lookup",
         [](A& a, S&) { EXPECT_TRUE(a.ShowGroupByUniqueID("G1", true)); },
         {"app.Views", "views.Create(i2:3, i2:2)", "group.LookupAll()", "group.GoTo(s\"          G1\")"}},
        {"ShowGroupByUniqueID without",
         [](A& a, S&) { EXPECT_TRUE(a.ShowGroupByUniqueID("G1", false)); },
         {"app.Views", "views.Create(i2:3, i2:2)", "group.GoTo(s\"          G1\")"}},
        {"DeleteCurrentGroup",
         [](A& a, S&) { EXPECT_TRUE(a.DeleteCurrentGroup()); },
         {"app.Views", "views.Create(i2:3, i2:2)", "group.DeleteGroupFast()"}},
        {"AddGroup",
         [](A& a, S&) { EXPECT_TRUE(a.AddGroup("Neu")); },
         {"app.Views", "views.Create(i2:3, i2:2)", "group.AddNew()", "group.SetField(i2:25, s\"Neu\")"}},
        {"AddGroupMember",
         [](A& a, S&) { EXPECT_TRUE(a.AddGroupMember("K1")); },
         {"app.Views", "views.Create(i2:3, i2:2)", "group.AddMemberToGroup(s\"          K1\")"}},
        {"ShowGroupRegister",
         [](A& a, S&) { EXPECT_TRUE(a.ShowGroupRegister("Notizen")); },
         {"app.Views", "views.Create(i2:3, i2:2)", "group.SetActiveTab(s\"Notizen\")"}},
        {"OpenDatenbank", [](A& a, S&) { a.OpenDatenbank("C:\\db.dbf"); }, {"app.OpenDB(s\"C:\\db.dbf\")"}},
        {"CloseDatenbank", [](A& a, S&) { EXPECT_TRUE(a.CloseDatenbank()); }, {"app.CloseDB()"}},
        {"Zeigen", [](A& a, S&) { a.Zeigen(); }, {"app.Show(b:true)"}},
    };
    act.Answer("app", "GetOpenDBName", std::string("C:\\ACT\\Demo.dbf"));
    act.Answer("app", "GetUserId", std::string("K00000000009"));
    act.Answer("app", "GetCurrentUserName", std::string("Hans"));
    act.Answer("app", "GetVersion", std::string("3.0"));
    act.Answer("contact", "GetCurrentID", std::string("K00000000001"));
    act.Answer("group", "GetCurrentID", std::string("G00000000001"));
    act.Answer("active", "CurrentFieldId", std::int32_t{27});
    act.Answer("active", "Type", std::int16_t{1});
    act.Answer("contact", "GetField", std::string("München"));
    act.Answer("app", "CloseDB", std::int32_t{0});  // the group calls answer empty, which counts as 0
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        act.ClearLog();
        auto& a = Link();
        c.run(a, act);
        std::vector<std::string> expected{kCreate};
        expected.insert(expected.end(), c.calls.begin(), c.calls.end());
        EXPECT_EQ(act.CallStrings(), expected);
        EXPECT_EQ(act.LiveReferences(), 0);
        EXPECT_TRUE(sub.messages.Shown().empty());
    }
}

TEST_F(ActLinkTest, ReferencesAreDroppedContactViewGroupViewViewsApplicationActiveView) {
    auto& a = Link();
    act.AnswerWith("contact", "GetField", [&](const std::vector<AutoValue>&) {
        // getFeldwert only takes the contact view; drop order shows over a step that holds all.
        return AutoValue(std::string("x"));
    });
    EXPECT_EQ(a.getFeldwert("Kontakt", 1), "x");
    EXPECT_EQ(act.Released(), (Strings{"contact", "views", "app"}));
    act.ClearLog();
    EXPECT_EQ(a.aktuellerViewTyp(), 0);
    EXPECT_EQ(act.Released(), (Strings{"views", "app", "active"}));
}

TEST_F(ActLinkTest, IdentifiersArePaddedToTwelveAndLongerOnesAreRefusedBeforeActIsTouched) {
    EXPECT_EQ(clACTApplication::PadIdentifier("abc"), "         abc");
    EXPECT_EQ(clACTApplication::PadIdentifier("ABCDEFGHIJKL"), "ABCDEFGHIJKL");
    EXPECT_EQ(clACTApplication::PadIdentifier(""), std::string(12, ' '));
    EXPECT_EQ(clACTApplication::PadIdentifier("Ä1"), "          Ä1");  // counted in characters
    auto& a = Link();
    try {
        a.gehezuKonatkt("ABCDEFGHIJKLM");
        FAIL() << "no error";
    } catch (const AppError& e) {
        EXPECT_EQ(e.number(), 5);
    }
    EXPECT_THROW(a.AddGroupMember(std::string(13, 'x')), AppError);
    EXPECT_TRUE(act.Calls().empty());
    EXPECT_TRUE(a.ordneKonatktzuGruppe("ABCDEFGHIJKL"));
    EXPECT_EQ(act.CallStrings().back(), "contact.AddContactToGroup(s\"ABCDEFGHIJKL\")");
}

TEST_F(ActLinkTest, FieldTypeWordsChooseTheViewAndAnUnknownWordWarnsAndUsesContacts) {
    auto& a = Link();
    act.Answer("contact", "GetField", std::string("K"));
    act.Answer("group", "GetField", std::string("G"));
    EXPECT_EQ(a.getFeldwert("Kontakt", 1), "K");
    EXPECT_EQ(a.getFeldwert("CONTACT", 1), "K");
    EXPECT_EQ(a.getFeldwert("Gruppen", 1), "G");
    EXPECT_EQ(a.getFeldwert("groups", 1), "G");
    EXPECT_EQ(a.getFeldwert("GRUPPE", 1), "G");
    EXPECT_TRUE(sub.messages.Shown().empty());

    EXPECT_EQ(a.getFeldwert(" kontakt", 1), "K");
    EXPECT_TRUE(a.setFeldwert("Firma", 2, "v"));
    ASSERT_EQ(sub.messages.Shown().size(), 2u);
    const auto& box = sub.messages.Shown()[0];
    EXPECT_EQ(box.text, "Falsche Feldtyp-Bezeichnung ( kontakt). Es wird Kontakt benutzt.");
    EXPECT_EQ(box.icon, MsgIcon::Exclamation);
    EXPECT_EQ(box.buttons, platform::MsgButtons::Ok);
    EXPECT_EQ(box.title, "Rovandel2");
    EXPECT_EQ(sub.messages.Shown()[1].text, "Falsche Feldtyp-Bezeichnung (Firma). Es wird Kontakt benutzt.");
    EXPECT_EQ(act.MemberCalls().back(), "contact.SetField(i4:2, s\"v\")");
}

TEST_F(ActLinkTest, WithoutAViewTheRetryQuestionRepeatsUntilNoAndThenNothingIsHeld) {
    act.Answer("views", "Create", AutoValue(platform::AutoObjectPtr()));
    sub.messages.QueueAnswer(MsgAnswer::Yes);
    sub.messages.QueueAnswer(MsgAnswer::Yes);
    sub.messages.QueueAnswer(MsgAnswer::No);
    auto& a = Link();
    // The fixture's view answers the first request, Nothing every one after it.
    EXPECT_EQ(a.AktuelleKontaktID(), "");
    EXPECT_TRUE(sub.messages.Shown().empty());
    act.ClearLog();
    EXPECT_EQ(a.AktuelleKontaktID(), "");
    EXPECT_EQ(act.MemberCalls(), (Strings{"app.Views", "views.Create(i2:1, i2:2)", "views.Create(i2:1, i2:2)",
                                          "views.Create(i2:1, i2:2)"}));
    EXPECT_EQ(BoxTexts(), (Strings{kRetry, kRetry, kRetry}));
    EXPECT_EQ(sub.messages.Shown()[0].buttons, platform::MsgButtons::YesNo);
    EXPECT_EQ(sub.messages.Shown()[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(act.LiveReferences(), 0);
}

TEST_F(ActLinkTest, AViewThatComesAfterYesIsUsedAndWithoutViewsCollectionTheConnectionIsRefused) {
    act.Answer("views", "GetActive", AutoValue(platform::AutoObjectPtr()));
    act.AnswerObject("views", "GetActive", "active");
    act.Answer("active", "Type", std::int32_t{3});
    auto& a = Link();
    EXPECT_EQ(a.aktuellerViewTyp(), 3);  // the fixture's view
    act.ClearLog();
    EXPECT_EQ(a.aktuellerViewTyp(), 3);  // Nothing, Yes (the scripted default), then a view
    EXPECT_EQ(act.MemberCalls(), (Strings{"app.Views", "views.GetActive()", "views.GetActive()", "active.Type"}));
    EXPECT_EQ(BoxTexts(), Strings{kRetry});
    sub.messages.Clear();

    platform::ScriptedAutomation bare;
    bare.Answer("app", "Views", AutoValue());
    clACTApplication b({bare, sub.windows, sub.text, sub.messages, locale});
    EXPECT_EQ(b.AktuelleKontaktID(), "");
    EXPECT_EQ(BoxTexts(), Strings{"OLE-Verbindung zu ACT! ist nicht möglich.(View)"});
    EXPECT_EQ(bare.MemberCalls(), Strings{"app.Views"});
    EXPECT_EQ(bare.LiveReferences(), 0);
}

TEST_F(ActLinkTest, LookupIdsAreJoinedAndProgressIsWrittenWithTheUsersDecimalSeparator) {
    int n = 0;
    act.Answer("contact", "GetCount", std::int32_t{3});
    act.AnswerWith("contact", "GetField", [&](const std::vector<AutoValue>&) {
        return AutoValue(std::string("ID") + std::to_string(++n) + std::string(9, '_'));
    });
    std::vector<std::string> progress;
    auto& a = Link();
    EXPECT_EQ(a.getIDsAktuelleSuche([&](const std::string& t) { progress.push_back(t); }),
              "ID1_________ID2_________ID3_________");
    EXPECT_EQ(progress, (Strings{"Bestimme aktuelle ACT!-Suche (33,33)", "Bestimme aktuelle ACT!-Suche (66,67)",
                                 "Bestimme aktuelle ACT!-Suche (100,00)"}));
    EXPECT_EQ(act.MemberCalls(),
              (Strings{"app.Views", "views.Create(i2:1, i2:2)", "contact.MoveFirst()", "contact.GetCount()",
                       "contact.GetField(i2:1)", "contact.MoveNext()", "contact.GetField(i2:1)", "contact.MoveNext()",
                       "contact.GetField(i2:1)", "contact.MoveNext()"}));
    // Three yields per record, beside the connection's own.
    EXPECT_EQ(std::count_if(sub.windows.Calls().begin(), sub.windows.Calls().end(),
                            [](const auto& c) { return c.op == platform::MemoryWindowSystem::Op::DoEvents; }),
              1 + 2 + 1 + 9);

    act.Answer("contact", "GetCount", std::int32_t{0});
    act.ClearLog();
    progress.clear();
    EXPECT_EQ(a.getIDsAktuelleSuche([&](const std::string& t) { progress.push_back(t); }), "");
    EXPECT_TRUE(progress.empty());
    EXPECT_EQ(act.MemberCalls().back(), "contact.GetCount()");
}

TEST(ActLinkText, ProgressRoundsHalfUpWithTwoDecimals) {
    using clACTApplicationText::LookupProgress;
    EXPECT_EQ(LookupProgress(1, 3, "."), "Bestimme aktuelle ACT!-Suche (33.33)");
    EXPECT_EQ(LookupProgress(1, 8, "."), "Bestimme aktuelle ACT!-Suche (12.50)");
    EXPECT_EQ(LookupProgress(1, 200, ","), "Bestimme aktuelle ACT!-Suche (0,50)");
    EXPECT_EQ(LookupProgress(1, 30000, ","), "Bestimme aktuelle ACT!-Suche (0,00)");
    EXPECT_EQ(LookupProgress(2147483647, 2147483647, ","), "Bestimme aktuelle ACT!-Suche (100,00)");
}

TEST_F(ActLinkTest, GroupOperationsCountOnlyZeroAsSuccess) {
    auto& a = Link();
    const std::vector<std::string> names = {"Kunden", "Lieferanten"};
    std::size_t at = 0;
    act.Answer("group", "GetCount", std::int32_t{2});
    act.AnswerWith("group", "MoveFirst", [&](const std::vector<AutoValue>&) {
        at = 0;
        return AutoValue();
    });
    act.AnswerWith("group", "MoveNext", [&](const std::vector<AutoValue>&) {
        ++at;
        return AutoValue();
    });
    act.AnswerWith("group", "GetField", [&](const std::vector<AutoValue>&) { return AutoValue(names.at(at)); });
    EXPECT_TRUE(a.GroupExist("Lieferanten"));
    EXPECT_EQ(act.MemberCalls(),
              (Strings{"app.Views", "views.Create(i2:3, i2:2)", "group.LookupAll()", "group.MoveFirst()",
                       "group.GetCount()", "group.GetField(i2:25)", "group.MoveNext()", "group.GetField(i2:25)"}));
    EXPECT_FALSE(a.GroupExist("kunden"));
    EXPECT_FALSE(a.GroupExist("Kunden "));

    act.ClearLog();
    act.Answer("group", "AddNew", std::int32_t{1});
    EXPECT_FALSE(a.AddGroup("Neu"));
    EXPECT_EQ(act.MemberCalls().back(), "group.AddNew()");
    act.Answer("group", "AddNew", std::int32_t{0});
    act.Answer("group", "SetField", std::int16_t{2});
    EXPECT_FALSE(a.AddGroup("Neu"));
    act.Answer("group", "GoTo", std::string("0"));
    EXPECT_TRUE(a.ShowGroupByUniqueID("G1", false));
    act.Answer("group", "DeleteGroupFast", std::int32_t{-1});
    EXPECT_FALSE(a.DeleteCurrentGroup());
    EXPECT_TRUE(sub.messages.Shown().empty());
}

TEST_F(ActLinkTest, CloseDatenbankReportsActsNumberWithoutABlank) {
    act.Answer("app", "CloseDB", std::int16_t{7});
    auto& a = Link();
    EXPECT_FALSE(a.CloseDatenbank());
    ASSERT_EQ(sub.messages.Shown().size(), 1u);
    EXPECT_EQ(sub.messages.Shown()[0].text,
              "Fehler in Klasse ACTApplication - CloseDB\r\nACT!-Fehlernummer:7\r\n"
              "Die Datenbank konnte nicht geschlossen werden.");
    EXPECT_EQ(sub.messages.Shown()[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(sub.messages.Shown()[0].title, "Rovandel2");
    EXPECT_EQ(act.LiveReferences(), 0);
}

TEST_F(ActLinkTest, ZeigenBringsKundenmanagerForwardWhenNoWindowIsTitledAct) {
    sub.windows.Destroy(actWindow);
    sub.windows.Add("ACT3.0FrameClass", "Kundenmanager - Demo");
    auto& a = Link();
    a.Zeigen();
    std::vector<std::string> activated;
    for (const auto& c : sub.windows.Calls()) {
        if (c.op == platform::MemoryWindowSystem::Op::ActivateByTitle) activated.push_back(c.text);
    }
    EXPECT_EQ(activated, (Strings{"ACT!", "Kundenmanager"}));
    EXPECT_NE(sub.windows.Foreground(), 0u);
    EXPECT_TRUE(sub.messages.Shown().empty());

    act.Fail("app", "Show", AppError(-2147023174, "RPC-Server nicht verfügbar"));
    EXPECT_THROW(a.Zeigen(), AppError);
    EXPECT_EQ(act.LiveReferences(), 0);
}

TEST_F(ActLinkTest, AnAutomationErrorReachesTheCallerUnchangedAndNoReferenceStaysHeld) {
    act.Fail("contact", "GetField", AppError(-2147023170, "Der Remoteprozeduraufruf ist fehlgeschlagen."));
    auto& a = Link(Build::RoutePlanner);
    try {
        a.getFeldwert("Kontakt", 27);
        FAIL() << "no error";
    } catch (const AppError& e) {
        EXPECT_EQ(e.number(), -2147023170);
        EXPECT_EQ(e.description(), "Der Remoteprozeduraufruf ist fehlgeschlagen.");
    }
    EXPECT_EQ(act.LiveReferences(), 0);

    act.CreateFails(AppError(-2147221005, "Ungültige Klassenzeichenfolge"));
    EXPECT_THROW(a.ACTDatenbank(), AppError);
}

TEST_F(ActLinkTest, ASecondCallDuringAYieldOrABoxIsRefusedAndTheFirstCompletes) {
    auto& a = Link();
    act.Answer("contact", "GetCurrentID", std::string("K00000000001"));
    act.Answer("contact", "GetField", std::string("Berlin"));
    std::vector<std::string> inner;
    bool once = true;
    sub.windows.onDoEvents = [&] {
        if (!std::exchange(once, false)) return;
        inner.push_back(a.AktuelleKontaktID());
        inner.push_back(a.ACTgestartet() ? "läuft" : "nicht");
    };
    EXPECT_EQ(a.getFeldwert("Kontakt", 30), "Berlin");
    EXPECT_EQ(inner, (Strings{"", "läuft"}));
    EXPECT_EQ(act.Created(), 1);
    EXPECT_EQ(act.LiveReferences(), 0);

    sub.messages.onShow = [&](const platform::MessageBoxRequest&) { EXPECT_FALSE(a.CloseDatenbank()); };
    EXPECT_EQ(a.getFeldwert("Adresse", 30), "Berlin");
    EXPECT_EQ(act.Created(), 2);
    EXPECT_EQ(act.MemberCalls().back(), "contact.GetField(i4:30)");
}

TEST_F(ActLinkTest, TheRoutePlannersBuildKeepsItsFieldReferencesAndReportsGroupViewErrors) {
    auto& a = Link(Build::RoutePlanner);
    act.Answer("contact", "GetField", std::string("Wien"));
    EXPECT_EQ(a.getFeldwert("Kontakt", 30), "Wien");
    EXPECT_EQ(act.LiveReferences(), 3);  // application, views, contact view
    EXPECT_TRUE(a.ACTgestartet());
    EXPECT_EQ(act.LiveReferences(), 3);
    EXPECT_TRUE(a.bildeKontaktSuche("AAAAAAAAAAAA"));
    EXPECT_EQ(act.LiveReferences(), 0);
    EXPECT_EQ(act.MemberCalls().back(), "contact.createlookup(s\"AAAAAAAAAAAA\")");
    EXPECT_TRUE(a.gehezuKonatkt("K1"));
    EXPECT_EQ(act.MemberCalls().back(), "contact.GoTo(s\"          K1\")");
    EXPECT_EQ(act.MemberCalls()[act.MemberCalls().size() - 2], "contact.lookupall()");

    act.Answer("group", "LookupFieldEx", std::int32_t{1});
    act.Answer("group", "getlasterror", std::int32_t{1101});
    EXPECT_FALSE(a.zeigeGruppe("Kunden", 0));
    act.Answer("group", "GoTo", std::int32_t{1});
    act.Answer("group", "getlasterror", std::int32_t{-3});
    EXPECT_FALSE(a.gehezuGruppe("G1", true));
    EXPECT_EQ(BoxTexts(),
              (Strings{"OLE-Fehler: # 1101 vom GroupView-Objekt.", "OLE-Fehler: #-3 vom GroupView-Objekt."}));
    act.Answer("group", "GoTo", std::int32_t{0});
    EXPECT_TRUE(a.gehezuGruppe("G1", false));
    EXPECT_EQ(sub.messages.Shown().size(), 2u);

    try {
        a.GroupExist("Kunden");
        FAIL() << "no error";
    } catch (const AppError& e) {
        EXPECT_EQ(e.number(), 438);
    }
    EXPECT_THROW(Link().zeigeGruppe("Kunden", 0), AppError);
}

}  // namespace
