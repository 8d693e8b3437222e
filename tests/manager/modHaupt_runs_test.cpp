// The install and removal runs over the substitutes: what they write, what
// they ask and say, and how they end.
#include <gtest/gtest.h>

#include "commands/CommandData.h"
#include "commands/clCustomTessivar.h"
#include "manager/modHaupt.h"

#include "base/AppError.h"
#include "base/LittleEndian.h"
#include "base/UiTexts.h"
#include "manager/RegFile.h"
#include "platform/MemoryNamedMutex.h"
#include "commands/SubstituteServices.h"
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
        modHaupt::Services run{sub.Commands(), window, locks, addon, kFolder, quiet, backups};
        return modHaupt::Install(run, toolbar);
    }
    RunOutcome Deinstall(const std::string& addon, std::int32_t toolbar = 0) {
        modHaupt::Services run{sub.Commands(), window, locks, addon, kFolder, false, backups};
        return modHaupt::Deinstall(run, toolbar);
    }

    SubstituteServices sub;
    platform::MemoryNamedMutex locks;
    RecordingWindow window;
    platform::FakeClock clock;
    int folderAsked = 0;  // how often the backups' folder was looked up
    modBackup::Store backups{sub.files, clock, modBackup::Folder([this] {
                                 ++folderAsked;
                                 return std::string("C:\\Users\\u\\AppData\\Local\\Tessivar\\Sicherungen");
                             })};

    std::vector<modBackup::Entry> Saved() { return modBackup::List(backups); }
    // The configuration as the newest backup holds it, in the snapshot's terms.
    std::map<std::string, ByteArray> NewestBackup() {
        std::map<std::string, ByteArray> values;
        const auto entries = Saved();
        if (entries.empty()) return values;
        for (const regfile::Key& key : regfile::Parse(*sub.files.Get(entries.front().path))) {
            for (const regfile::Value& v : key.values) {
                const RegistryValue& r = v.value;
                ByteArray data = r.IsBytes() ? r.ToBytes() : ByteArray{};
                if (r.IsNumber()) {
                    const auto bytes = littleendian::Bytes(static_cast<std::uint32_t>(r.ToNumber()));
                    data.assign(bytes.begin(), bytes.end());
                }
                if (r.IsText()) {
                    const std::string text = sub.text.ToCodePage(r.ToText());
                    data.assign(text.begin(), text.end());
                    data.push_back(0);
                }
                values[ToLower(key.path.substr(18)) + "|" + ToLower(v.name)] = data;
            }
        }
        return values;
    }
    std::map<std::string, ByteArray> Now() {
        std::map<std::string, ByteArray> values;
        for (const auto& [name, value] : sub.registry.Snapshot(kHKeyCurrentUser, actregistry::kMenuConfig)) {
            if (name.find('|') != std::string::npos) values[name.substr(5)] = value.data;
        }
        return values;
    }
    static std::string ToLower(std::string s) {
        for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return s;
    }
    RunOutcome Restore(const std::string& file, bool quiet = false) {
        modHaupt::Services run{sub.Commands(), window, locks, "", kFolder, quiet, backups};
        return modHaupt::Restore(run, file);
    }
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
    EXPECT_EQ(
        sub.messages.Shown()[1].text.rfind("Fehler in Klasse clACTToolbar Methode AddButton\r\nFehlernummer: ", 0), 0u);
    EXPECT_EQ(sub.messages.Shown()[1].icon, platform::MsgIcon::Exclamation);
    EXPECT_EQ(window.captions.back(),
              "Das ACT!-Addon 'Route' wurde als benutzerdefinierter Befehl in ACT! eingebunden.");
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
    SubstituteServices sub;
    using modHaupt::RunKind;
    EXPECT_EQ(modHaupt::Main(sub.windows, sub.text, sub.messages, "Addon install /QUIET gruppe"),
              (modHaupt::RunRequest{RunKind::Install, "Addon", 1, true}));
    EXPECT_EQ(modHaupt::Main(sub.windows, sub.text, sub.messages, "Addon deinstall g /quiet"),
              (modHaupt::RunRequest{RunKind::Deinstall, "Addon", 1, true}));

    sub.windows.Add("ACT3.0FrameClass", "ACT! - Daten");
    EXPECT_EQ(modHaupt::Main(sub.windows, sub.text, sub.messages, "Addon install /quiet").kind, RunKind::Refused);
    EXPECT_TRUE(sub.messages.Shown().empty());
}

