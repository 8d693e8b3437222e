// Backups of ACT!'s configuration over the substitutes: what a backup holds,
// which files are kept, and what a restore writes, in which order, and what
// it refuses to write at all.
#include "manager/modBackup.h"

#include <gtest/gtest.h>

#include "base/AppError.h"
#include "base/UiTexts.h"
#include "commands/CommandData.h"
#include "common/ActRegistry.h"
#include "manager/RegFile.h"
#include "manager/modBackupDiff.h"
#include "commands/SubstituteServices.h"
#include "platform/SubstitutePlatform.h"

namespace td = testdata;
using platform::kHKeyCurrentUser;

namespace {

const std::string kFolder = "C:\\Users\\u\\AppData\\Local\\Tessivar\\Sicherungen";
const std::string kMain(actregistry::kMenuConfig);
const std::string kCommands(actregistry::kCustomCommands);
const std::string kRoot = "HKEY_CURRENT_USER\\" + kMain;

class Backups : public testing::Test {
protected:
    void SetUp() override {
        td::SeedTable(sub.registry, {{30101, "Adressen"}, {30102, "Serienbrief"}});
        sub.registry.Put(kHKeyCurrentUser, actregistry::ToolbarKey(0), "Buttons", platform::kRegBinary,
                         td::Entries({57600, 0, 30101}));
        sub.registry.PutText(kHKeyCurrentUser, actregistry::ToolbarKey(0), "WindowName",
                             "Kontaktsymbolleiste f\xFCr Gr\xFC\xDF"
                             "e");
        sub.registry.PutDword(kHKeyCurrentUser, kMain, "Version", 3);
    }
    std::map<std::string, platform::MemoryRegistry::Value> Configuration() const {
        return sub.registry.Snapshot(kHKeyCurrentUser, kMain);
    }
    std::size_t ValueCount() const {
        std::size_t n = 0;
        for (const auto& [name, value] : Configuration()) n += name.find('|') != std::string::npos;
        return n;
    }
    std::vector<std::string> Names() {
        std::vector<std::string> names;
        if (!sub.files.FolderExists(kFolder)) return names;
        for (const auto& f : sub.files.ListFiles(kFolder)) names.push_back(f.name);
        return names;
    }
    std::string Path(const std::string& name) const { return kFolder + "\\" + name; }
    void Put(const std::string& name, const std::vector<regfile::Key>& keys) {
        sub.files.Put(Path(name), regfile::Write(keys));
    }
    bool Take() { return modBackup::Take(sub.Registry(), store); }
    bool Restore(const std::string& name) { return modBackup::Restore(sub.Registry(), store, Path(name)); }

