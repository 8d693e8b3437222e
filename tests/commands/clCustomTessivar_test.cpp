// One command: its record's fields, its registry values and its command file.
#include "commands/clCustomTessivar.h"

#include <gtest/gtest.h>

#include "commands/CommandData.h"
#include "base/AppError.h"
#include "base/UiTexts.h"
#include "commands/SubstituteServices.h"
#include "platform/SubstitutePlatform.h"

using platform::MsgIcon;
namespace td = testdata;

namespace {

const std::string kKey(actregistry::kCustomCommands);

class Command : public testing::Test {
protected:
    SubstituteServices sub;
    clCustomTessivar command{sub.Commands()};

    ByteArray Stored(const std::string& name) {
        auto v = sub.registry.Get(platform::kHKeyCurrentUser, kKey, name);
        return v ? v->data : ByteArray{};
    }
};

TEST_F(Command, TextFieldsAreCutToTheirWidthAndFilledWithZeros) {
    td::SeedTable(sub.registry, {{30101,
                                  "Adressen pr\xFC"
                                  "fen"}});
    command.Init(0);
    EXPECT_EQ(command.Name(), "Adressen prüfen");
    EXPECT_EQ(command.CommandID(), 30101);

    command.Name(std::string(130, 'N'));
    EXPECT_EQ(command.Name(), std::string(128, 'N'));
    EXPECT_EQ(command.CommandBytes()[144], 'C');  // the next field is untouched

    command.Zeile("Ä.exe");
    EXPECT_EQ(command.Zeile(), "Ä.exe");
    const ByteArray& r = command.CommandBytes();
    EXPECT_EQ(r[144], 0xC4);
    EXPECT_TRUE(std::all_of(r.begin() + 149, r.begin() + 400, [](std::uint8_t b) { return b == 0; }));

    command.Menu(std::string(322, 'M'));
    EXPECT_EQ(command.Menu(), std::string(322, 'M'));
    command.QuickInfo("Tipp");
    command.Beschreibung("Beschreibung");
    command.Start("C:\\ACT\\");
    EXPECT_EQ(command.QuickInfo(), "Tipp");
    EXPECT_EQ(command.Start(), "C:\\ACT\\");
    EXPECT_EQ(command.Beschreibung(), "Beschreibung");
    EXPECT_EQ(command.CommandBytes().size(), 1172u);
    EXPECT_TRUE(command.DataChanged());
}

TEST_F(Command, UpdateRegistryWritesOnlyAfterAChangeAndThenEveryTime) {
    td::SeedTable(sub.registry, {{30101, "A"}, {30105, "B"}});
    command.Init(1);
    sub.registry.ClearLog();
    command.UpdateRegistry();
    EXPECT_TRUE(sub.registry.Writes().empty());

    // A command that only moves writes its record; its images stay as they
    // are stored, even when someone changed them after they were read.
    sub.registry.Put(platform::kHKeyCurrentUser, kKey, "BitmapL-30105", platform::kRegBinary, td::Image(24, 24, 3, 9));
    command.RegistryIndex(0);
    command.UpdateRegistry();
    command.UpdateRegistry();
    auto writes = sub.registry.Writes();
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes[0].name, "Command-0");
    EXPECT_EQ(writes[0].data, td::Record(30105, "B"));
    EXPECT_EQ(writes[1].name, "Command-0");

    // A new identifier takes the images along under its name.
    sub.registry.ClearLog();
    command.CommandID(30110);
    command.UpdateRegistry();
    writes = sub.registry.Writes();
    ASSERT_EQ(writes.size(), 3u);
    EXPECT_EQ(writes[1].name, "BitmapL-30110");
    EXPECT_EQ(writes[1].data, td::Image(24, 24, 3, 1));
    EXPECT_EQ(writes[2].name, "BitmapS-30110");
    EXPECT_EQ(writes[2].type, platform::kRegBinary);
}

TEST_F(Command, ANewIdentifierMovesTheImagesAndLeavesTheOtherRecordBytesAlone) {
    td::SeedTable(sub.registry, {{30101, "A"}});
    command.Init(0);
    command.CommandID(30999);
    command.UpdateRegistry();
    ByteArray expected = td::Record(30999, "A");
    EXPECT_EQ(Stored("Command-0"), expected);  // bytes 4-15 as they were
    EXPECT_EQ(Stored("BitmapL-30999"), td::Image(24, 24, 3, 0));
}

TEST_F(Command, IdentifiersAreReadLittleEndianAndTopBytesFrom0x80CannotBeRead) {
    EXPECT_EQ(clCustomTessivar::GetLongAt({0xFF, 0xFF, 0xFF, 0x7F}, 0), 2147483647);
    EXPECT_EQ(clCustomTessivar::GetLongAt({9, 0x95, 0x75, 0, 0}, 1), 30101);
    EXPECT_THROW(clCustomTessivar::GetLongAt({0, 0, 0, 0x80}, 0), AppError);
    EXPECT_THROW(clCustomTessivar::GetLongAt({1, 2, 3}, 0), AppError);
    EXPECT_THROW(clCustomTessivar::GetLongAt({1, 2, 3, 4}, 2), AppError);
    ByteArray b(4);
    clCustomTessivar::SetLongAt(b, 0, 30101);
    EXPECT_EQ(b, (ByteArray{0x95, 0x75, 0, 0}));
}

