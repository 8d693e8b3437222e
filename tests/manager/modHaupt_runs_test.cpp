// The install and removal runs over the substitutes: what they write, what
// they ask and say, and how they end.
#include <gtest/gtest.h>

#include "commands/CommandData.h"
#include "commands/clCustomTessivar.h"
#include "manager/modHaupt.h"
#include "platform/SubstitutePlatform.h"

namespace td = testdata;
using modHaupt::RunOutcome;
using platform::kHKeyCurrentUser;

namespace {

const std::string kCommands(actregistry::kCustomCommands);
const std::string kFolder = "C:\\Programme\\ACT Zusätze";

class RecordingWindow : public IProgressWindow {
public:
    void Show(std::string_view info) override { captions.push_back("show: " + std::string(info)); }
    void SetInfo(std::string_view info) override { captions.push_back(std::string(info)); }
    std::vector<std::string> captions;
};

class Runs : public testing::Test {
protected:
    void SetUp() override {
        td::SeedTable(sub.registry, {{30101, "Adressen"}, {30102, "Serienbrief"}});
        Toolbar(0, "Kontaktsymbolleiste", td::Entries({57600, 0, 30101}));
        Toolbar(1, "Gruppensymbolleiste", td::Entries({57600}));
        sub.registry.PutDword(kHKeyCurrentUser, std::string(actregistry::kToolbarSummary), "Bars", 2);
        AddonFile("Route", "Route");
    }

    void Toolbar(int n, const std::string& name, const ByteArray& buttons) {
        const std::string key = actregistry::ToolbarKey(n);
        sub.registry.PutDword(kHKeyCurrentUser, key, "TypeID", 1);
        sub.registry.Put(kHKeyCurrentUser, key, "Buttons", platform::kRegBinary, buttons);
        sub.registry.PutText(kHKeyCurrentUser, key, "WindowName", name);
    }
    void AddonFile(const std::string& addon, const std::string& cpCommandName) {
        sub.files.Put(kFolder + "\\" + addon + ".cmd",
                      td::CommandFile(td::Record(4711, cpCommandName, "D:\\alt\\x.exe"), td::Image(24, 24, 3),
                                      td::Image(16, 16, 3)));
    }
    ByteArray Buttons(int n) {
        return sub.registry.Get(kHKeyCurrentUser, actregistry::ToolbarKey(n), "Buttons").value().data;
    }
    ByteArray Stored(const std::string& name) {
        auto v = sub.registry.Get(kHKeyCurrentUser, kCommands, name);
        return v ? v->data : ByteArray{};
    }
    RunOutcome Install(const std::string& addon, std::int32_t toolbar = 0, bool quiet = false) {
        modHaupt::RunContext run{sub.platform, window, addon, kFolder, quiet};
        return modHaupt::Install(run, toolbar);
    }
    RunOutcome Deinstall(const std::string& addon, std::int32_t toolbar = 0) {
        modHaupt::RunContext run{sub.platform, window, addon, kFolder, false};
        return modHaupt::Deinstall(run, toolbar);
    }

    platform::SubstitutePlatform sub;
    RecordingWindow window;
};

TEST_F(Runs, InstallAnsweredYesRegistersTheCommandInTheFolderAndAppendsSeparatorAndButton) {
    EXPECT_EQ(Install("Route"), RunOutcome::Finished);
    ASSERT_EQ(sub.messages.Shown().size(), 1u);
    EXPECT_EQ(sub.messages.Shown()[0],
              (platform::MessageBoxRequest{"Soll der benutzerdefinierte Befehl 'Route' in\r\n"
                                           "die Standardsymbolleiste eingefügt werden?",
                                           "Tessivar", platform::MsgIcon::Question, platform::MsgButtons::YesNo}));
    ByteArray record = Stored("Command-2");
    ASSERT_EQ(record.size(), 1172u);
    EXPECT_EQ(clCustomTessivar::GetLongAt(record, 0), 30103);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&record[144])), "C:\\Programme\\ACT Zus\xE4tze\\Route.exe");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&record[400])), "C:\\Programme\\ACT Zus\xE4tze\\");
    EXPECT_EQ(Buttons(0), td::Entries({57600, 0, 30101, 0, 30103}));
    EXPECT_EQ(Buttons(1), td::Entries({57600}));
    EXPECT_EQ(window.captions,
              (std::vector<std::string>{
                  "show: Es wird das ACT!-Addon 'Route' als neuer benutzerdefinierter Befehl in ACT! eingebunden.",
                  "Das ACT!-Addon 'Route' wurde als benutzerdefinierter Befehl in ACT! eingebunden."}));
}