    SubstituteServices sub;
    platform::FakeClock clock;
    modBackup::Store store{sub.files, clock, kFolder};
};

TEST_F(Backups, TheWholeKeyIsSavedAsARegistryFileAndASecondInTheSameSecondGetsItsOwnName) {
    ASSERT_TRUE(Take());
    ASSERT_TRUE(Take());
    EXPECT_EQ(Names(), (std::vector<std::string>{"Sicherung 2026-12-09 05-30-12 Nr. 1.reg",
                                                 "Sicherung 2026-12-09 05-30-12 Nr. 2.reg"}));
    const auto* file = sub.files.Get(Path("Sicherung 2026-12-09 05-30-12 Nr. 1.reg"));
    ASSERT_NE(file, nullptr);
    const std::vector<regfile::Key> keys = regfile::Parse(*file);
    ASSERT_EQ(keys.size(), 3u);
    EXPECT_EQ(keys[0].path, kRoot);
    EXPECT_EQ(keys[0].values, (std::vector<regfile::Value>{{"Version", RegistryValue(3)}}));
    const auto value = [&keys](const std::string& key, const std::string& name) {
        for (const auto& k : keys) {
            for (const auto& v : k.values) {
                if (k.path == kRoot + "\\" + key && v.name == name) return v.value;
            }
        }
        return RegistryValue();
    };
    EXPECT_EQ(value("ActToolBars-Bar0", "WindowName"), RegistryValue("Kontaktsymbolleiste für Grüße"));
    EXPECT_EQ(value("ActToolBars-Bar0", "Buttons"), RegistryValue(td::Entries({57600, 0, 30101})));
    EXPECT_EQ(value("CustomCommands", "Count"), RegistryValue(2));
    EXPECT_EQ(value("CustomCommands", "Command-1"),
              RegistryValue(sub.registry.Get(kHKeyCurrentUser, kCommands, "Command-1")->data));
    EXPECT_TRUE(sub.registry.Writes().empty()) << "a backup only reads";
    EXPECT_EQ(sub.registry.OpenHandleCount(), 0u);

    // The first pruned away: the next still sorts newest.
    sub.files.RemoveFile(Path("Sicherung 2026-12-09 05-30-12 Nr. 1.reg"));
    ASSERT_TRUE(Take());
    EXPECT_EQ(modBackup::List(store).front().name, "Sicherung 2026-12-09 05-30-12 Nr. 3.reg");
}

TEST_F(Backups, TheFolderIsLookedUpOnceWhenFirstNeeded) {
    int asked = 0;
    const modBackup::Store later{sub.files, clock, modBackup::Folder([&asked] {
                                     ++asked;
                                     return kFolder;
                                 })};
    EXPECT_EQ(asked, 0);
    ASSERT_TRUE(modBackup::Take(sub.Registry(), later));
    ASSERT_TRUE(modBackup::Take(sub.Registry(), later));
    EXPECT_EQ(modBackup::List(later).size(), 2u);
    EXPECT_EQ(asked, 1);
}

TEST_F(Backups, OnlyTheNewestTwentyOfItsOwnFilesAreKeptAndNothingElseIsTouched) {
    sub.files.AddFolder(kFolder);
    for (int day = 1; day <= 21; ++day) {
        sub.files.Put(
            Path("Sicherung 2026-11-" + std::string(day < 10 ? "0" : "") + std::to_string(day) + " 10-00-00.reg"),
            regfile::Write({}));
    }
    // Names that only look like Tessivar's: it never writes them.
    const std::vector<std::string> foreign = {"Notizen.txt",
                                              "Sicherung vom Montag.reg",
                                              "Sicherung 2026-01-01 10-00-00 (1).reg",
                                              "Sicherung 2026-01-01 10-00-00.reg.bak",
                                              "Sicherung 2020-01-01 00-00-01 (02).reg",
                                              "Sicherung 2020-01-01 00-00-01 Nr. 01.reg",
                                              "Sicherung 2020-01-01 00-00-01 Nr. 0.reg",
                                              "Sicherung 2020-13-01 00-00-01.reg",
                                              "Sicherung 2020-01-01 24-00-01.reg",
                                              "Sicherung 2020--1-01 00-00-01.reg",
                                              "Sicherung 2020-01-01 00-00-01 Nr. +5.reg"};
    for (const std::string& name : foreign) sub.files.Put(Path(name), {2});
    sub.files.SetAttributes(Path("Sicherung 2026-11-02 10-00-00.reg"), platform::kAttributeReadOnly);
    // A link named like the oldest backup: deleting it could delete what it points to.
    const std::string link = Path("Sicherung 2026-10-01 10-00-00.reg");
    sub.files.Put(link, {3});
    sub.files.SetAttributes(link, platform::kAttributeReparsePoint);

    // An earlier clock: the first numbered backup is still newer than all
    // of the older names.
    clock.SetLocal({2026, 11, 19, 9, 0, 0});
    ASSERT_TRUE(Take());
    EXPECT_EQ(sub.files.Removed(), (std::vector<std::string>{Path("Sicherung 2026-11-01 10-00-00.reg")}))
        << "the read-only second-oldest stays, and the change goes on";
    for (const std::string& name : foreign) EXPECT_TRUE(sub.files.Exists(Path(name))) << name;
    EXPECT_TRUE(sub.files.Exists(link));

    const std::vector<modBackup::Entry> listed = modBackup::List(store);
    ASSERT_EQ(listed.size(), 21u);
    EXPECT_EQ(listed[0].name, "Sicherung 2026-11-19 09-00-00 Nr. 1.reg");
    EXPECT_EQ(listed[1].name, "Sicherung 2026-11-21 10-00-00.reg");
    EXPECT_EQ(listed.back().name, "Sicherung 2026-11-02 10-00-00.reg");
    EXPECT_EQ(listed[1].size, regfile::Write({}).size());
    EXPECT_EQ(listed[0].size, sub.files.Get(listed[0].path)->size());
}

TEST_F(Backups, APartOrACutFileIsNoBackupAndBeyondTheNewestThreeTheRestStayUnderAGigabyte) {
    ASSERT_TRUE(Take());  // Nr. 1, whole
    // A process killed while writing: an older version's cut file under a
    // backup's name with a higher number, and a part under its own name.
    ByteArray cut = *sub.files.Get(Path("Sicherung 2026-12-09 05-30-12 Nr. 1.reg"));
    cut.resize(cut.size() - 10);
    sub.files.Put(Path("Sicherung 2026-12-09 05-30-12 Nr. 9.reg"), cut);
    sub.files.Put(Path("Sicherung 2026-12-09 05-30-12 Nr. 8.reg.teil"), cut);
    const auto listed = modBackup::List(store);
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].number, 1);

    ASSERT_TRUE(Take());
    EXPECT_EQ(modBackup::List(store).front().number, 2) << "numbered after the whole ones";
    EXPECT_FALSE(sub.files.Exists(Path("Sicherung 2026-12-09 05-30-12 Nr. 8.reg.teil"))) << "the part is gone";
    EXPECT_TRUE(sub.files.Exists(Path("Sicherung 2026-12-09 05-30-12 Nr. 9.reg"))) << "what it cannot tell stays";

    // Large ones: the newest three stay whatever their size; older ones
    // only while they add up to less than the limit (a gigabyte; here a
    // thousandth of it, in kilobytes for megabytes).
    constexpr std::uint64_t kMegabyte = 1'000;
    store.keptBytes = modBackup::kKeptBytes / 1'000'000 * kMegabyte;
    std::vector<std::uint64_t> sizes = {600, 500, 500, 300, 300, 300, 100};  // newest first, in MB
    const ByteArray whole = regfile::Write({});
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        ByteArray big(sizes[i] * kMegabyte - whole.size(), 0);
        big.insert(big.end(), whole.begin(), whole.end());
        sub.files.Put(Path("Sicherung 2026-12-10 05-30-12 Nr. " + std::to_string(100 - i) + ".reg"), std::move(big));
    }
    ASSERT_TRUE(Take());
    std::vector<std::int64_t> kept;
    for (const auto& e : modBackup::List(store)) kept.push_back(e.number);
    EXPECT_EQ(kept, (std::vector<std::int64_t>{101, 100, 99, 98, 97}));
}

