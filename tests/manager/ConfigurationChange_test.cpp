// Every change of ACT!'s configuration is all or nothing: whichever of its
// writes fails, the configuration afterwards is the one before, byte for
// byte, and the change says it failed, naming the value.
#include <gtest/gtest.h>

#include <functional>

#include "base/AppError.h"
#include "base/UiTexts.h"
#include "commands/CommandData.h"
#include "common/modRegistry.h"
#include "manager/ConfigurationChange.h"
#include "manager/modHaupt.h"
#include "manager/modListActions.h"
#include "platform/MemoryNamedMutex.h"
#include "commands/SubstituteServices.h"
#include "platform/SubstitutePlatform.h"

namespace td = testdata;
using platform::kHKeyCurrentUser;

namespace {

const std::string kCommands(actregistry::kCustomCommands);
const std::string kFolder = "C:\\Programme\\ACT Zusätze";

class NoWindow : public IProgressWindow {
public:
    void Show(std::string_view) override {}
    void SetInfo(std::string_view) override {}
};

// One world per try: ACT!'s configuration with two commands on the contact
// toolbar, an add-on's command file, and one backup to restore.
struct World {
    World() {
        td::SeedTable(sub.registry, {{30101, "Adressen"}, {30102, "Route"}, {30103, "Serienbrief"}});
        for (int n = 0; n < 2; ++n) {
            const std::string key = actregistry::ToolbarKey(n);
            sub.registry.PutDword(kHKeyCurrentUser, key, "TypeID", 1);
            sub.registry.Put(kHKeyCurrentUser, key, "Buttons", platform::kRegBinary,
                             td::Entries({57600, 0, 30101, 0, 30102}));
            sub.registry.PutText(kHKeyCurrentUser, key, "WindowName",
                                 n == 0 ? "Kontaktsymbolleiste" : "Gruppensymbolleiste");
        }
        sub.registry.PutDword(kHKeyCurrentUser, std::string(actregistry::kToolbarSummary), "Bars", 2);
        sub.files.Put(kFolder + "\\Neu.cmd",
                      td::CommandFile(td::Record(4711, "Neu"), td::Image(24, 24, 3), td::Image(16, 16, 3)));
        // The backup holds the table before "Serienbrief" came and a changed
        // image; a restore writes all of it back.
        sub.registry.PutDword(kHKeyCurrentUser, kCommands, "Count", 2);
        sub.registry.Put(kHKeyCurrentUser, kCommands, "BitmapL-30101", platform::kRegBinary, td::Image(24, 24, 3, 77));
        EXPECT_TRUE(modBackup::Take(sub.Registry(), backups));
        sub.registry.PutDword(kHKeyCurrentUser, kCommands, "Count", 3);
        sub.registry.Put(kHKeyCurrentUser, kCommands, "BitmapL-30101", platform::kRegBinary, td::Image(24, 24, 3, 0));
    }
    std::map<std::string, platform::MemoryRegistry::Value> Configuration() const {
        return sub.registry.Snapshot(kHKeyCurrentUser, actregistry::kMenuConfig);
    }
    modHaupt::Services Run(bool quiet) { return {sub.Commands(), window, locks, "Neu", kFolder, quiet, backups}; }
    modListActions::Services Actions() { return {sub.Commands(), locks, backups}; }

