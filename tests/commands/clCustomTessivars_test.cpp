// The command table: identifiers, adding, removing with renumbering, and
// commands that cannot be read completely.
#include "commands/clCustomTessivars.h"

#include <gtest/gtest.h>

#include "commands/CommandData.h"
#include "base/AppError.h"
#include "base/UiTexts.h"
#include "common/ActRegistry.h"
#include "commands/SubstituteServices.h"
#include "platform/SubstitutePlatform.h"

namespace td = testdata;
using platform::kHKeyCurrentUser;

namespace {

const std::string kKey(actregistry::kCustomCommands);

class Table : public testing::Test {
protected:
    std::optional<platform::MemoryRegistry::Value> Value(const std::string& name) {
        return sub.registry.Get(kHKeyCurrentUser, kKey, name);
    }
    void PutFile(const std::string& path, std::uint32_t id, const std::string& cpName) {
        sub.files.Put(path, td::CommandFile(td::Record(id, cpName), td::Image(24, 24, 3, 7), td::Image(16, 16, 3, 9)));
    }
    std::vector<std::string> WrittenNames() {
        std::vector<std::string> names;
        for (const auto& w : sub.registry.Writes()) names.push_back(w.name);
        return names;
    }

    SubstituteServices sub;
};

TEST_F(Table, TheNewIdentifierIsTheSmallestFreeOneFrom30101) {
    td::SeedTable(sub.registry, {{30101, "A"}, {30102, "B"}, {30104, "C"}});
    PutFile("neu.cmd", 77, "Neu");
    clCustomTessivars table(sub.Commands());
    sub.registry.ClearLog();
    clCustomTessivar* added = table.Add("neu.cmd", {});
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->CommandID(), 30103);
    EXPECT_EQ(&table.Item(3), added);
    EXPECT_EQ(table.Count(), 4);
    EXPECT_EQ(WrittenNames(), (std::vector<std::string>{"Command-3", "BitmapL-30103", "BitmapS-30103", "Count"}));
    ByteArray record = td::Record(30103, "Neu");
    EXPECT_EQ(Value("Command-3")->data, record);
    EXPECT_EQ(Value("Count")->data, (ByteArray{4, 0, 0, 0}));

    SubstituteServices other;
    td::SeedTable(other.registry, {{100, "A"}, {90000, "B"}});
    other.files.Put("neu.cmd", *sub.files.Get("neu.cmd"));
    clCustomTessivars low(other.Commands());
    EXPECT_EQ(low.Add("neu.cmd", {})->CommandID(), 30101);
}

TEST_F(Table, ANameInUseIsRefusedWhateverItsLetterCaseButATrailingBlankMakesItNew) {
    td::SeedTable(sub.registry, {{30101, "Route \xC4nderung"}});
    PutFile("gleich.cmd", 1, "ROUTE \xE4NDERUNG");
    PutFile("blank.cmd", 1, "Route \xC4nderung ");
    clCustomTessivars table(sub.Commands());
    sub.registry.ClearLog();
    EXPECT_EQ(table.Add("gleich.cmd", {}), nullptr);
    EXPECT_TRUE(sub.registry.Writes().empty());
    ASSERT_EQ(sub.messages.Shown().size(), 1u);
    EXPECT_EQ(sub.messages.Shown()[0],
              (platform::MessageBoxRequest{"Es gibt schon einen ACT!-Benutzerbefehl mit dem Namen 'ROUTE äNDERUNG'.",
                                           "Tessivar", platform::MsgIcon::Information, platform::MsgButtons::Ok}));
    EXPECT_NE(table.Add("blank.cmd", {}), nullptr);
    EXPECT_EQ(table.Count(), 2);
}

