// The ACT! link end to end under Wine: real COM across processes to the
// stand-in, real windows, real message boxes answered from a second thread.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <future>
#include <sstream>

#include "base/AppError.h"
#include "common/clACTApplication.h"
#include "driver/BoxDriver_win.h"
#include "platform/Automation_win.h"
#include "platform/WinPlatform_win.h"
#include "support/ActStandin_win.h"
#include "support/Process_win.h"

namespace {

using support::ChildProcess;

class ActStandinLink : public testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(support::ActStandin::Register()); }
    static void TearDownTestSuite() { support::ActStandin::Unregister(); }
    void TearDown() override {
        m_Link.reset();
        CloseAct();
    }

    void StartAct(const std::wstring& options = L"") { ASSERT_TRUE(m_Act.Start(options)); }
    void CloseAct() { m_Act.Close(); }

    clACTApplication& Link(clACTApplication::Build build = clACTApplication::Build::Standard) {
        m_Link = std::make_unique<clACTApplication>(
            clACTApplication::Services{m_Automation, m_Win.windows, m_Win.text, m_Win.messages, m_Locale}, build);
        return *m_Link;
    }

    std::string LogText() const { return m_Act.LogText(); }

    // Runs `operation` while a second thread answers this process's box with `button`.
    template <class Operation>
    driver::BoxInfo WithBoxAnswered(int button, Operation operation) {
        auto answerer = std::async(std::launch::async, [button] {
            driver::BoxInfo info;
            HWND box = driver::FindMessageBox(GetCurrentProcessId(), L"Rovandel2", 15000);
            if (box != nullptr) {
                info = driver::ReadMessageBox(box);
                driver::Press(box, button);
            }
            return info;
        });
        operation();
        return answerer.get();
    }

    platform::WinPlatform m_Win{"Rovandel2"};
    platform::WinAutomation m_Automation;
    platform::FixedLocale m_Locale{","};
    support::ActStandin m_Act;
    std::unique_ptr<clACTApplication> m_Link;
};

TEST_F(ActStandinLink, CurrentContactUserRecordAndGoingThereAndBackThroughRealCom) {
    StartAct();
    auto& a = Link(clACTApplication::Build::RoutePlanner);
    ASSERT_TRUE(a.ACTgestartet());
    EXPECT_EQ(a.ACTDatenbank(), "C:\\ACT\\Datenbank\\Demo-Datenbank.dbf");
    const std::string shown = a.AktuelleKontaktID();
    EXPECT_EQ(shown, "K00000000002");
    EXPECT_EQ(a.getFeldwert("Kontakt", 27), "Hauptstraße 12b");
    EXPECT_EQ(a.getFeldwert("Kontakt", 30), "Köln");

    const std::string user = a.getBenutzerID();
    EXPECT_EQ(user, "K00000000001");
    EXPECT_TRUE(a.gehezuKonatkt(user));
    EXPECT_EQ(a.getFeldwert("Kontakt", 30), "München");
    EXPECT_EQ(a.getFeldwert("Kontakt", 32), "80331");
    EXPECT_TRUE(a.gehezuKonatkt("K7"));  // stored by ACT! padded with blanks
    EXPECT_EQ(a.getFeldwert("contact", 30), "Lübeck");
    EXPECT_TRUE(a.gehezuKonatkt(shown));
    EXPECT_EQ(a.AktuelleKontaktID(), shown);
    EXPECT_EQ(a.aktuellerViewTyp(), 1);
    EXPECT_EQ(a.AktuelleFeldID(), 27);
    EXPECT_EQ(a.ACTVersion(), "3.0.8");

    const std::string log = LogText();
    EXPECT_NE(log.find("Views.Create(VT_I2:1, VT_I2:2)"), std::string::npos);
    EXPECT_NE(log.find("ContactView.GoTo(VT_BSTR:\"          K7\")"), std::string::npos);
    EXPECT_NE(log.find("ContactView.GetField(VT_I4:30)"), std::string::npos);
    EXPECT_NE(log.find("ContactView.LookupAll()"), std::string::npos);  // spelt "lookupall" by the route planner
    EXPECT_NE(log.find("Application.GetVersion(VT_I2:1)"), std::string::npos);
}

TEST_F(ActStandinLink, FieldsWithUmlautsGroupLookupsAndContactLookupsRoundTrip) {
    StartAct();
    auto& a = Link();
    EXPECT_TRUE(a.setFeldwert("Kontakt", 27, "Große Bleichen 3c"));
    EXPECT_EQ(a.getFeldwert("Kontakt", 27), "Große Bleichen 3c");

    EXPECT_TRUE(a.GroupExist("Kunden Süd"));
    EXPECT_FALSE(a.GroupExist("kunden süd"));
    EXPECT_TRUE(a.ShowGroupByName("Lieferanten", 0));
    EXPECT_EQ(a.AktuelleGruppenID(), "G00000000002");
    EXPECT_EQ(a.getFeldwert("Gruppe", 25), "Lieferanten");
    EXPECT_FALSE(a.ShowGroupByName("Gibt es nicht", 0));
    EXPECT_TRUE(a.ShowGroupByUniqueID("G3", true));
    EXPECT_EQ(a.getFeldwert("groups", 25), "Weihnachtskarten");

    EXPECT_TRUE(a.bildeKontaktSuche("K00000000003K00000000004"));
    std::vector<std::string> progress;
    EXPECT_EQ(a.getIDsAktuelleSuche([&](const std::string& t) { progress.push_back(t); }), "K00000000003K00000000004");
    EXPECT_EQ(progress.back(), "Bestimme aktuelle ACT!-Suche (100,00)");
    EXPECT_EQ(a.getFeldwert("Kontakt", 33), "Schweiz");  // MoveNext stood on the last one
}

