// An edit written to ACT!'s configuration: only the record and the
// replaced pictures, the bytes nobody interprets as they were, and nothing
// at all when the table held is stale or a write fails.
#include "manager/modEditCommand.h"

#include <gtest/gtest.h>

#include "base/UiTexts.h"
#include "commands/CommandData.h"
#include "commands/SubstituteServices.h"
#include "platform/MemoryNamedMutex.h"

namespace td = testdata;
using modListActions::Outcome;
using platform::kHKeyCurrentUser;
using Strings = std::vector<std::string>;

namespace {

const std::string kCommands(actregistry::kCustomCommands);
const std::string kBackups = "C:\\Users\\u\\AppData\\Local\\Tessivar\\Sicherungen";

struct Machine {
    Machine() {
        td::SeedTable(sub.registry, {{30101, "Adressen"}, {30102, "Serienbrief"}, {30103, "Notiz"}});
        // What ACT! left behind the name's end stays unless the name changes.
        auto record = td::Record(30102, "Serienbrief");
        record[16 + 40] = 0x77;
        sub.registry.Put(kHKeyCurrentUser, kCommands, "Command-1", platform::kRegBinary, record);
    }
    Strings WrittenNames() const {
        Strings names;
        for (const auto& call : sub.registry.Writes()) names.push_back(call.name);
        return names;
    }
    ByteArray Stored(const std::string& name) const {
        auto v = sub.registry.Get(kHKeyCurrentUser, kCommands, name);
        return v ? v->data : ByteArray{};
    }
    auto Configuration() const { return sub.registry.Snapshot(kHKeyCurrentUser, actregistry::kMenuConfig); }

    SubstituteServices sub;
    platform::MemoryNamedMutex locks;
    platform::FakeClock clock;
    modBackup::Store backups{sub.files, clock, kBackups};
    modListActions::Services context{sub.Commands(), locks, backups};
};

// Command 1 renamed (with umlauts) and its large picture's pixels replaced.
modEditCommand::Edit Renamed(const clCustomTessivar& command) {
    modEditCommand::Edit edit = modEditCommand::TextsOf(command);
    edit.name = "Größenänderung";
    ByteArray large = command.BitmapLBytes();
    for (std::size_t i = 40; i < large.size(); ++i) large[i] = 0xEE;
    edit.large = large;
    return edit;
}

TEST(EditChange, OnlyTheRecordAndTheReplacedPictureAreWrittenTheBytesNobodyInterpretsAsTheyWere) {
    Machine m;
    clCustomTessivars table(m.sub.Commands());
    const ByteArray before = m.Stored("Command-1");
    const ByteArray smallBefore = m.Stored("BitmapS-30102");
    m.sub.registry.ClearLog();
    ASSERT_EQ(modEditCommand::Apply(m.context, table, 1, Renamed(table.Item(1))), Outcome::Done);
    EXPECT_EQ(m.WrittenNames(), (Strings{"Command-1", "BitmapL-30102"}));
    ASSERT_EQ(modBackup::List(m.backups).size(), 1u) << "a backup first";
    EXPECT_EQ(modBackup::List(m.backups)[0].reason, "Bearbeiten von 'Serienbrief'");

    const ByteArray record = m.Stored("Command-1");
    ASSERT_EQ(record.size(), 1172u);
    EXPECT_TRUE(std::equal(before.begin(), before.begin() + 16, record.begin())) << "identifier and ACT!'s bytes";
    const std::string cp =
        "Gr\xF6\xDF"
        "en\xE4"
        "nderung";
    EXPECT_EQ(std::string(record.begin() + 16, record.begin() + 16 + static_cast<std::ptrdiff_t>(cp.size())), cp);
    EXPECT_EQ(record[16 + 40], 0) << "the name's field cleared behind the new name";
    EXPECT_TRUE(std::equal(before.begin() + 144, before.end(), record.begin() + 144)) << "the other texts";
    EXPECT_EQ(m.Stored("BitmapL-30102"), *Renamed(table.Item(1)).large);
    EXPECT_EQ(m.Stored("BitmapS-30102"), smallBefore);

    // Read back as ACT! stored it; the table held is the one stored.
    clCustomTessivars again(m.sub.Commands());
    EXPECT_EQ(again.Item(1).Name(), "Größenänderung");
    EXPECT_EQ(again.Item(1).CommandID(), 30102);
    EXPECT_TRUE(modListActions::IsStillStored(m.sub.Registry(), table));

    // A picture alone writes its value alone; an edit of nothing writes nothing and takes no backup.
    modEditCommand::Edit small = modEditCommand::TextsOf(table.Item(2));
    small.small = ByteArray(m.Stored("BitmapS-30103"));
    small.small->back() ^= 0xFF;
    m.sub.registry.ClearLog();
    ASSERT_EQ(modEditCommand::Apply(m.context, table, 2, small), Outcome::Done);
    EXPECT_EQ(m.WrittenNames(), (Strings{"BitmapS-30103"}));
    m.sub.registry.ClearLog();
    EXPECT_EQ(modEditCommand::Apply(m.context, table, 0, modEditCommand::TextsOf(table.Item(0))), Outcome::Done);
    EXPECT_TRUE(m.WrittenNames().empty());
    EXPECT_EQ(modBackup::List(m.backups).size(), 2u);
    EXPECT_FALSE(m.locks.IsHeld(actregistry::kConfigurationLock));
}

TEST(EditChange, AStaleTableOrAWriteThatFailsAtAnyPointLeavesTheConfigurationAsItWas) {
    {
        Machine m;
        clCustomTessivars table(m.sub.Commands());
        m.sub.registry.Put(kHKeyCurrentUser, kCommands, "Command-2", platform::kRegBinary, td::Record(30103, "Anders"));
        const auto before = m.Configuration();
        m.sub.registry.ClearLog();
        EXPECT_EQ(modEditCommand::Apply(m.context, table, 1, Renamed(table.Item(1))), Outcome::Stale);
        EXPECT_TRUE(m.WrittenNames().empty());
        EXPECT_EQ(m.Configuration(), before);
        EXPECT_EQ(m.sub.messages.Shown().back().text, texts::kTableChanged);
        EXPECT_TRUE(modBackup::List(m.backups).empty());
    }
    for (int k = 1; k <= 2; ++k) {
        Machine m;
        clCustomTessivars table(m.sub.Commands());
        const auto before = m.Configuration();
        m.sub.registry.FailWrite(k);
        EXPECT_EQ(modEditCommand::Apply(m.context, table, 1, Renamed(table.Item(1))), Outcome::Undone) << k;
        EXPECT_EQ(m.Configuration(), before) << k;
        EXPECT_FALSE(m.locks.IsHeld(actregistry::kConfigurationLock));
    }
}

}  // namespace