TEST_F(Table, WithoutCountTheTableIsEmptyAndTheFirstAddStartsIt) {
    PutFile("a.cmd", 1, "A");
    clCustomTessivars table(sub.Commands());
    EXPECT_EQ(table.Count(), 0);
    EXPECT_EQ(table.Add("missing.cmd", {}), nullptr);
    ASSERT_NE(table.Add("a.cmd", {}), nullptr);
    EXPECT_EQ(Value("Count")->data, (ByteArray{1, 0, 0, 0}));
    EXPECT_EQ(Value("Count")->type, platform::kRegDword);
    EXPECT_TRUE(Value("Command-0"));
    EXPECT_THROW(table.Item(1), AppError);
    table.Clear();
    EXPECT_EQ(table.Count(), 1);
}

TEST_F(Table, RemoveMovesTheLaterRecordsDownThenLowersTheCount) {
    td::SeedTable(sub.registry, {{30101, "A"}, {30102, "B"}, {30103, "C"}});
    clCustomTessivars table(sub.Commands());
    sub.registry.ClearLog();
    ASSERT_TRUE(table.Remove(0));
    EXPECT_EQ(WrittenNames(), (std::vector<std::string>{"Command-0", "Command-1", "Count"}));
    EXPECT_EQ(Value("Command-0")->data, td::Record(30102, "B"));
    EXPECT_EQ(Value("Command-1")->data, td::Record(30103, "C"));
    // What nothing reads any more goes after the count: the record that
    // stood last and the removed command's images; the others' images stay.
    std::vector<std::string> deleted;
    for (const auto& call : sub.registry.Deletions()) deleted.push_back(call.name);
    EXPECT_EQ(deleted, (std::vector<std::string>{"Command-2", "BitmapL-30101", "BitmapS-30101"}));
    EXPECT_FALSE(Value("Command-2"));
    EXPECT_FALSE(Value("BitmapL-30101"));
    EXPECT_TRUE(Value("BitmapS-30102") && Value("BitmapL-30103"));
    EXPECT_EQ(Value("Count")->data, (ByteArray{2, 0, 0, 0}));
    EXPECT_EQ(table.Item(0).Name(), "B");
    EXPECT_EQ(table.Item(1).RegistryIndex(), 1);
}

TEST_F(Table, RemovingWhatIsNotThereSaysSoAndWritesNothing) {
    td::SeedTable(sub.registry, {{30101, "A"}, {30102, "B"}, {30103, "C"}});
    clCustomTessivars table(sub.Commands());
    sub.registry.ClearLog();
    EXPECT_FALSE(table.Remove(3));
    EXPECT_FALSE(table.Remove(-1));
    EXPECT_TRUE(sub.registry.Writes().empty());
    ASSERT_EQ(sub.messages.Shown().size(), 2u);
    EXPECT_EQ(sub.messages.Shown()[0].text, "Es ist kein ACT!-Benutzerbefehl mit dem Index/Key '3' vorhanden.");
    EXPECT_EQ(sub.messages.Shown()[0].icon, platform::MsgIcon::Information);
}

// Whatever write a removal stops at, every command but the removed one is
// still in the table that ACT! reads afterwards.
TEST(TableInterrupted, ARemovalCutShortAtAnyWriteLosesNoOtherCommand) {
    const std::vector<td::StoredCommand> commands = {{30101, "A"}, {30102, "B"}, {30103, "C"}, {30104, "D"}};
    for (int removed = 0; removed < 4; ++removed) {
        for (int k = 1; k <= 11; ++k) {
            SubstituteServices sub;
            td::SeedTable(sub.registry, commands);
            {
                clCustomTessivars table(sub.Commands());
                sub.registry.FailWritesFrom(k);
                try {
                    table.Remove(removed);
                } catch (const AppError& e) {
                    EXPECT_EQ(e.number(), ErrorNumber::RegistryNotWritten);
                }
            }
            sub.registry.SetFaultHook(nullptr);
            clCustomTessivars fresh(sub.Commands());
            std::set<std::string> names;
            for (const auto& c : fresh) names.insert(c->Name());
            for (int other = 0; other < 4; ++other) {
                if (other == removed) continue;
                EXPECT_TRUE(names.contains(commands[other].cpName))
                    << "removing " << removed << ", writes failing from " << k << ": lost " << commands[other].cpName;
            }
        }
    }
}