TEST_F(Backups, TheNewestIsTheLastOneTakenWhateverTheClockSaid) {
    // A change made with the clock nine hours ahead, then every later one
    // at the right time.
    clock.SetLocal({2026, 12, 9, 14, 30, 0});
    ASSERT_TRUE(Take());
    const std::string ahead = Path("Sicherung 2026-12-09 14-30-00 Nr. 1.reg");
    sub.registry.PutDword(kHKeyCurrentUser, kMain, "Version", 4);
    clock.SetLocal({2026, 12, 9, 5, 31, 0});
    ASSERT_TRUE(Take());
    sub.registry.PutDword(kHKeyCurrentUser, kMain, "Version", 5);
    const std::vector<modBackup::Entry> two = modBackup::List(store);
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(two.front().name, "Sicherung 2026-12-09 05-31-00 Nr. 2.reg") << "restored by a plain /wiederherstellen";
    ASSERT_TRUE(modBackup::Restore(sub.Registry(), store, two.front().path));
    EXPECT_EQ(sub.registry.Get(kHKeyCurrentUser, kMain, "Version")->data, (ByteArray{4, 0, 0, 0}))
        << "only the last change undone";

    // Each later backup deletes the oldest, never the one of the change before it.
    for (int minute = 32; minute < 60; ++minute) {
        clock.SetLocal({2026, 12, 9, 5, minute, 0});
        const std::string before = modBackup::List(store).front().path;
        ASSERT_TRUE(Take());
        EXPECT_TRUE(sub.files.Exists(before)) << minute;
    }
    const std::vector<modBackup::Entry> kept = modBackup::List(store);
    ASSERT_EQ(kept.size(), modBackup::kKept);
    EXPECT_FALSE(sub.files.Exists(ahead));
    for (std::size_t i = 0; i + 1 < kept.size(); ++i) EXPECT_EQ(kept[i].number, kept[i + 1].number + 1);
}

