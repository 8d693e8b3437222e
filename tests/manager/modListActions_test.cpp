// The list window's changes to ACT!'s configuration over the substitutes:
// each under the configuration lock, none to a table that changed since it
// was read.
#include "base/UiTexts.h"
#include "manager/modListActions.h"

#include <gtest/gtest.h>

#include "base/AppError.h"
#include "commands/CommandData.h"
#include "platform/MemoryNamedMutex.h"
#include "commands/SubstituteServices.h"
#include "platform/SubstitutePlatform.h"

namespace td = testdata;
using Kind = platform::MemoryNamedMutex::Event::Kind;
using modListActions::Outcome;
using platform::kHKeyCurrentUser;

namespace {

const std::string kCommands(actregistry::kCustomCommands);

class ListActions : public testing::Test {
protected:
    void SetUp() override {
        td::SeedTable(sub.registry, {{30101, "Adressen"}, {30102, "Serienbrief"}});
        sub.files.Put("C:\\Neu.cmd", td::CommandFile(td::Record(1, "Neu"), td::Image(24, 24, 3), td::Image(16, 16, 3)));
    }
    std::vector<Kind> LockEvents() const {
        std::vector<Kind> kinds;
        for (const auto& e : locks.Events()) kinds.push_back(e.kind);
        return kinds;
    }