TEST_F(Table, CommandsThatCannotBeReadStayInPlaceAndMoveUnchanged) {
    td::SeedTable(sub.registry, {{30101, "A"}, {30102, "B"}, {30103, "C"}, {30104, "D"}, {30105, "E"}, {30106, "F"}});
    const ByteArray shortRecord = {1, 2, 3};
    ByteArray bigId = td::Record(30102, "B");
    bigId[3] = 0x80;
    sub.registry.Put(kHKeyCurrentUser, kKey, "Command-1", platform::kRegBinary, shortRecord);
    sub.registry.Put(kHKeyCurrentUser, kKey, "Command-2", platform::kRegBinary, bigId);
    sub.registry.PutText(kHKeyCurrentUser, kKey, "Command-3", "kein Datensatz");
    ByteArray flat = td::Image(24, 24, 3);
    td::PutLong(flat, 4, 0);
    sub.registry.Put(kHKeyCurrentUser, kKey, "BitmapL-30105", platform::kRegBinary, flat);
    sub.registry.PutDword(kHKeyCurrentUser, kKey, "BitmapS-30106", 7);

    clCustomTessivars table(sub.Commands());
    ASSERT_EQ(table.Count(), 6);
    EXPECT_TRUE(table.Item(0).IsComplete());
    for (int i = 1; i < 6; ++i) EXPECT_FALSE(table.Item(i).IsComplete()) << i;
    EXPECT_EQ(table.Item(4).ReadProblem(), "Das große Schaltflächenbild hat die Breite oder Höhe 0.");

    sub.registry.ClearLog();
    ASSERT_TRUE(table.Remove(0));
    EXPECT_EQ(Value("Command-0")->data, shortRecord);
    EXPECT_EQ(Value("Command-1")->data, bigId);
    EXPECT_EQ(Value("Command-2")->type, platform::kRegSz);
    EXPECT_EQ(Value("Command-3")->data, td::Record(30105, "E"));
    EXPECT_EQ(Value("BitmapL-30105")->data, flat);
    EXPECT_EQ(Value("BitmapS-30106")->type, platform::kRegDword);
    for (const auto& w : sub.registry.Writes()) {
        EXPECT_NE(w.name, "BitmapL-0") << "an unreadable identifier must not name images";
    }
    EXPECT_TRUE(sub.messages.Shown().empty());
}

// ---------------------------------------------------------------------------
// Tables that must not be changed, and changes that must not reach values
// belonging to something else.

// One readable command under a "Count" that cannot be trusted: listed, and
// neither Add nor Remove writes anything.
TEST(UntrustedCount, IsListedAsFarAsItCanBeReadAndRefusesEveryChange) {
    struct Case {
        std::uint32_t type;
        ByteArray data;
        std::string reason;
    };
    const auto dword = [](std::uint32_t v) {
        return ByteArray{std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16), std::uint8_t(v >> 24)};
    };
    const std::vector<Case> cases = {
        {platform::kRegDword, dword(0xFFFFFFFF), "Der Wert \"Count\" der ACT!-Benutzerbefehle ist negativ (-1)."},
        {platform::kRegDword, dword(0x80000000),
         "Der Wert \"Count\" der ACT!-Benutzerbefehle ist negativ (-2147483648)."},
        {platform::kRegDword, dword(0x7FFFFFFF),
         "Der Wert \"Count\" der ACT!-Benutzerbefehle (2147483647) ist größer als die höchstens 50000 Befehle, die "
         "Tessivar liest."},
        {platform::kRegDword, dword(clCustomTessivars::kMaxCommands + 1), ""},
        {platform::kRegSz,
         {'v', 'i', 'e', 'r', 0},
         "Der Wert \"Count\" der ACT!-Benutzerbefehle kann nicht als Zahl gelesen werden."},
        {platform::kRegBinary, {2, 0, 0, 0}, ""},
        {platform::kRegDword, {2, 0}, ""},
        {11 /* REG_QWORD */, {2, 0, 0, 0, 0, 0, 0, 0}, ""},
    };
    for (const Case& c : cases) {
        SubstituteServices sub;
        td::SeedTable(sub.registry, {{30101, "A"}, {30102, "B"}});
        sub.registry.Put(kHKeyCurrentUser, kKey, "Count", c.type, c.data);
        sub.files.Put("neu.cmd", td::CommandFile(td::Record(1, "Neu"), td::Image(24, 24, 3), td::Image(16, 16, 3)));
        sub.registry.ClearLog();

        clCustomTessivars table(sub.Commands());
        EXPECT_FALSE(table.ChangeRefusal().empty());
        ASSERT_EQ(table.Count(), 2);
        EXPECT_EQ(table.Item(1).Name(), "B");
        EXPECT_EQ(table.Add("neu.cmd", {}), nullptr);
        EXPECT_FALSE(table.Remove(0));
        EXPECT_TRUE(sub.registry.Writes().empty());
        ASSERT_EQ(sub.messages.Shown().size(), 2u);
        const std::string& text = sub.messages.Shown()[0].text;
        EXPECT_EQ(text.rfind("Fehler in Klasse clCustomTessivars Methode Add\r\n", 0), 0u);
        if (!c.reason.empty()) {
            EXPECT_EQ(text.substr(text.find('\n') + 1),
                      c.reason + "\r\nDamit kein Befehl verloren geht, wird die Befehlstabelle nicht geändert.");
        }
        EXPECT_EQ(sub.messages.Shown()[1].text.rfind("Fehler in Klasse clCustomTessivars Methode Remove\r\n", 0), 0u);
    }
}