TEST_F(Backups, NoBackupMeansAMessageAndNoFileNotEvenAPart) {
    sub.files.onOpen = [](const std::string&, bool forWriting) {
        if (forWriting) Raise(ErrorNumber::DiskFull);
    };
    EXPECT_FALSE(Take());
    EXPECT_TRUE(Names().empty());
    ASSERT_EQ(sub.messages.Shown().size(), 1u);
    EXPECT_EQ(sub.messages.Shown()[0].text.rfind(texts::kBackupNotWritten, 0), 0u);
    EXPECT_TRUE(sub.messages.Shown()[0].text.ends_with("Es wurde nichts geändert."));

    sub.files.onOpen = nullptr;
    sub.files.onCreateFolders = [](const std::string&) { Raise(ErrorNumber::PermissionDenied); };
    EXPECT_FALSE(Take());
    sub.files.onCreateFolders = nullptr;
    modBackup::Store nowhere{sub.files, clock, ""};
    EXPECT_FALSE(modBackup::Take(sub.Registry(), nowhere));
    EXPECT_NE(sub.messages.Shown().back().text.find(texts::kBackupNoFolder), std::string::npos);

    // Values that would not come back as they are: another type, a text
    // without its closing zero.
    for (const auto& [type, data] :
         {std::pair{platform::kRegExpandSz, ByteArray{'%', 'x', '%', 0}},
          std::pair{platform::kRegSz, ByteArray{'a', 'b'}}, std::pair{platform::kRegDword, ByteArray{1, 2}}}) {
        SubstituteServices odd;
        odd.registry.Put(kHKeyCurrentUser, kCommands, "Pfad", type, data);
        EXPECT_FALSE(modBackup::Take(odd.Registry(), store)) << type;
        ASSERT_EQ(odd.messages.Shown().size(), 1u);
        EXPECT_NE(odd.messages.Shown()[0].text.find("\"Pfad\" im Schlüssel " + kRoot + "\\CustomCommands"),
                  std::string::npos);
    }
    EXPECT_TRUE(Names().empty());
}

TEST_F(Backups, ARestoreWritesEveryValueBackAsItWasWithTheCountsLastAndBacksUpFirst) {
    const auto before = Configuration();
    ASSERT_TRUE(Take());
    const std::string name = Names().front();

    // What a run changes: a record, the count, the toolbar, a new record.
    sub.registry.Put(kHKeyCurrentUser, kCommands, "Command-1", platform::kRegBinary, td::Record(30102, "Ge\xE4ndert"));
    sub.registry.PutDword(kHKeyCurrentUser, kCommands, "Count", 3);
    sub.registry.Put(kHKeyCurrentUser, kCommands, "Command-2", platform::kRegBinary, td::Record(30103, "Neu"));
    sub.registry.Put(kHKeyCurrentUser, actregistry::ToolbarKey(0), "Buttons", platform::kRegBinary,
                     td::Entries({57600}));
    sub.registry.PutText(kHKeyCurrentUser, actregistry::ToolbarKey(0), "WindowName", "anders");
    sub.registry.ClearLog();
    clock.SetLocal({2026, 12, 9, 6, 0, 0});

    ASSERT_TRUE(Restore(name));
    auto after = Configuration();
    EXPECT_TRUE(after.erase("hkcu\\software\\symantec\\act!\\tbarmenuconfig\\act!\\customcommands|command-2"))
        << "a value the backup did not hold stays";
    EXPECT_EQ(after.size(), before.size());
    for (const auto& [key, value] : before) {
        ASSERT_TRUE(after.contains(key)) << key;
        EXPECT_EQ(after[key].type, value.type) << key;
        EXPECT_EQ(after[key].data, value.data) << key;
    }
    const auto writes = sub.registry.Writes();
    ASSERT_EQ(writes.size(), ValueCount() - 1);
    EXPECT_EQ(writes.back().name, "Count");
    for (std::size_t i = 0; i + 1 < writes.size(); ++i) EXPECT_NE(writes[i].name, "Count");
    EXPECT_TRUE(sub.files.Exists(Path("Sicherung 2026-12-09 06-00-00 Nr. 2.reg"))) << "the restore can be undone";
    EXPECT_EQ(sub.registry.OpenHandleCount(), 0u);
}