TEST_F(Runs, AnsweredNoTheCommandStaysWithoutAButton) {
    sub.messages.QueueAnswer(platform::MsgAnswer::No);
    EXPECT_EQ(Install("Route", 1), RunOutcome::Finished);
    EXPECT_EQ(Stored("Count"), (ByteArray{3, 0, 0, 0}));
    for (const auto& w : sub.registry.Writes()) EXPECT_NE(w.name, "Buttons");
}

TEST_F(Runs, TheGroupWordFindsTheEnglishNameWhenThereIsNoGermanOne) {
    Toolbar(1, "Groups Toolbar", td::Entries({57600}));
    EXPECT_EQ(Install("Route", 1), RunOutcome::Finished);
    EXPECT_EQ(Buttons(1), td::Entries({57600, 0, 30103}));
    EXPECT_EQ(Buttons(0), td::Entries({57600, 0, 30101}));
}

TEST_F(Runs, QuietInstallsAsIfYesWereAnsweredAndAsksNothing) {
    EXPECT_EQ(Install("Route", 0, true), RunOutcome::Finished);
    EXPECT_TRUE(sub.messages.Shown().empty());
    EXPECT_EQ(Buttons(0), td::Entries({57600, 0, 30101, 0, 30103}));
}

TEST_F(Runs, TheSecondInstallOfTheSameAddonIsRefusedAndAddsNoButton) {
    EXPECT_EQ(Install("Route"), RunOutcome::Finished);
    EXPECT_EQ(Install("Route"), RunOutcome::NotInstalled);
    EXPECT_EQ(window.captions.back(),
              "Das ACT!-Addon 'Route' konnte nicht als benutzerdefinierter Befehl in ACT! eingebunden werden.");
    EXPECT_EQ(Buttons(0), td::Entries({57600, 0, 30101, 0, 30103}));
    EXPECT_EQ(Stored("Count"), (ByteArray{3, 0, 0, 0}));
}

TEST_F(Runs, AMissingCommandFileEndsWithTheKonnteNichtMessage) {
    EXPECT_EQ(Install("Fehlt"), RunOutcome::NotInstalled);
    ASSERT_EQ(sub.messages.Shown().size(), 1u);
    EXPECT_EQ(sub.messages.Shown()[0].text, "Fehler in Klasse clCustomTessivar - Load\r\nDie Datei " + kFolder +
                                                "\\Fehlt.cmd\r\nwurde nicht gefunden.");
    EXPECT_TRUE(sub.registry.Writes().empty());
}

TEST_F(Runs, ANameReachingOutsideTheFolderIsRefusedBeforeAnythingIsRead) {
    for (const std::string name : {"..\\Route", "C:Route", "Unter\\Route", "../Route", "..", "Ro..ute"}) {
        sub.registry.ClearLog();
        EXPECT_EQ(Install(name), RunOutcome::NotInstalled) << name;
        EXPECT_TRUE(sub.registry.Calls().empty()) << name;
    }
    EXPECT_TRUE(sub.messages.Shown().empty());
}

TEST_F(Runs, AToolbarThatCannotBeReadIsReportedNotOverwrittenAndTheRunStillEnds) {
    const ByteArray damaged = {0x01, 0x02, 0x00, 0x00, 0x03, 0xAA};  // says 3 extra bytes, holds 1
    Toolbar(0, "Kontaktsymbolleiste", damaged);
    EXPECT_EQ(Install("Route"), RunOutcome::FinishedWithError);
    EXPECT_EQ(Buttons(0), damaged);
    ASSERT_EQ(sub.messages.Shown().size(), 2u);
    EXPECT_EQ(sub.messages.Shown()[1].text.rfind("Fehler in Klasse clACTToolbar Methode AddButton\r\nFehlernummer: ", 0),
              0u);
    EXPECT_EQ(sub.messages.Shown()[1].icon, platform::MsgIcon::Exclamation);
    EXPECT_EQ(window.captions.back(), "Das ACT!-Addon 'Route' wurde als benutzerdefinierter Befehl in ACT! eingebunden.");
    EXPECT_EQ(Stored("Count"), (ByteArray{3, 0, 0, 0}));

    EXPECT_EQ(Deinstall("Route"), RunOutcome::FinishedWithError);
    EXPECT_EQ(Buttons(0), damaged);
    EXPECT_EQ(Stored("Count"), (ByteArray{2, 0, 0, 0}));
}