    SubstituteServices sub;
    platform::MemoryNamedMutex locks;
    NoWindow window;
    platform::FakeClock clock;
    modBackup::Store backups{sub.files, clock, "C:\\Users\\u\\AppData\\Local\\Tessivar\\Sicherungen"};
};

using Snapshot = std::map<std::string, platform::MemoryRegistry::Value>;

// The names whose values differ: what a failure message can show.
std::string Differences(const Snapshot& now, const Snapshot& before) {
    std::string out;
    for (const auto& [name, value] : now) {
        auto it = before.find(name);
        if (it == before.end())
            out += " +" + name;
        else if (!(it->second == value))
            out += " ~" + name;
    }
    for (const auto& [name, value] : before) {
        if (!now.contains(name)) out += " -" + name;
    }
    return out;
}

// A change and whether it reported success.
using Change = std::function<bool(World&)>;

int WritesOf(const Change& prepare, const Change& change) {
    World world;
    if (prepare) prepare(world);
    int writes = 0;
    world.sub.registry.SetFaultHook([&](const platform::MemoryRegistry::Call& call) -> long {
        writes += world.sub.registry.IsWrite(call);
        return 0;
    });
    EXPECT_TRUE(change(world));
    return writes;
}

// `prepare` shapes the world before the configuration is taken as "before".
void EachFailingWriteLeavesTheConfigurationAsItWas(const Change& change, const char* what, const Change& prepare = {}) {
    const int writes = WritesOf(prepare, change);
    ASSERT_GE(writes, 2) << what;
    for (int k = 1; k <= writes; ++k) {
        World world;
        if (prepare) prepare(world);
        const auto before = world.Configuration();
        world.sub.registry.FailWrite(k);
        EXPECT_FALSE(change(world)) << what << ", write " << k << " of " << writes;
        world.sub.registry.SetFaultHook(nullptr);
        EXPECT_EQ(Differences(world.Configuration(), before), "") << what << ", write " << k << " of " << writes;
        ASSERT_FALSE(world.sub.messages.Shown().empty()) << what << ", write " << k;
        const std::string& said = world.sub.messages.Shown().back().text;
        EXPECT_NE(said.find("konnte nicht"), std::string::npos) << said;
        EXPECT_NE(said.find(texts::kChangeUndone), std::string::npos) << what << ", write " << k << ": " << said;
    }
}

TEST(AllOrNothing, EveryRunOfTheCommandLineIsPutBackWhicheverWriteFails) {
    EachFailingWriteLeavesTheConfigurationAsItWas(
        [](World& w) {
            auto run = w.Run(true);
            return modHaupt::Install(run, modHaupt::kGroupToolbar) == modHaupt::RunOutcome::Finished;
        },
        "install");
    EachFailingWriteLeavesTheConfigurationAsItWas(
        [](World& w) {
            auto run = w.Run(true);
            run.AddonName = "route";
            return modHaupt::Deinstall(run, modHaupt::kContactToolbar) == modHaupt::RunOutcome::Finished;
        },
        "removal",
        [](World& w) {
            w.sub.registry.Put(kHKeyCurrentUser, kCommands, "Command-2", platform::kRegBinary,
                               td::Record(30103, "Route"));
            return true;
        });
    EachFailingWriteLeavesTheConfigurationAsItWas(
        [](World& w) {
            auto run = w.Run(true);
            return modHaupt::Restore(run, "") == modHaupt::RunOutcome::Finished;
        },
        "restore");
}

TEST(AllOrNothing, EveryChangeOfTheListWindowIsPutBackWhicheverWriteFailsAndTheWindowReadsAgain) {
    const auto outcome = [](World&, modListActions::Outcome o) {
        EXPECT_TRUE(o == modListActions::Outcome::Done || o == modListActions::Outcome::Undone);
        return o == modListActions::Outcome::Done;
    };
    EachFailingWriteLeavesTheConfigurationAsItWas(
        [&](World& w) {
            clCustomTessivars table(w.sub.Commands());
            return outcome(w, modListActions::LoadCommand(w.Actions(), table, kFolder + "\\Neu.cmd").outcome);
        },
        "load");
    EachFailingWriteLeavesTheConfigurationAsItWas(
        [&](World& w) {
            clCustomTessivars table(w.sub.Commands());
            return outcome(w, modListActions::DeleteCommand(w.Actions(), table, 0));
        },
        "deletion");
    EachFailingWriteLeavesTheConfigurationAsItWas(
        [&](World& w) { return outcome(w, modListActions::AddToContactToolbar(w.Actions(), 30103)); }, "button",
        [](World& w) {
            w.sub.registry.Put(kHKeyCurrentUser, actregistry::ToolbarKey(0), "Buttons", platform::kRegBinary,
                               td::Entries({57600}));
            return true;
        });
}

// When even putting back fails, the user is told so and where the state of
// before lies; a change never claims to be undone when it is not.
TEST(AllOrNothing, AnUndoThatFailsTooIsNotReportedAsDone) {
    World world;
    world.sub.registry.FailWritesFrom(2);
    auto run = world.Run(true);
    EXPECT_EQ(modHaupt::Install(run, modHaupt::kContactToolbar), modHaupt::RunOutcome::NotInstalled);
    const std::string& said = world.sub.messages.Shown().back().text;
    EXPECT_NE(said.find(texts::kChangeNotUndone), std::string::npos) << said;
}

TEST(Journal, PutsBackValuesAndKeysAndWritesNothingAfterTheFirstFailure) {
    SubstituteServices sub;
    sub.registry.PutText(kHKeyCurrentUser, "Software\\A", "Alt", "vorher");
    const auto before = sub.registry.Snapshot(kHKeyCurrentUser, "Software");
    {
        ConfigurationChange change(sub.Registry(), nullptr);
        const auto write = [&](const std::string& key, const std::string& name) {
            modRegistry::RegistrySetKeyValue(change.Registry(), modRegistry::HKeyCurrentUser, key, name,
                                             RegistryValue("neu"), RegType::Text);
        };
        write("Software\\A", "Alt");
        write("Software\\A\\B\\C", "Neu");
        modRegistry::RegistryDeleteValue(change.Registry(), modRegistry::HKeyCurrentUser, "Software\\A", "Alt");
        sub.registry.FailWritesFrom(1);
        EXPECT_THROW(write("Software\\A", "Dritter"), AppError);
        sub.registry.SetFaultHook(nullptr);
        // Past the first failure nothing more reaches the registry.
        sub.registry.ClearLog();
        EXPECT_THROW(write("Software\\A", "Vierter"), AppError);
        EXPECT_TRUE(sub.registry.Writes().empty());
        EXPECT_TRUE(change.Failed());
        EXPECT_FALSE(change.Finish());
    }
    EXPECT_EQ(sub.registry.Snapshot(kHKeyCurrentUser, "Software"), before);
    EXPECT_FALSE(sub.registry.KeyExists(kHKeyCurrentUser, "Software\\A\\B"));
    EXPECT_EQ(sub.messages.Shown().back().text,
              std::string("Der Wert \"Dritter\" im Schlüssel HKEY_CURRENT_USER\\Software\\A konnte nicht geschrieben "
                          "werden (Systemfehler 5).") +
                  std::string(texts::kChangeUndone));

    // A change left by an exception is put back too; one that ends well stays.
    try {
        ConfigurationChange change(sub.Registry(), nullptr);
        modRegistry::RegistrySetKeyValue(change.Registry(), modRegistry::HKeyCurrentUser, "Software\\A", "Alt",
                                         RegistryValue("halb"), RegType::Text);
        throw std::bad_alloc();
    } catch (const std::bad_alloc&) {}
    EXPECT_EQ(sub.registry.Snapshot(kHKeyCurrentUser, "Software"), before);
    {
        ConfigurationChange change(sub.Registry(), nullptr);
        modRegistry::RegistrySetKeyValue(change.Registry(), modRegistry::HKeyCurrentUser, "Software\\A", "Alt",
                                         RegistryValue("ganz"), RegType::Text);
        EXPECT_TRUE(change.Finish());
    }
    EXPECT_EQ(sub.registry.Get(kHKeyCurrentUser, "Software\\A", "Alt")->data, (ByteArray{'g', 'a', 'n', 'z', 0}));
}

// A value whose state cannot be read could not be put back: it is not written.
TEST(Journal, AValueThatCannotBeReadFirstIsNotWritten) {
    SubstituteServices sub;
    sub.registry.PutText(kHKeyCurrentUser, "Software\\A", "Alt", "vorher");
    ConfigurationChange change(sub.Registry(), nullptr);
    sub.registry.SetFaultHook([](const platform::MemoryRegistry::Call& call) -> long {
        return call.op == platform::MemoryRegistry::Op::QueryValue ? platform::kErrorAccessDenied : 0;
    });
    EXPECT_THROW(modRegistry::RegistrySetKeyValue(change.Registry(), modRegistry::HKeyCurrentUser, "Software\\A", "Alt",
                                                  RegistryValue("neu"), RegType::Text),
                 AppError);
    EXPECT_TRUE(sub.registry.Writes().empty());
    sub.registry.SetFaultHook(nullptr);
    EXPECT_FALSE(change.Finish());
}

}  // namespace