TEST_F(Backups, ADamagedOrForeignFileIsRefusedBeforeAnythingIsWritten) {
    sub.files.AddFolder(kFolder);
    const std::vector<regfile::Value> one = {{"Count", RegistryValue(0)}};
    Put("fremd-hklm.reg", {{"HKEY_LOCAL_MACHINE\\" + kMain + "\\CustomCommands", one}});
    Put("fremd-run.reg",
        {{"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run", {{"x", RegistryValue("y")}}}});
    Put("fremd-nachbar.reg", {{kRoot + "Evil", one}});
    Put("fremd-punkte.reg", {{kRoot + "\\..\\..\\..\\Microsoft", one}});
    Put("fremd-leer.reg", {{kRoot + "\\\\CustomCommands", one}});
    Put("fremd-zeichen.reg",
        {{kRoot + "\\CustomCommands", {{"Count", RegistryValue(0)}, {"Name", RegistryValue("Straße ↯")}}}});
    std::vector<std::uint8_t> cut = regfile::Write({{kRoot + "\\CustomCommands", one}});
    cut.resize(cut.size() - 40);
    sub.files.Put(Path("gekuerzt.reg"), cut);
    std::vector<std::uint8_t> text = regfile::Write({});
    sub.files.Put(Path("kein-unicode.reg"), std::vector<std::uint8_t>(text.begin() + 2, text.end()));

    sub.registry.ClearLog();
    for (const std::string name :
         {"fremd-hklm.reg", "fremd-run.reg", "fremd-nachbar.reg", "fremd-punkte.reg", "fremd-leer.reg",
          "fremd-zeichen.reg", "gekuerzt.reg", "kein-unicode.reg", "fehlt.reg"}) {
        sub.messages.Clear();
        EXPECT_FALSE(Restore(name)) << name;
        ASSERT_EQ(sub.messages.Shown().size(), 1u) << name;
        EXPECT_EQ(sub.messages.Shown()[0].text.rfind(
                      "Die Datei\r\n" + Path(name) + "\r\nwird nicht zurückgeschrieben:\r\n", 0),
                  0u)
            << sub.messages.Shown()[0].text;
    }
    EXPECT_TRUE(sub.registry.Writes().empty());
    EXPECT_EQ(modBackup::List(store).size(), 0u) << "a refused file takes no backup either";
    // The case of the key's own path does not matter, as in the registry.
    Put("klein.reg", {{"hkey_current_user\\software\\symantec\\act!\\tbarmenuconfig\\act!\\CustomCommands", one}});
    EXPECT_TRUE(Restore("klein.reg"));
}