TEST_F(Runs, RemovalTakesEveryCommandOfTheNameInAnyCaseWithItsButtonsOnTheChosenToolbar) {
    td::SeedTable(sub.registry, {{30101, "Adressen"}, {30103, "Route"}, {30102, "Serienbrief"}, {30104, "ROUTE"}});
    Toolbar(0, "Kontaktsymbolleiste", td::Entries({57600, 0, 30101, 0, 30104}));
    Toolbar(1, "Gruppensymbolleiste", td::Entries({57600, 0, 30103}));

    EXPECT_EQ(Deinstall("Route", 0), RunOutcome::Finished);
    EXPECT_EQ(Stored("Count"), (ByteArray{2, 0, 0, 0}));
    EXPECT_EQ(Stored("Command-0"), td::Record(30101, "Adressen"));
    EXPECT_EQ(Stored("Command-1"), td::Record(30102, "Serienbrief"));
    EXPECT_EQ(Buttons(0), td::Entries({57600, 0, 30101}));
    EXPECT_EQ(Buttons(1), td::Entries({57600, 0, 30103}));  // removal looked at the contact toolbar only
    EXPECT_EQ(window.captions.back(),
              "Es wurde das ACT!-Addon 'Route' aus der Liste der benutzerdefinierter Befehl in ACT! entfernt.");
}

TEST_F(Runs, RemovingWhatWasNeverInstalledChangesNothing) {
    sub.registry.ClearLog();
    EXPECT_EQ(Deinstall("Route"), RunOutcome::Finished);
    EXPECT_TRUE(sub.registry.Writes().empty());
    EXPECT_EQ(window.captions.front(),
              "show: Es wird das ACT!-Addon 'Route' aus der Liste der benutzerdefinierter Befehl in ACT! entfernt.");
}

TEST_F(Runs, ACommandFileNamingAnotherCommandInstallsButIsNotFoundByTheRemoval) {
    AddonFile("Route", "Routenplaner");
    EXPECT_EQ(Install("Route"), RunOutcome::Finished);
    EXPECT_EQ(Deinstall("Route"), RunOutcome::Finished);
    EXPECT_EQ(Stored("Count"), (ByteArray{3, 0, 0, 0}));
}

TEST_F(Runs, ACommandWhoseIdentifierCannotBeReadLeavesTheSeparatorsAlone) {
    ByteArray record = td::Record(30102, "Route");
    record[3] = 0x80;
    sub.registry.Put(kHKeyCurrentUser, kCommands, "Command-1", platform::kRegBinary, record);
    EXPECT_EQ(Deinstall("Route"), RunOutcome::Finished);
    EXPECT_EQ(Buttons(0), td::Entries({57600, 0, 30101}));
    EXPECT_EQ(Stored("Count"), (ByteArray{1, 0, 0, 0}));
}

TEST(QuietWord, CountsOnlyAfterTheVerbOfARunAndIsNeverTheToolbarWord) {
    platform::SubstitutePlatform sub;
    using modHaupt::RunKind;
    EXPECT_EQ(modHaupt::Main(sub.platform, "Addon install /QUIET gruppe"),
              (modHaupt::RunRequest{RunKind::Install, "Addon", 1, true}));
    EXPECT_EQ(modHaupt::Main(sub.platform, "Addon deinstall g /quiet"),
              (modHaupt::RunRequest{RunKind::Deinstall, "Addon", 1, true}));
    EXPECT_EQ(modHaupt::Main(sub.platform, "/quiet install"), (modHaupt::RunRequest{RunKind::Install, "/quiet", 0, false}));
    EXPECT_EQ(modHaupt::Main(sub.platform, "Addon anzeigen /quiet"), (modHaupt::RunRequest{RunKind::ListWindow, "Addon", 0, false}));

    sub.windows.Add("ACT3.0FrameClass", "ACT! - Daten");
    EXPECT_EQ(modHaupt::Main(sub.platform, "Addon install /quiet").kind, RunKind::Refused);
    EXPECT_TRUE(sub.messages.Shown().empty());
}

}  // namespace