// A setup program that asked for silence and wrote a line that is no run
// learns so from the exit code, before anything is looked at (ACT! too).
TEST(QuietWord, OnALineThatIsNoRunEndsAtOnceAsNotUnderstood) {
    for (bool actRuns : {false, true}) {
        SubstituteServices sub;
        if (actRuns) sub.windows.Add("ACT3.0FrameClass", "ACT! - Daten");
        for (const std::string line :
             {"Demo uninstall /quiet", "\"Demo X\" install /quiet", "/quiet Demo install", "/quiet install",
              "Demo /quiet install", "/QUIET", "Demo anzeigen gruppe /quiet"}) {
            const modHaupt::RunRequest request = modHaupt::Main(sub.windows, sub.text, sub.messages, line);
            EXPECT_EQ(request.kind, modHaupt::RunKind::NotUnderstood) << line;
        }
        EXPECT_TRUE(sub.messages.Shown().empty());
        EXPECT_TRUE(sub.registry.Calls().empty());
    }
    EXPECT_EQ(modHaupt::kExitNotUnderstood, 3);
    SubstituteServices sub;
    EXPECT_EQ(modHaupt::Main(sub.windows, sub.text, sub.messages, "Demo uninstall").kind,
              modHaupt::RunKind::ListWindow);
}

// ---------------------------------------------------------------------------
// What a run must not do to ACT!'s configuration.

const std::string kLock(actregistry::kConfigurationLock);

TEST_F(Runs, ATableWhoseCountCannotBeTrustedIsChangedByNoRunAndTheRunSaysWhy) {
    sub.registry.PutDword(kHKeyCurrentUser, kCommands, "Count", 0xFFFFFFFFu);
    sub.registry.ClearLog();
    EXPECT_EQ(Install("Route", 0, true), RunOutcome::NotInstalled);
    EXPECT_EQ(Deinstall("Adressen"), RunOutcome::NotRemoved);
    EXPECT_EQ(modHaupt::ExitCodeOf(RunOutcome::NotRemoved), 1);
    EXPECT_TRUE(sub.registry.Writes().empty());
    ASSERT_EQ(sub.messages.Shown().size(), 2u);
    EXPECT_EQ(sub.messages.Shown()[1].text,
              "Fehler in Klasse clCustomTessivars Methode Remove\r\n"
              "Der Wert \"Count\" der ACT!-Benutzerbefehle ist negativ (-1).\r\n"
              "Damit kein Befehl verloren geht, wird die Befehlstabelle nicht geändert.");
    EXPECT_EQ(sub.messages.Shown()[1].icon, platform::MsgIcon::Exclamation);
    EXPECT_EQ(window.captions.back(),
              "Das ACT!-Addon 'Adressen' konnte nicht aus der Liste der benutzerdefinierten Befehle in ACT! entfernt "
              "werden.");
}

// Installed for the group toolbar, removed for the contact toolbar: the button left
// on the group toolbar must never start the next add-on installed.
TEST_F(Runs, ANumberStillOnAToolbarIsNotGivenToTheNextCommand) {
    AddonFile("Drei", "Drei");
    ASSERT_EQ(Install("Route", 1, true), RunOutcome::Finished);
    ASSERT_EQ(Deinstall("Route", 0), RunOutcome::Finished);
    EXPECT_EQ(Buttons(1), td::Entries({57600, 0, 30103}));
    ASSERT_EQ(Install("Drei", 0, true), RunOutcome::Finished);
    EXPECT_EQ(clCustomTessivar::GetLongAt(Stored("Command-2"), 0), 30104);
    EXPECT_EQ(Buttons(0), td::Entries({57600, 0, 30101, 0, 30104}));
}