// Each file starts with a good key and value, so a check made only while
// writing would have written them.
TEST_F(Backups, WhatTheRegistryOrARunWouldNotTakeIsRefusedBeforeTheFirstWrite) {
    sub.files.AddFolder(kFolder);
    const regfile::Key good{kRoot + "\\CustomCommands", {{"Command-0", RegistryValue(ByteArray{1, 2, 3})}}};
    const auto put = [&](const std::string& name, const regfile::Key& bad) { Put(name, {good, bad}); };
    const std::string nul("\0", 1);
    std::string deep = kRoot;
    for (int i = 0; i < 28; ++i) deep += "\\E";  // 33 levels below HKEY_CURRENT_USER
    put("teil-256.reg", {kRoot + "\\" + std::string(256, 'k'), {{"a", RegistryValue(1)}}});
    put("tief.reg", {deep, {{"a", RegistryValue(1)}}});
    put("wertname.reg", {kRoot, {{std::string(16384, 'w'), RegistryValue(1)}}});
    put("wertname-20000.reg", {kRoot, {{std::string(20000, 'w'), RegistryValue(1)}}});
    put("schluessel-nul.reg", {kRoot + "\\.." + nul, {{"a", RegistryValue(1)}}});
    put("wert-nul.reg", {kRoot + "\\CustomCommands", {{"Count" + nul + "x", RegistryValue(1)}}});
    put("count-text.reg", {kRoot + "\\CustomCommands", {{"Count", RegistryValue("zwei")}}});
    put("count-gross.reg", {kRoot + "\\CustomCommands", {{"Count", RegistryValue(0x7fffffff)}}});
    put("count-negativ.reg", {kRoot + "\\CustomCommands", {{"count", RegistryValue(-1)}}});
    put("count-binaer.reg", {kRoot + "\\CustomCommands", {{"Count", RegistryValue(ByteArray{1, 0, 0, 0})}}});
    sub.files.AddDevice(Path("AUX"));

    sub.registry.ClearLog();
    for (const std::string name :
         {"teil-256.reg", "tief.reg", "wertname.reg", "wertname-20000.reg", "schluessel-nul.reg", "wert-nul.reg",
          "count-text.reg", "count-gross.reg", "count-negativ.reg", "count-binaer.reg", "AUX"}) {
        sub.messages.Clear();
        EXPECT_FALSE(Restore(name)) << name;
        ASSERT_EQ(sub.messages.Shown().size(), 1u) << name;
        EXPECT_TRUE(sub.messages.Shown()[0].text.ends_with("Es wurde nichts geändert."))
            << sub.messages.Shown()[0].text;
    }
    EXPECT_TRUE(sub.registry.Writes().empty());
    EXPECT_TRUE(modBackup::List(store).empty());
    EXPECT_NE(sub.messages.Shown()[0].text.find(texts::kFileNotOrdinary), std::string::npos);

    // The limits themselves, and a "Count" a run reads, are taken.
    std::string deepest = kRoot;
    for (int i = 0; i < 27; ++i) deepest += "\\E";
    Put("grenzen.reg", {good,
                        {kRoot + "\\" + std::string(255, 'k'), {{std::string(16383, 'w'), RegistryValue(1)}}},
                        {deepest, {}},
                        {kRoot + "\\CustomCommands", {{"Count", RegistryValue("1")}}},
                        {kRoot + "\\ActToolBars-Summary", {{"Count", RegistryValue("zwei")}}}});
    EXPECT_TRUE(Restore("grenzen.reg")) << sub.messages.Shown().back().text;
    EXPECT_EQ(sub.registry.Writes().back().name, "Count");
}

// A value of many megabytes goes through backup and restore unchanged,
// and the list tells how much room the backups take.
TEST_F(Backups, ALargeValueComesBackWholeAndItsSizeIsShown) {
    ByteArray big(6 * 1024 * 1024 + 7);
    for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<std::uint8_t>(i * 31 + (i >> 12));
    sub.registry.Put(kHKeyCurrentUser, kCommands, "Gross", platform::kRegBinary, big);
    ASSERT_TRUE(Take());
    sub.registry.Put(kHKeyCurrentUser, kCommands, "Gross", platform::kRegBinary, {1});
    const std::vector<modBackup::Entry> listed = modBackup::List(store);
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_GT(listed[0].size, big.size() * 6);
    ASSERT_TRUE(Restore(listed[0].name));
    EXPECT_EQ(sub.registry.Get(kHKeyCurrentUser, kCommands, "Gross")->data, big);

    EXPECT_EQ(modBackup::SizeText(512), "512 Byte");
    EXPECT_EQ(modBackup::SizeText(12 * 1024), "12,0 KB");
    EXPECT_EQ(modBackup::SizeText(1258291), "1,2 MB");
    EXPECT_EQ(modBackup::SizeText(210u * 1024 * 1024), "210 MB");
}