TEST_F(ActStandinLink, TheRetryQuestionIsAnsweredFromOutsideAndTheViewThenComes) {
    StartAct(L"--no-view 1");
    auto& a = Link();
    std::string id;
    const driver::BoxInfo box = WithBoxAnswered(IDYES, [&] { id = a.AktuelleKontaktID(); });
    EXPECT_EQ(box.text,
              L"Eine OLE-Verbindung zu Act! ist nicht m\u00F6glich.\r\nBitte schlie\u00DFen Sie alle "
              L"ge\u00F6ffneten Hinweisfenster in ACT!\r\nWeiter versuchen ?");
    EXPECT_EQ(box.icon, "exclamation");
    EXPECT_EQ(box.buttons, (std::vector<int>{IDYES, IDNO}));
    EXPECT_EQ(id, "K00000000002");
}

TEST_F(ActStandinLink, CloseDatenbankAnswered7ShowsActsNumberAndKeepsTheDatabase) {
    StartAct(L"--closedb 7");
    auto& a = Link();
    bool closed = true;
    const driver::BoxInfo box = WithBoxAnswered(IDOK, [&] { closed = a.CloseDatenbank(); });
    EXPECT_FALSE(closed);
    EXPECT_EQ(box.text,
              L"Fehler in Klasse ACTApplication - CloseDB\r\nACT!-Fehlernummer:7\r\n"
              L"Die Datenbank konnte nicht geschlossen werden.");
    EXPECT_NE(a.ACTDatenbank(), "");
}

TEST_F(ActStandinLink, AServerErrorArrivesWithItsNumberAndDescription) {
    StartAct(L"--fail GetUserId");
    auto& a = Link();
    try {
        a.getBenutzerID();
        FAIL() << "no error";
    } catch (const AppError& e) {
        EXPECT_EQ(static_cast<std::uint32_t>(e.number()), 0x80040201u);
        EXPECT_EQ(e.description(), "ACT!-Stellvertreter: simulierter Fehler in GetUserId");
    }
    EXPECT_EQ(a.ACTDatenbank(), "C:\\ACT\\Datenbank\\Demo-Datenbank.dbf");  // the next operation starts afresh
}

TEST_F(ActStandinLink, WithoutDatabaseTheRoutePlannersStartTestSeesAnEmptyName) {
    StartAct(L"--no-database");
    auto& a = Link(clACTApplication::Build::RoutePlanner);
    EXPECT_TRUE(a.ACTgestartet());
    EXPECT_EQ(a.ACTDatenbank(), "");
}

TEST_F(ActStandinLink, TheStandinClosedBetweenTwoOperationsOrVanishingInACall) {
    StartAct();
    auto& a = Link(clACTApplication::Build::RoutePlanner);
    EXPECT_EQ(a.getFeldwert("Kontakt", 30), "Köln");  // the route planner's build keeps these references
    CloseAct();
    EXPECT_FALSE(a.ACTgestartet());
    EXPECT_EQ(a.getFeldwert("Kontakt", 30), "");
    EXPECT_EQ(a.AktuelleKontaktID(), "");

    StartAct(L"--vanish-on GetField");
    auto& b = Link();
    EXPECT_THROW(b.getFeldwert("Kontakt", 30), AppError);
}

}  // namespace

namespace {

HWND ActWindowOfAnyProcess(DWORD timeoutMs) { return support::WaitForWindow(L"ACT3.0FrameClass", 0, timeoutMs); }

// As ACT! is when a program asks for its object before anyone started it:
// COM starts the registered server itself, and it ends once nobody holds it.
TEST(ActStandinByCom, StartedByComItAnswersAndEndsWhenNoLongerHeld) {
    ASSERT_EQ(ChildProcess::Start(support::ProgramFolder() + L"actstandin.exe", L"--register").WaitForExit(20000),
              std::optional<DWORD>(0));
    ASSERT_EQ(ActWindowOfAnyProcess(0), nullptr);
    {
        platform::WinAutomation automation;
        platform::AutoObjectPtr act = automation.Create("ACTOLE.APPOBJECT");
        ASSERT_NE(act, nullptr);
        EXPECT_EQ(platform::AsText(act->Call("GetOpenDBName")), "C:\\ACT\\Datenbank\\Demo-Datenbank.dbf");
        EXPECT_NE(ActWindowOfAnyProcess(5000), nullptr);
    }
    const ULONGLONG deadline = GetTickCount64() + 20000;
    while (ActWindowOfAnyProcess(0) != nullptr && GetTickCount64() < deadline) Sleep(100);
    EXPECT_EQ(ActWindowOfAnyProcess(0), nullptr) << "the server started by COM should end when idle";
    ChildProcess::Start(support::ProgramFolder() + L"actstandin.exe", L"--unregister").WaitForExit(20000);
}

}  // namespace