TEST_F(Runs, AProgramPathThatDoesNotFitACTsRecordIsRefusedBeforeAnythingIsRead) {
    const std::string tooLong = "C:\\" + std::string(236, 'L') + "\\Tiefer";  // with "\\Route.exe": 256 characters
    const std::string fits = "C:\\" + std::string(235, 'L') + "\\Tiefer";  // 255
    for (const std::string& folder : {tooLong, std::string("C:\\Za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87")}) {
        sub.registry.ClearLog();
        sub.messages.Clear();
        sub.files.Put(folder + "\\Route.cmd", *sub.files.Get(kFolder + "\\Route.cmd"));
        modHaupt::Services run{sub.Commands(), window, locks, "Route", folder, true, backups};
        EXPECT_EQ(modHaupt::Install(run, 0), RunOutcome::NotInstalled) << folder;
        EXPECT_TRUE(sub.registry.Calls().empty());
        ASSERT_EQ(sub.messages.Shown().size(), 1u);
        EXPECT_EQ(sub.messages.Shown()[0].text.rfind("Der Pfad des ACT!-Addons\r\n" + folder + "\\Route.exe\r\n", 0),
                  0u);
    }
    EXPECT_EQ(sub.messages.Shown()[0].text.substr(sub.messages.Shown()[0].text.rfind('\n') + 1),
              "enthält Zeichen, die ACT! nicht speichern kann.");
    EXPECT_NE(modHaupt::PathProblem(sub.text, tooLong + "\\Route.exe", tooLong + "\\").find("höchstens 255 Zeichen"),
              std::string::npos);

    sub.files.Put(fits + "\\Route.cmd", *sub.files.Get(kFolder + "\\Route.cmd"));
    modHaupt::Services run{sub.Commands(), window, locks, "Route", fits, true, backups};
    ASSERT_EQ(modHaupt::Install(run, 0), RunOutcome::Finished);
    const ByteArray record = Stored("Command-2");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&record[144]), 255), fits + "\\Route.exe");
    EXPECT_EQ(record[399], 0);
}

TEST_F(Runs, EveryReadAndWriteOfARunHappensUnderTheConfigurationLock) {
    bool outside = false;
    sub.registry.SetFaultHook([&](const platform::MemoryRegistry::Call&) {
        outside = outside || !locks.IsHeld(kLock);
        return platform::kErrorSuccess;
    });
    EXPECT_EQ(Install("Route", 0, true), RunOutcome::Finished);
    EXPECT_EQ(Deinstall("Route"), RunOutcome::Finished);
    EXPECT_FALSE(outside);
    EXPECT_FALSE(locks.IsHeld(kLock));
    using Kind = platform::MemoryNamedMutex::Event::Kind;
    EXPECT_EQ(locks.Events(), (std::vector<platform::MemoryNamedMutex::Event>{{Kind::Acquired, kLock, 5000},
                                                                              {Kind::Released, kLock, 0},
                                                                              {Kind::Acquired, kLock, 5000},
                                                                              {Kind::Released, kLock, 0}}));
}

TEST_F(Runs, ASecondRunWaitsForTheLockAndWhenItIsNotFreedInTimeTouchesNothing) {
    locks.HoldElsewhere(kLock, 1200);  // the other run ends while this one waits
    EXPECT_EQ(Install("Route", 0, true), RunOutcome::Finished);

    locks.HoldElsewhere(kLock);
    sub.registry.ClearLog();
    EXPECT_EQ(Install("Route", 0, true), RunOutcome::NotInstalled);
    EXPECT_EQ(Deinstall("Route"), RunOutcome::NotRemoved);
    EXPECT_TRUE(sub.registry.Calls().empty());
    ASSERT_EQ(sub.messages.Shown().size(), 2u);
    EXPECT_EQ(
        sub.messages.Shown()[0].text,
        "Ein anderes Tessivar ändert gerade die Konfiguration von ACT!.\r\nBitte versuchen Sie es später noch einmal.");
    EXPECT_EQ(Stored("Count"), (ByteArray{3, 0, 0, 0}));
}

TEST_F(Runs, EachRunThatChangesSavesTheConfigurationAsItWasBeforeItsFirstWrite) {
    const auto before = Now();
    sub.registry.SetFaultHook([&](const platform::MemoryRegistry::Call& call) {
        if (call.op == platform::MemoryRegistry::Op::SetValue) {
            EXPECT_EQ(Saved().size(), 1u) << "written before the backup";
        }
        return platform::kErrorSuccess;
    });
    ASSERT_EQ(Install("Route", 0, true), RunOutcome::Finished);
    ASSERT_EQ(Saved().size(), 1u);
    EXPECT_EQ(NewestBackup(), before);
    sub.registry.SetFaultHook(nullptr);

    const auto installed = Now();
    clock.SetLocal({2026, 12, 9, 5, 31, 0});
    ASSERT_EQ(Deinstall("Route"), RunOutcome::Finished);
    ASSERT_EQ(Saved().size(), 2u);
    EXPECT_EQ(NewestBackup(), installed);
}