TEST_F(Backups, AWriteThatFailsPartWayIsPutBackAndTheMessageNamesTheValue) {
    ASSERT_TRUE(Take());
    const std::string name = Names().front();
    sub.registry.PutDword(kHKeyCurrentUser, kCommands, "Count", 1);
    const auto before = sub.registry.Snapshot(kHKeyCurrentUser, actregistry::kMenuConfig);
    sub.registry.FailWrite(3);
    EXPECT_FALSE(Restore(name));
    EXPECT_EQ(sub.registry.Snapshot(kHKeyCurrentUser, actregistry::kMenuConfig), before);
    const std::string& text = sub.messages.Shown().back().text;
    EXPECT_NE(text.find(" konnte nicht geschrieben werden (Systemfehler 5)."), std::string::npos) << text;
    EXPECT_NE(text.find(texts::kChangeUndone), std::string::npos) << text;
}

TEST(BackupNames, ReadBackByDateAndSequenceAndShownAsPeopleReadThem) {
    const auto e = modBackup::EntryOf("C:\\S", "Sicherung 2026-02-03 04-05-06 (12).reg");
    ASSERT_TRUE(e);
    EXPECT_EQ(e->path, "C:\\S\\Sicherung 2026-02-03 04-05-06 (12).reg");
    EXPECT_EQ(e->time, (platform::LocalTime{2026, 2, 3, 4, 5, 6}));
    EXPECT_EQ(e->sequence, 12);
    EXPECT_EQ(modBackup::Readable(e->time), "03.02.2026, 04:05:06 Uhr");
    const auto numbered = modBackup::EntryOf("C:\\S", "Sicherung 2026-02-03 04-05-06 Nr. 4711.reg");
    ASSERT_TRUE(numbered);
    EXPECT_EQ(numbered->number, 4711);
    EXPECT_EQ(numbered->time, (platform::LocalTime{2026, 2, 3, 4, 5, 6}));
    for (const std::string bad :
         {"Sicherung 2026-02-03 04-05-06.txt", "Sicherung 2026-02-03 04-05.reg",
          "Sicherung 2026-02-03 04-05-06 (02).reg", "Sicherung 2026-02-03 04-05-06 Nr. 007.reg",
          "Sicherung 2026-02-03 04-05-06 Nr.5.reg", "Sicherung 2026-02-03 04-05-06 Nr. 5 (2).reg",
          "Sicherung 2026-02-03 04-05-06 ().reg", "Sicherung 2026-02-03 04-05-06 (x).reg",
          "Sicherung 2026-2-03 04-05-06.reg", "sicherung 2026-02-03 04-05-06.reg"}) {
        EXPECT_FALSE(modBackup::EntryOf("C:\\S", bad)) << bad;
    }
    EXPECT_EQ(modBackup::RestoreQuestion("C:\\S\\Sicherung 2026-02-03 04-05-06.reg")
                  .rfind("Soll die Sicherung vom 03.02.2026, 04:05:06 Uhr zurückgeschrieben werden?", 0),
              0u);
    EXPECT_EQ(modBackup::RestoreQuestion("D:\\eigene.reg")
                  .rfind("Soll die Sicherung\r\nD:\\eigene.reg zurückgeschrieben werden?", 0),
              0u);
}

}  // namespace