// Records with a one-pixel image each: large tables stay cheap to build.
void SeedLarge(platform::MemoryRegistry& reg, std::int32_t records, std::uint32_t count) {
    reg.PutDword(kHKeyCurrentUser, kKey, "Count", count);
    for (std::int32_t n = 0; n < records; ++n) {
        const std::uint32_t id = 30101 + static_cast<std::uint32_t>(n);
        reg.Put(kHKeyCurrentUser, kKey, "Command-" + std::to_string(n), platform::kRegBinary,
                td::Record(id, "Befehl " + std::to_string(n)));
        reg.Put(kHKeyCurrentUser, kKey, "BitmapL-" + std::to_string(id), platform::kRegBinary, td::Image(1, 1, 3));
        reg.Put(kHKeyCurrentUser, kKey, "BitmapS-" + std::to_string(id), platform::kRegBinary, td::Image(1, 1, 3));
    }
}

TEST(LargeTables, AreReadWholeUpToTheLimitAndRenumberedWithoutCreatingRecords) {
    {
        SubstituteServices sub;
        SeedLarge(sub.registry, 10003, 10003);
        clCustomTessivars table(sub.Commands());
        ASSERT_TRUE(table.ChangeRefusal().empty());
        ASSERT_TRUE(table.Remove(0));
        clCustomTessivars fresh(sub.Commands());
        ASSERT_EQ(fresh.Count(), 10002);
        for (std::int32_t n : {0, 9998, 9999, 10000, 10001}) {
            EXPECT_EQ(fresh.Item(n).Name(), "Befehl " + std::to_string(n + 1)) << n;
        }
    }
    // Four records under a "Count" of 12,000: the fourth moves down, the
    // slot it leaves is emptied, and no other number gets a value.
    constexpr std::int32_t kCount = 12000;
    SubstituteServices sub;
    SeedLarge(sub.registry, 4, kCount);
    clCustomTessivars table(sub.Commands());
    ASSERT_TRUE(table.ChangeRefusal().empty());
    EXPECT_EQ(table.Count(), kCount);
    ASSERT_TRUE(table.Remove(1));
    EXPECT_EQ(sub.registry.Get(kHKeyCurrentUser, kKey, "Command-2")->data, td::Record(30104, "Befehl 3"));
    EXPECT_EQ(sub.registry.Get(kHKeyCurrentUser, kKey, "Command-3")->data, ByteArray{});
    EXPECT_FALSE(sub.registry.Get(kHKeyCurrentUser, kKey, "Command-4"));
    int records = 0;
    for (const auto& w : sub.registry.Writes()) records += w.name.rfind("Command-", 0) == 0;
    EXPECT_EQ(records, 3);  // from the removed one's place on
    ByteArray count;
    td::PutLong(count, 0, kCount - 1);
    EXPECT_EQ(sub.registry.Get(kHKeyCurrentUser, kKey, "Count")->data, count);
}