TEST_F(Command, ASavedCommandLoadsBackByteForByte) {
    td::SeedTable(sub.registry, {{30101, "A"}});
    command.Init(0);
    ASSERT_TRUE(command.Save("C:\\Addons\\A.cmd"));
    const ByteArray* file = sub.files.Get("C:\\Addons\\A.cmd");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->size(), 1172u + 40 + 24 * 24 * 3 + 40 + 16 * 16 * 3);
    EXPECT_FALSE(command.DataChanged());

    clCustomTessivar loaded(sub.Commands());
    sub.files.Put("C:\\Addons\\B.cmd", [&] {
        ByteArray f = *file;
        f.push_back(0xEE);
        return f;
    }());
    ASSERT_TRUE(loaded.Load("C:\\Addons\\B.cmd"));
    EXPECT_EQ(loaded.CommandBytes(), command.CommandBytes());
    EXPECT_EQ(loaded.BitmapLBytes(), command.BitmapLBytes());
    EXPECT_EQ(loaded.BitmapSBytes(), command.BitmapSBytes());
    EXPECT_EQ(loaded.CommandID(), 0);  // the file's identifier waits in the record for Add
    EXPECT_TRUE(loaded.DataChanged());
    EXPECT_EQ(loaded.BytesPerPixel(), 3);
}

TEST_F(Command, FilesCutShortAndFoldersNamedLikeAFileAreRefused) {
    const ByteArray whole = td::CommandFile(td::Record(5, "X"), td::Image(24, 24, 3), td::Image(16, 16, 3));
    const auto refusal = [this](std::string_view why) {
        return "Fehler in Klasse clCustomTessivar - Load\r\nFehlernummer: 321\r\nFehlerbeschreibung: " +
               std::string(why);
    };
    // Shorter than the record and both image headers, or than an image its header announces.
    const std::pair<std::size_t, std::string_view> cuts[] = {{1000, texts::kCommandFileShort},
                                                             {1172 + 39, texts::kCommandFileShort},
                                                             {1172 + 40 + 100, texts::kCommandFileImageShort},
                                                             {whole.size() - 1, texts::kCommandFileImageShort}};
    for (const auto& [size, why] : cuts) {
        sub.files.Put("cut.cmd", ByteArray(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size)));
        sub.messages.Clear();
        EXPECT_FALSE(command.Load("cut.cmd")) << size;
        ASSERT_EQ(sub.messages.Shown().size(), 1u) << size;
        EXPECT_EQ(sub.messages.Shown()[0].text, refusal(why)) << size;
        EXPECT_FALSE(command.DataChanged());
    }
    sub.files.AddFolder("C:\\Addons\\Ordner.cmd");
    EXPECT_FALSE(command.Load("C:\\Addons\\Ordner.cmd"));
    sub.files.Put("ganz.cmd", whole);
    EXPECT_TRUE(command.Load("ganz.cmd"));
}

TEST_F(Command, LoadReportsAMissingFileAnUnreadableOneAndImpossibleImageSizes) {
    td::SeedTable(sub.registry, {{30101, "A"}});
    command.Init(0);
    const ByteArray before = command.CommandBytes();

    EXPECT_FALSE(command.Load("C:\\Addons\\Fehlt.cmd"));
    EXPECT_FALSE(command.DataChanged());
    ASSERT_EQ(sub.messages.Shown().size(), 1u);
    EXPECT_EQ(
        sub.messages.Shown()[0],
        (platform::MessageBoxRequest{"Fehler in Klasse clCustomTessivar - Load\r\nDie Datei C:\\Addons\\Fehlt.cmd\r\n"
                                     "wurde nicht gefunden.",
                                     "Tessivar", MsgIcon::Exclamation, platform::MsgButtons::Ok}));

    sub.files.Put("gesperrt.cmd", td::Record(1, "x"));
    sub.files.onOpen = [](const std::string& path, bool) {
        if (path == "gesperrt.cmd") throw AppError(70, "Zugriff verweigert");
    };
    EXPECT_FALSE(command.Load("gesperrt.cmd"));
    EXPECT_EQ(sub.messages.Shown()[1].text,
              "Fehler in Klasse clCustomTessivar - Load\r\nFehlernummer: 70\r\nFehlerbeschreibung: Zugriff verweigert");

    for (std::uint32_t size : {0x80000000u, 0xFFFFFFFFu, (1u << 20) + 1}) {
        ByteArray large = td::Image(24, 24, 3);
        td::PutLong(large, 20, size);
        sub.files.Put("boese.cmd", td::CommandFile(td::Record(1, "x"), large, td::Image(16, 16, 3)));
        EXPECT_FALSE(command.Load("boese.cmd")) << size;
        EXPECT_EQ(
            sub.messages.Shown().back().text.rfind("Fehler in Klasse clCustomTessivar - Load\r\nFehlernummer: 321\r\n"
                                                   "Fehlerbeschreibung: Die Datei gibt als Größe",
                                                   0),
            0u);
    }
    EXPECT_EQ(command.CommandBytes(), before);
}

TEST_F(Command, SaveReportsAFileThatCannotBeWritten) {
    sub.files.onOpen = [](const std::string&, bool) { throw AppError(76, "Pfad nicht gefunden"); };
    EXPECT_FALSE(command.Save("X:\\nirgends\\a.cmd"));
    ASSERT_EQ(sub.messages.Shown().size(), 1u);
    EXPECT_EQ(sub.messages.Shown()[0].text,
              "Fehler in Klasse clCustomTessivar\r\nFehlernummer: 76\r\nFehlerbeschreibung: Pfad nicht gefunden");
    EXPECT_EQ(sub.messages.Shown()[0].icon, MsgIcon::Exclamation);
}

}  // namespace