namespace {

using Diff = modBackupDiff::Difference;

TEST_F(Backups, ABackupNamesWhatItWasTakenBeforeAndTheRegistryEditorStillReadsIt) {
    ASSERT_TRUE(modBackup::Take(sub.Registry(), store, "L\xC3\xB6schen von 'Notizen'\r\nzweite Zeile"));
    ASSERT_TRUE(Take());  // an older version's backup names nothing
    const auto entries = modBackup::List(store);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1].reason, "L\xC3\xB6schen von 'Notizen'  zweite Zeile") << "one line, umlauts whole";
    EXPECT_EQ(entries[0].reason, "");
    // The reason is a comment: the file reads as before, and restores.
    EXPECT_EQ(modBackup::Keys(sub.files, entries[1].path), modBackup::Keys(sub.files, entries[0].path));
    EXPECT_TRUE(Restore(entries[1].name));
    EXPECT_EQ(modBackup::List(store).front().reason,
              "Zur\xC3\xBC"
              "ckschreiben von Nr. 1");
    EXPECT_EQ(modBackup::RestoreReason("C:\\x\\Sicherung 2026-12-09 05-30-12.reg"),
              "Zur\xC3\xBC"
              "ckschreiben der Sicherung vom 09.12.2026, 05:30:12 Uhr");
    EXPECT_EQ(modBackup::RestoreReason("C:\\x\\alt.reg"),
              "Zur\xC3\xBC"
              "ckschreiben 'alt.reg'");
}

// What a restore would change is told by command name and toolbar, and a
// command that only moved or a backup equal to now tells nothing.
TEST_F(Backups, TheDifferencesAreWhatTheRestoreWouldChange) {
    const auto differences = [this](const std::string& path) {
        return modBackupDiff::Compare(modBackup::Current(sub.Registry()), modBackup::Keys(sub.files, path), sub.text);
    };
    ASSERT_TRUE(Take());
    const std::string backup = modBackup::List(store).front().path;
    EXPECT_TRUE(differences(backup).empty());

    // Since then: "Adressen" deleted (so "Serienbrief" moved to number 0),
    // "Notizen" added, the toolbar's buttons and one other value changed.
    td::SeedTable(sub.registry, {{30102, "Serienbrief"}, {30103, "Notizen"}});
    sub.registry.Put(kHKeyCurrentUser, kCommands, "BitmapL-30102", platform::kRegBinary, td::Image(24, 24, 3, 1));
    sub.registry.Put(kHKeyCurrentUser, kCommands, "BitmapS-30102", platform::kRegBinary, td::Image(16, 16, 3, 101));
    sub.registry.Put(kHKeyCurrentUser, actregistry::ToolbarKey(0), "Buttons", platform::kRegBinary,
                     td::Entries({57600}));
    sub.registry.PutDword(kHKeyCurrentUser, kMain, "Version", 4);
    EXPECT_EQ(differences(backup), (std::vector<Diff>{
                                       {"Befehl", "Adressen", "kommt hinzu"},
                                       {"Befehl", "Notizen", "wird entfernt"},
                                       {"Symbolleiste",
                                        "Kontaktsymbolleiste f\xC3\xBCr Gr\xC3\xBC\xC3\x9F"
                                        "e",
                                        "Schaltfl\xC3\xA4"
                                        "chen werden ge\xC3\xA4ndert"},
                                       {"Weitere Werte", "", "1 Werte werden geschrieben"},
                                   }));

    // A command whose picture differs is changed; a toolbar the backup holds and now lacks comes back.
    ASSERT_TRUE(Take());
    const std::string second = modBackup::List(store).front().path;
    sub.registry.Put(kHKeyCurrentUser, kCommands, "BitmapL-30103", platform::kRegBinary, td::Image(24, 24, 3, 77));
    ASSERT_EQ(sub.registry.DeleteKey(kHKeyCurrentUser, actregistry::ToolbarKey(0)), 0);
    EXPECT_EQ(differences(second), (std::vector<Diff>{
                                       {"Befehl", "Notizen", "wird ge\xC3\xA4ndert"},
                                       {"Symbolleiste",
                                        "Kontaktsymbolleiste f\xC3\xBCr Gr\xC3\xBC\xC3\x9F"
                                        "e",
                                        "kommt hinzu"},
                                   }));
}

}  // namespace