TEST_F(Runs, ARunThatWritesNothingTakesNoBackup) {
    EXPECT_EQ(Deinstall("Route"), RunOutcome::Finished);  // nothing to remove
    EXPECT_EQ(Install("Fehlt"), RunOutcome::NotInstalled);
    AddonFile("Doppelt", "Adressen");
    EXPECT_EQ(Install("Doppelt"), RunOutcome::NotInstalled);
    EXPECT_EQ(folderAsked, 0) << "looking the folder up loads the shell's library";
    EXPECT_TRUE(Saved().empty());
    EXPECT_FALSE(sub.files.FolderExists(backups.folder.Path()));
}

TEST_F(Runs, WithoutABackupNoRunChangesAnything) {
    sub.files.onOpen = [](const std::string& path, bool forWriting) {
        if (forWriting && path.find(".reg") != std::string::npos) Raise(ErrorNumber::PermissionDenied);
    };
    sub.registry.ClearLog();
    EXPECT_EQ(Install("Route", 0, true), RunOutcome::NotInstalled);
    EXPECT_EQ(window.captions.back(),
              "Das ACT!-Addon 'Route' konnte nicht als benutzerdefinierter Befehl in ACT! eingebunden werden.");
    EXPECT_EQ(Deinstall("Adressen"), RunOutcome::NotRemoved);
    EXPECT_TRUE(sub.registry.Writes().empty());
    ASSERT_EQ(sub.messages.Shown().size(), 2u);
    EXPECT_EQ(sub.messages.Shown()[0].text.rfind(texts::kBackupNotWritten, 0), 0u);
    EXPECT_EQ(modHaupt::ExitCodeOf(RunOutcome::NotInstalled), 1);
}

TEST_F(Runs, TheRestoreRunAsksNamingTheDateAndGivesTheNewestBackupBack) {
    EXPECT_EQ(Restore(""), RunOutcome::NotRemoved);
    EXPECT_EQ(sub.messages.Shown().back().text, texts::kRestoreNoBackup);

    const auto before = Now();
    ASSERT_EQ(Install("Route", 0, true), RunOutcome::Finished);
    const auto installed = Now();
    clock.SetLocal({2026, 12, 9, 6, 1, 2});

    sub.messages.Clear();
    sub.messages.QueueAnswer(platform::MsgAnswer::No);
    sub.registry.ClearLog();
    EXPECT_EQ(Restore(""), RunOutcome::NotRemoved);
    EXPECT_TRUE(sub.registry.Writes().empty());
    ASSERT_EQ(sub.messages.Shown().size(), 1u);
    EXPECT_EQ(sub.messages.Shown()[0].text.rfind(
                  "Soll die Sicherung vom 09.12.2026, 05:30:12 Uhr zurückgeschrieben werden?", 0),
              0u);
    EXPECT_EQ(sub.messages.Shown()[0].buttons, platform::MsgButtons::YesNo);

    sub.messages.QueueAnswer(platform::MsgAnswer::Yes);
    EXPECT_EQ(Restore(""), RunOutcome::Finished);
    auto restored = Now();
    // What the install added beyond "Count" stays; ACT! reads no further.
    for (const auto& [name, data] : installed) {
        if (!before.contains(name)) restored.erase(name);
    }
    EXPECT_EQ(restored, before);
    EXPECT_EQ(sub.messages.Shown().back().text, "Die Sicherung vom 09.12.2026, 05:30:12 Uhr wurde zurückgeschrieben.");

    // The restore was saved first: the newest backup, quietly, undoes it.
    sub.messages.Clear();
    EXPECT_EQ(Restore("", true), RunOutcome::Finished);
    EXPECT_EQ(Now(), installed);
    ASSERT_EQ(Saved().size(), 3u);
    EXPECT_EQ(Restore(Saved().back().name, true), RunOutcome::Finished) << "a name alone is one of the backups' folder";
    EXPECT_EQ(Stored("Count"), (ByteArray{2, 0, 0, 0}));
}

}  // namespace