TEST_F(Table, ANewIdentifierTakesNoNumberWhoseImagesAreStoredOrThatAToolbarCalls) {
    const std::vector<ByteArray> unreadable = {{1, 2, 3}, [] {
                                                   ByteArray r = td::Record(30102, "B");
                                                   r[3] = 0x80;
                                                   return r;
                                               }()};
    for (const ByteArray& record : unreadable) {
        SubstituteServices other;
        td::SeedTable(other.registry, {{30101, "A"}, {30102, "B"}});
        other.registry.Put(kHKeyCurrentUser, kKey, "Command-1", platform::kRegBinary, record);
        other.files.Put("neu.cmd", td::CommandFile(td::Record(1, "Neu"), td::Image(24, 24, 3), td::Image(16, 16, 3)));
        const auto images = other.registry.Get(kHKeyCurrentUser, kKey, "BitmapL-30102");
        clCustomTessivars table(other.Commands());
        ASSERT_NE(table.Add("neu.cmd", {}), nullptr);
        EXPECT_EQ(table.Item(2).CommandID(), 30103);
        EXPECT_EQ(other.registry.Get(kHKeyCurrentUser, kKey, "BitmapL-30102")->data, images->data);
    }

    td::SeedTable(sub.registry, {{30101, "A"}, {30102, "B"}});
    sub.registry.PutText(kHKeyCurrentUser, kKey, "Command-1", "kein Datensatz");  // its images stay stored
    sub.registry.PutDword(kHKeyCurrentUser, kKey, "BitmapS-30104", 1);  // left by a command long gone
    PutFile("neu.cmd", 1, "Neu");
    clCustomTessivars table(sub.Commands());
    ASSERT_NE(table.Add("neu.cmd", {30103, 30105, 7, -1}), nullptr);
    EXPECT_EQ(table.Item(2).CommandID(), 30106);
}

TEST_F(Table, ACommandFileWithoutANameOrCutShortIsRefusedAndAFullTableTakesNoMore) {
    sub.files.Put("leer.cmd", td::CommandFile(td::Record(1, ""), td::Image(16, 16, 3), td::Image(16, 16, 3)));
    sub.files.Put("satz.cmd", td::Record(1, "Nur Satz"));
    clCustomTessivars table(sub.Commands());
    EXPECT_EQ(table.Add("leer.cmd", {}), nullptr);
    EXPECT_EQ(sub.messages.Shown().back().text,
              "Fehler in Klasse clCustomTessivars Methode Add\r\nDie Datei leer.cmd\r\nenthält keinen Befehlsnamen.");
    EXPECT_EQ(table.Add("satz.cmd", {}), nullptr);
    EXPECT_NE(sub.messages.Shown().back().text.find(texts::kCommandFileShort), std::string::npos);
    EXPECT_TRUE(sub.registry.Writes().empty());

    // At the limit nothing more goes in; taking one out still works.
    sub.registry.PutDword(kHKeyCurrentUser, actregistry::kCustomCommands, "Count", clCustomTessivars::kMaxCommands);
    sub.files.Put("neu.cmd", td::CommandFile(td::Record(1, "Neu"), td::Image(16, 16, 3), td::Image(16, 16, 3)));
    clCustomTessivars full(sub.Commands());
    sub.messages.Clear();
    EXPECT_EQ(full.Add("neu.cmd", {}), nullptr);
    ASSERT_EQ(sub.messages.Shown().size(), 1u);
    EXPECT_NE(sub.messages.Shown()[0].text.find("50000"), std::string::npos);
    EXPECT_TRUE(sub.registry.Writes().empty());
    EXPECT_FALSE(full.RefuseChange(texts::kMethodRemove));
}

}  // namespace