    SubstituteServices sub;
    platform::MemoryNamedMutex locks;
    platform::FakeClock clock;
    modBackup::Store backups{sub.files, clock, "C:\\Users\\u\\AppData\\Local\\Tessivar\\Sicherungen"};
    modListActions::Services context{sub.Commands(), locks, backups};
};

TEST_F(ListActions, TheStoredTableIsComparedByCountAndByEveryRecord) {
    clCustomTessivars table(sub.Commands());
    EXPECT_TRUE(modListActions::IsStillStored(sub.Registry(), table));
    // What lies beyond "Count" is no part of the table.
    sub.registry.Put(kHKeyCurrentUser, kCommands, "Command-2", platform::kRegBinary, td::Record(7, "alt"));
    EXPECT_TRUE(modListActions::IsStillStored(sub.Registry(), table));

    sub.registry.PutDword(kHKeyCurrentUser, kCommands, "Count", 3);
    EXPECT_FALSE(modListActions::IsStillStored(sub.Registry(), table));
    sub.registry.PutDword(kHKeyCurrentUser, kCommands, "Count", 2);
    ByteArray record = td::Record(30102, "Serienbrief");
    record[1000] = 1;
    sub.registry.Put(kHKeyCurrentUser, kCommands, "Command-1", platform::kRegBinary, record);
    EXPECT_FALSE(modListActions::IsStillStored(sub.Registry(), table));

    // A record that is no binary value compares as what it is.
    sub.registry.PutText(kHKeyCurrentUser, kCommands, "Command-1", "kein Datensatz");
    clCustomTessivars damaged(sub.Commands());
    EXPECT_TRUE(modListActions::IsStillStored(sub.Registry(), damaged));
    sub.registry.Put(kHKeyCurrentUser, kCommands, "Command-1", platform::kRegBinary, td::Record(30102, "Serienbrief"));
    EXPECT_FALSE(modListActions::IsStillStored(sub.Registry(), damaged));
}

TEST_F(ListActions, EveryChangeHoldsTheLockAndGivesItBackWhateverHappens) {
    clCustomTessivars table(sub.Commands());
    const auto load = modListActions::LoadCommand(context, table, "C:\\Neu.cmd");
    EXPECT_EQ(load.outcome, Outcome::Done);
    ASSERT_NE(load.command, nullptr);
    EXPECT_EQ(load.command->CommandID(), 30103);
    EXPECT_EQ(modListActions::LoadCommand(context, table, "C:\\Neu.cmd").outcome, Outcome::Refused) << "name exists";
    EXPECT_EQ(modListActions::LoadCommand(context, table, "C:\\Fehlt.cmd").outcome, Outcome::Refused);
    EXPECT_EQ(modListActions::DeleteCommand(context, table, 0), Outcome::Done);
    EXPECT_EQ(LockEvents(), (std::vector<Kind>{Kind::Acquired, Kind::Released, Kind::Acquired, Kind::Released,
                                               Kind::Acquired, Kind::Released, Kind::Acquired, Kind::Released}));
    EXPECT_EQ(locks.Events()[0].name, "Tessivar.ACT-Konfiguration");
    EXPECT_EQ(locks.Events()[0].timeoutMs, 5000u);
    EXPECT_THROW(modListActions::DeleteCommand(context, table, 9), AppError) << "no such command";
    EXPECT_FALSE(locks.IsHeld(actregistry::kConfigurationLock));
}

TEST_F(ListActions, WhileAnotherProgramHoldsTheLockNothingIsReadOrWritten) {
    clCustomTessivars table(sub.Commands());
    locks.HoldElsewhere(actregistry::kConfigurationLock);
    sub.registry.ClearLog();
    EXPECT_EQ(modListActions::LoadCommand(context, table, "C:\\Neu.cmd").outcome, Outcome::Refused);
    EXPECT_EQ(modListActions::DeleteCommand(context, table, 0), Outcome::Refused);
    EXPECT_EQ(modListActions::AddToContactToolbar(context, 30101), Outcome::Refused);
    EXPECT_TRUE(sub.registry.Calls().empty());
    ASSERT_EQ(sub.messages.Shown().size(), 3u);
    EXPECT_EQ(sub.messages.Shown()[0].text, texts::kConfigurationBusy);
    EXPECT_EQ(sub.messages.Shown()[0].icon, platform::MsgIcon::Exclamation);

    // A holder that lets go within the wait is waited for.
    locks.HoldElsewhere(actregistry::kConfigurationLock, 1000);
    EXPECT_EQ(modListActions::DeleteCommand(context, table, 0), Outcome::Done);
}

TEST_F(ListActions, AStaleTableIsLeftAloneAndReportedAsStale) {
    clCustomTessivars table(sub.Commands());
    sub.registry.PutDword(kHKeyCurrentUser, kCommands, "Count", 1);
    sub.registry.ClearLog();
    EXPECT_EQ(modListActions::DeleteCommand(context, table, 0), Outcome::Stale);
    EXPECT_EQ(modListActions::LoadCommand(context, table, "C:\\Neu.cmd").outcome, Outcome::Stale);
    EXPECT_TRUE(sub.registry.Writes().empty());
    EXPECT_EQ(sub.messages.Shown().size(), 2u);
}

TEST_F(ListActions, LoadAndDeleteEachSaveTheConfigurationFirstAndStopWithoutIt) {
    clCustomTessivars table(sub.Commands());
    ASSERT_EQ(modListActions::LoadCommand(context, table, "C:\\Neu.cmd").outcome, Outcome::Done);
    EXPECT_EQ(modListActions::AddToContactToolbar(context, 30103), Outcome::Done);
    EXPECT_EQ(modBackup::List(backups).size(), 1u) << "the button belongs to the load's backup";
    clock.SetLocal({2026, 12, 9, 7, 0, 0});
    ASSERT_EQ(modListActions::DeleteCommand(context, table, 2), Outcome::Done);
    const auto saved = modBackup::List(backups);
    ASSERT_EQ(saved.size(), 2u);
    EXPECT_EQ(saved.front().name, "Sicherung 2026-12-09 07-00-00 Nr. 2.reg");

    sub.files.onCreateFolders = [](const std::string&) { Raise(ErrorNumber::PermissionDenied); };
    sub.registry.ClearLog();
    sub.messages.Clear();
    EXPECT_EQ(modListActions::LoadCommand(context, table, "C:\\Neu.cmd").outcome, Outcome::Refused);
    EXPECT_EQ(modListActions::DeleteCommand(context, table, 0), Outcome::Refused);
    EXPECT_TRUE(sub.registry.Writes().empty());
    EXPECT_EQ(sub.messages.Shown().size(), 2u);

    // Nor a restore: the state it would replace could not be saved.
    EXPECT_EQ(modListActions::RestoreBackup(context, saved.front().path), Outcome::Refused);
    EXPECT_TRUE(sub.registry.Writes().empty());
    EXPECT_FALSE(locks.IsHeld(actregistry::kConfigurationLock));
}

// A change of paths writes the records of the commands named and nothing
// else: in them the line and the start folder, every other byte as it was
// read; a write that fails puts all of it back.
TEST_F(ListActions, ChangedPathsWriteOnlyTheTwoFieldsOfTheRecordsNamedAndAFailedWriteNothing) {
    sub.registry.Put(kHKeyCurrentUser, kCommands, "Command-1", platform::kRegBinary, [] {
        ByteArray record = td::Record(30102, "Serienbrief", "C:\\Alt\\brief.exe /x \x81");
        record[399] = 0x55;  // bytes behind a field's end are the field's
        record[700] = 0x66;
        return record;
    }());
    sub.registry.PutDword(kHKeyCurrentUser, kCommands, "Count", 3);
    sub.registry.Put(kHKeyCurrentUser, kCommands, "Command-2", platform::kRegBinary, td::Record(30103, "Drei"));
    sub.registry.Put(kHKeyCurrentUser, kCommands, "BitmapL-30103", platform::kRegBinary, td::Image(24, 24, 3));
    sub.registry.Put(kHKeyCurrentUser, kCommands, "BitmapS-30103", platform::kRegBinary, td::Image(16, 16, 3));
    const auto before = sub.registry.Snapshot(kHKeyCurrentUser, kCommands);
    const auto record = [](const auto& snapshot, int n) {
        for (const auto& [name, value] : snapshot) {
            if (name.ends_with("|command-" + std::to_string(n))) return value.data;
        }
        return ByteArray();
    };
    const modListActions::PathChange changes[] = {{1, "\"D:\\Neu Ort\\brief.exe\" /x \xC2\x81", "D:\\Neu Ort"},
                                                  {2, "D:\\Neu\\x.exe", ""}};

    // The first write refused: nothing stays, and the window is told to read again.
    {
        clCustomTessivars table(sub.Commands());
        int seen = 0;
        sub.registry.SetFaultHook([&](const platform::MemoryRegistry::Call& call) -> long {
            return sub.registry.IsWrite(call) && call.name.starts_with("Command-") && ++seen == 2
                       ? platform::kErrorAccessDenied
                       : platform::kErrorSuccess;
        });
        EXPECT_EQ(modListActions::ChangePaths(context, table, changes), Outcome::Undone);
        sub.registry.SetFaultHook(nullptr);
        EXPECT_TRUE(sub.registry.Snapshot(kHKeyCurrentUser, kCommands) == before);
    }

    clCustomTessivars table(sub.Commands());
    sub.registry.ClearLog();
    ASSERT_EQ(modListActions::ChangePaths(context, table, changes), Outcome::Done);
    std::vector<std::string> written;
    for (const auto& write : sub.registry.Writes()) {
        if (write.keyPath.ends_with(kCommands)) written.push_back(write.name);
    }
    EXPECT_EQ(written, (std::vector<std::string>{"Command-1", "Command-2"}));
    const auto after = sub.registry.Snapshot(kHKeyCurrentUser, kCommands);
    for (const auto& [name, value] : before) {
        if (!name.ends_with("|command-1") && !name.ends_with("|command-2")) {
            EXPECT_TRUE(after.at(name) == value) << name;
        }
    }
    const ByteArray old = record(before, 1);
    const ByteArray now = record(after, 1);
    ASSERT_EQ(now.size(), old.size());
    for (std::size_t i = 0; i < old.size(); ++i) {
        if (i < 144 || i > 657) {
            EXPECT_EQ(now[i], old[i]) << "byte " << i;
        }
    }
    const std::string line = "\"D:\\Neu Ort\\brief.exe\" /x \x81";
    EXPECT_EQ(std::string(now.begin() + 144, now.begin() + 144 + static_cast<std::ptrdiff_t>(line.size())), line);
    EXPECT_EQ(now[144 + line.size()], 0);
    EXPECT_EQ(now[399], 0) << "the rest of the field cleared";
    EXPECT_EQ(table.Item(2).Start(), "");
    const auto taken = modBackup::List(backups);
    ASSERT_EQ(taken.size(), 2u) << "one backup for each change, the one put back too";
    EXPECT_EQ(taken.front().reason, "Pfade anpassen (2 Befehle)");
    EXPECT_EQ(modListActions::PathsReason(1), "Pfade anpassen (1 Befehl)");
}

}  // namespace
