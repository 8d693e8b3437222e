// A change of ACT!'s configuration whose process dies at any of its writes,
// and what the next start makes of it; the mark's own faults.
#include "manager/ChangeRecord.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>

#include "base/AppError.h"
#include "base/UiTexts.h"
#include "commands/CommandData.h"
#include "commands/SubstituteServices.h"
#include "common/ActRegistry.h"
#include "manager/modButtonPlacement.h"
#include "manager/modHaupt.h"
#include "manager/modEditCommand.h"
#include "manager/modListActions.h"
#include "platform/MemoryNamedMutex.h"

namespace td = testdata;
using platform::kHKeyCurrentUser;

namespace {

const std::string kFolder = "C:\\Users\\u\\AppData\\Local\\Tessivar\\Sicherungen";
const std::string kAddons = "C:\\Programme\\Zusätze";
const std::string kRunOnce(ChangeRecord::kRunOnceKey);
const std::string kMark = kFolder + "\\" + std::string(ChangeRecord::kFileName);

class NoWindow : public IProgressWindow {
public:
    void Show(std::string_view) override {}
    void SetInfo(std::string_view) override {}
};

// One user's machine: ACT!'s configuration, the add-ons' files, the backups.
struct Machine {
    Machine() {
        std::vector<td::StoredCommand> commands;
        for (std::uint32_t i = 0; i < 6; ++i) commands.push_back({30101 + i, "Befehl " + std::to_string(i)});
        td::SeedTable(sub.registry, commands);
        const std::string bar = actregistry::ToolbarKey(0);
        sub.registry.Put(kHKeyCurrentUser, bar, "Buttons", platform::kRegBinary, td::Entries({57600, 0, 30102}));
        sub.registry.PutText(kHKeyCurrentUser, bar, "WindowName", "Kontaktsymbolleiste");
        sub.registry.PutDword(kHKeyCurrentUser, bar, "TypeID", 1);
        sub.registry.PutDword(kHKeyCurrentUser, std::string(actregistry::kToolbarSummary), "Bars", 1);
        sub.files.Put(kAddons + "\\Route.cmd",
                      td::CommandFile(td::Record(1, "Route"), td::Image(24, 24, 3), td::Image(16, 16, 3)));
    }
    // The next start after a death: the same disk and registry.
    Machine(const platform::MemoryRegistry& registry, const platform::MemoryFileSystem& files) {
        sub.registry = registry;
        sub.registry.SetFaultHook(nullptr);
        sub.files = files;
    }
    std::map<std::string, platform::MemoryRegistry::Value> Configuration() const {  // NOLINT
        return sub.registry.Snapshot(kHKeyCurrentUser, actregistry::kMenuConfig);
    }
    bool Repair() { return RepairUnfinished({sub.registry, sub.text, sub.messages}, locks, backups, record); }
    modHaupt::Services Run(const std::string& addon) {
        return {sub.Commands(), window, locks, addon, kAddons, true, backups};
    }
    modListActions::Services List() { return {sub.Commands(), locks, backups}; }

    SubstituteServices sub;
    platform::MemoryNamedMutex locks;
    platform::FakeClock clock;
    NoWindow window;
    ChangeRecord record{sub.files, sub.registry, sub.text, "\"C:\\Programme\\tessivar.exe\" /reparieren"};
    modBackup::Store backups{sub.files, clock, kFolder, &record};
};

using Configuration = std::map<std::string, platform::MemoryRegistry::Value>;

// The values that differ between two configurations, by name: short enough to read in a failure.
std::vector<std::string> Differences(const Configuration& a, const Configuration& b) {
    std::vector<std::string> names;
    for (const auto& [name, value] : a) {
        const auto it = b.find(name);
        if (it == b.end() || !(it->second == value)) names.push_back(name);
    }
    for (const auto& [name, value] : b) {
        if (!a.contains(name)) names.push_back(name);
    }
    return names;
}

using Change = std::function<void(Machine&)>;

// Kills the change at its first write, then at its second, and so on to
// its last; each time the next start must find the configuration as it was
// before the change, or, once the change had deleted its mark, as after it;
// and no mark left. Gives the number of writes.
int KillAtEveryWrite(const Change& prepare, const Change& change) {
    Machine whole;
    prepare(whole);
    whole.sub.registry.ClearLog();
    change(whole);
    const auto after = whole.Configuration();
    const int writes =
        static_cast<int>(std::count_if(whole.sub.registry.Calls().begin(), whole.sub.registry.Calls().end(),
                                       [&](const auto& call) { return whole.sub.registry.IsWrite(call); }));
    for (int k = 1; k <= writes; ++k) {
        Machine machine;
        prepare(machine);
        const auto before = machine.Configuration();
        std::optional<platform::MemoryRegistry> deadRegistry;
        std::optional<platform::MemoryFileSystem> deadFiles;
        int seen = 0;
        machine.sub.registry.SetFaultHook([&](const platform::MemoryRegistry::Call& call) -> long {
            if (machine.sub.registry.IsWrite(call) && ++seen == k) {
                deadRegistry.emplace(machine.sub.registry);
                deadFiles.emplace(machine.sub.files);
            }
            return platform::kErrorSuccess;
        });
        change(machine);
        if (!deadRegistry) return k - 1;

        Machine next(*deadRegistry, *deadFiles);
        const bool marked = next.sub.files.Exists(kMark);
        EXPECT_TRUE(next.Repair()) << "write " << k;
        EXPECT_EQ(Differences(next.Configuration(), marked ? before : after), std::vector<std::string>{})
            << "write " << k;
        EXPECT_FALSE(next.sub.files.Exists(kMark)) << "write " << k;
        // A logon entry without its mark repairs nothing; with it, it goes with it.
        if (marked) EXPECT_FALSE(next.sub.registry.Get(kHKeyCurrentUser, kRunOnce, "Tessivar")) << "write " << k;
        // Said once; a start with nothing to repair says nothing.
        const std::size_t said = next.sub.messages.Shown().size();
        EXPECT_EQ(said, marked ? 1u : 0u) << "write " << k;
        EXPECT_TRUE(next.Repair());
        EXPECT_EQ(next.sub.messages.Shown().size(), said);
    }
    return writes;
}

void Nothing(Machine&) {}

TEST(KilledChange, EveryWriteOfEveryKindOfChangeIsPutBackAtTheNextStart) {
    const int install = KillAtEveryWrite(Nothing, [](Machine& m) {
        auto run = m.Run("Route");
        modHaupt::Install(run, modHaupt::kContactToolbar);
    });
    const int removal = KillAtEveryWrite(Nothing, [](Machine& m) {
        auto run = m.Run("Befehl 1");
        modHaupt::Deinstall(run, modHaupt::kContactToolbar);
    });
    const Change installed = [](Machine& m) {
        auto run = m.Run("Route");
        modHaupt::Install(run, modHaupt::kContactToolbar);
    };
    const int restore = KillAtEveryWrite(installed, [](Machine& m) {
        auto run = m.Run("");
        modHaupt::Restore(run, modBackup::List(m.backups).front().path);
    });
    const int load = KillAtEveryWrite(Nothing, [](Machine& m) {
        clCustomTessivars table(m.sub.Commands());
        modListActions::LoadCommand(m.List(), table, kAddons + "\\Route.cmd");
    });
    const int deletion = KillAtEveryWrite(Nothing, [](Machine& m) {
        clCustomTessivars table(m.sub.Commands());
        modListActions::DeleteCommand(m.List(), table, 0);
    });
    const int edit = KillAtEveryWrite(Nothing, [](Machine& m) {
        clCustomTessivars table(m.sub.Commands());
        modEditCommand::Edit renamed = modEditCommand::TextsOf(table.Item(1));
        renamed.name = "Umbenannt";
        renamed.small = ByteArray(table.Item(1).BitmapSBytes().size(), 0x5A);
        modEditCommand::Apply(m.List(), table, 1, renamed);
    });
    const int paths = KillAtEveryWrite(Nothing, [](Machine& m) {
        clCustomTessivars table(m.sub.Commands());
        const modListActions::PathChange changes[] = {{1, "\"D:\\Neu Ort\\b.exe\" /a", "D:\\Neu Ort"},
                                                      {4, "D:\\Neu\\e.exe", ""}};
        modListActions::ChangePaths(m.List(), table, changes);
    });
    const int placing = KillAtEveryWrite(Nothing, [](Machine& m) {
        auto toolbars = modButtonPlacement::Read(m.sub.Registry(), 30102);
        ASSERT_EQ(toolbars.size(), 1u);
        ASSERT_TRUE(modButtonPlacement::Move(toolbars[0], 30102, -1));
        modButtonPlacement::Write(m.List(), toolbars, "Befehl 1");
    });
    // The mark and the logon entry come and go with each change, around its writes.
    for (int writes : {install, removal, restore, load, deletion}) EXPECT_GT(writes, 4);
    EXPECT_EQ(edit, 4) << "the logon entry, the record, the small picture, the entry taken away";
    EXPECT_EQ(placing, 3) << "the entry, the toolbar, the entry gone";
    EXPECT_EQ(paths, 4) << "the entry, the two records, the entry gone";
}

TEST(KilledChange, AChangeThatEndsLeavesNoMarkAndOneThatTookNoBackupMakesNone) {
    Machine machine;
    auto run = machine.Run("Route");
    ASSERT_EQ(modHaupt::Install(run, modHaupt::kContactToolbar), modHaupt::RunOutcome::Finished);
    const auto writes = machine.sub.registry.Writes();
    ASSERT_GE(writes.size(), 3u);
    EXPECT_EQ(writes.front().keyPath, "HKCU\\" + kRunOnce) << "the logon entry before ACT!'s first value";
    EXPECT_EQ(machine.sub.registry.Deletions().back().name, "Tessivar") << "and gone after its last";
    EXPECT_FALSE(machine.sub.files.Exists(kMark));
    EXPECT_EQ(machine.sub.files.Flushed().size(), 2u) << "the backup and the mark, before they are named";

    // The duplicate is refused before any backup: no mark, no entry.
    machine.sub.registry.ClearLog();
    ASSERT_EQ(modHaupt::Install(run, modHaupt::kContactToolbar), modHaupt::RunOutcome::NotInstalled);
    EXPECT_TRUE(machine.sub.registry.Writes().empty());
}

TEST(KilledChange, AMarkWhoseBackupIsGoneIsSaidAndDroppedOneThatCannotBeWrittenBackStays) {
    Machine machine;
    machine.sub.files.AddFolder(kFolder);
    machine.record.Open(kFolder, kFolder + "\\Sicherung 2026-12-09 05-30-12 Nr. 7.reg");
    machine.record.Close();
    EXPECT_FALSE(machine.sub.files.Exists(kMark));

    // A mark naming a backup that is not there: never repairable.
    machine.record.Open(kFolder, kFolder + "\\Sicherung 2026-12-09 05-30-12 Nr. 7.reg");
    machine.sub.registry.ClearLog();
    EXPECT_FALSE(machine.Repair());
    ASSERT_EQ(machine.sub.messages.Shown().size(), 1u);
    EXPECT_EQ(machine.sub.messages.Shown()[0].text.rfind(texts::kRepairFailedStart, 0), 0u);
    EXPECT_NE(machine.sub.messages.Shown()[0].text.find(texts::kRepairFailedForGood), std::string::npos);
    EXPECT_FALSE(machine.sub.files.Exists(kMark));
    EXPECT_TRUE(machine.Repair()) << "the next start goes on";

    // A real one whose writing back fails: it stays for the next start, and nothing runs.
    Machine killed;
    int seen = 0;
    killed.sub.registry.SetFaultHook([&](const platform::MemoryRegistry::Call& call) -> long {
        return killed.sub.registry.IsWrite(call) && ++seen == 3 ? platform::kErrorAccessDenied : 0;
    });
    auto run = killed.Run("Route");
    modHaupt::Install(run, modHaupt::kContactToolbar);  // undone in the process: its mark goes
    EXPECT_FALSE(killed.sub.files.Exists(kMark));
    killed.record.Open(kFolder, modBackup::List(killed.backups).front().path);
    killed.sub.registry.Put(kHKeyCurrentUser, std::string(actregistry::kCustomCommands), "Fremd", platform::kRegBinary,
                            {1});
    killed.sub.registry.FailWritesFrom(1);
    killed.sub.messages.Clear();
    EXPECT_FALSE(killed.Repair());
    EXPECT_NE(killed.sub.messages.Shown().at(0).text.find(texts::kRepairFailedAgain), std::string::npos);
    EXPECT_TRUE(killed.sub.files.Exists(kMark));
    killed.sub.registry.SetFaultHook(nullptr);
    EXPECT_TRUE(killed.Repair());
    EXPECT_FALSE(killed.sub.registry.Get(kHKeyCurrentUser, std::string(actregistry::kCustomCommands), "Fremd"))
        << "a value the change made is deleted";
}

TEST(KilledChange, AnotherTessivarsDeadChangeStopsTheNextChangeAndAMarkThatCannotGoIsEmptied) {
    // A list window open while a setup's run died: its next change would
    // take the half change for the state before.
    Machine machine;
    machine.sub.files.AddFolder(kFolder);
    {
        Machine setup;
        auto run = setup.Run("Route");
        modHaupt::Install(run, modHaupt::kContactToolbar);
        setup.record.Open(kFolder, modBackup::List(setup.backups).front().path);
        machine.sub.files = setup.sub.files;
    }
    machine.sub.registry.ClearLog();
    clCustomTessivars table(machine.sub.Commands());
    EXPECT_EQ(modListActions::DeleteCommand(machine.List(), table, 0), ChangeOutcome::Refused);
    EXPECT_TRUE(machine.sub.registry.Writes().empty());
    EXPECT_NE(machine.sub.messages.Shown().at(0).text.find(texts::kChangeStillUnfinished), std::string::npos);

    // A mark held open by someone else when its change ends: emptied, it marks nothing.
    Machine held;
    held.sub.files.onRemove = [](const std::string& path) {
        if (path == kMark) Raise(ErrorNumber::PermissionDenied);
    };
    auto run = held.Run("Route");
    ASSERT_EQ(modHaupt::Install(run, modHaupt::kContactToolbar), modHaupt::RunOutcome::Finished);
    const auto after = held.Configuration();
    EXPECT_TRUE(held.sub.files.Get(kMark)->empty());
    EXPECT_TRUE(held.Repair());
    EXPECT_EQ(held.Configuration(), after);
    EXPECT_TRUE(held.sub.messages.Shown().empty());
}

}  // namespace
