// The command editor's logic over a recording window: the texts with the
// room left in their fields, what OK refuses, and the pictures replaced in
// the form the stored ones have.
#include "manager/clBearbeiten.h"

#include <gtest/gtest.h>

#include "commands/CommandData.h"
#include "commands/SubstituteServices.h"
#include "manager/BearbeitenControls.h"
#include "platform/MemoryImageCodec.h"
#include "platform/ScriptedFileDialogs.h"
#include "ui/RecordingForm.h"

namespace c = BearbeitenControls;
namespace td = testdata;
using platform::kHKeyCurrentUser;

namespace {

const std::string kCommands(actregistry::kCustomCommands);
const std::string kPicture = "C:\\Bilder\\Knopf.png";

// A picture of 2 x 2 pixels: top left red, top right transparent, bottom
// left green, bottom right blue; scaled up, each fills a quarter.
platform::Pixels Quarters() { return {2, 2, {0, 0, 255, 255, 9, 9, 9, 0, 0, 255, 0, 255, 255, 0, 0, 255}}; }

class CommandEditor : public testing::Test {
protected:
    void SetUp() override {
        td::SeedTable(sub.registry, {{30101,
                                      "Adressen pr\xFC"
                                      "fen"},
                                     {30102, "Serienbrief"}});
    }
    // The editor of command 0, its images stored with `bytesPerPixel`.
    clBearbeiten& Open(std::int32_t bytesPerPixel = 3) {
        sub.registry.Put(kHKeyCurrentUser, kCommands, "BitmapL-30101", platform::kRegBinary,
                         td::Image(24, 24, bytesPerPixel, 5));
        sub.registry.Put(kHKeyCurrentUser, kCommands, "BitmapS-30101", platform::kRegBinary,
                         td::Image(16, 16, bytesPerPixel, 50));
        table = std::make_unique<clCustomTessivars>(sub.Commands());
        const auto taken = [this](const std::string& lower) { return lower == "serienbrief"; };
        logic = std::make_unique<clBearbeiten>(
            clBearbeiten::Services{sub.text, sub.messages, dialogs, sub.graphics, images}, window, table->Item(0),
            taken);
        logic->Form_Load();
        return *logic;
    }
    void Type(ui::TextBoxId box, const std::string& text) {
        window.SetText(box, text);
        logic->txb_Change(box);
    }
    std::string LastMessage() const { return sub.messages.Shown().empty() ? "" : sub.messages.Shown().back().text; }
    // OK refused: a message, the window open, no edit.
    void ExpectRefused(const std::string& message, ui::TextBoxId focused) {
        const std::size_t shown = sub.messages.Shown().size();
        logic->cmdOK_Click();
        EXPECT_EQ(sub.messages.Shown().size(), shown + 1);
        EXPECT_EQ(LastMessage(), message);
        EXPECT_EQ(window.closes, 0);
        EXPECT_FALSE(logic->Result());
        EXPECT_TRUE(window.At(focused).focused);
    }

    SubstituteServices sub;
    platform::ScriptedFileDialogs dialogs;
    platform::MemoryImageCodec images;
    RecordingForm window{c::All(), "ACT!-Benutzerbefehl bearbeiten"};
    std::unique_ptr<clCustomTessivars> table;
    std::unique_ptr<clBearbeiten> logic;
};

TEST_F(CommandEditor, EachTextShowsTheRoomLeftInItsFieldCountedInActsCodePageAsTheUserTypes) {
    Open();
    EXPECT_EQ(window.Text(c::txbName), "Adressen prüfen");
    EXPECT_EQ(window.Text(c::lbRestName), "noch 113 Zeichen") << "ü is one byte for ACT!";
    EXPECT_EQ(window.Text(c::txbZeile), "C:\\ACT\\x.exe");
    EXPECT_EQ(window.Text(c::lbRestZeile), "noch 244 Zeichen");
    EXPECT_EQ(window.Text(c::lbRestStart), "noch 258 Zeichen");
    EXPECT_EQ(window.Text(c::lbRestQuickInfo), "noch 64 Zeichen");
    EXPECT_EQ(window.Text(c::lbRestBeschreibung), "noch 128 Zeichen");
    EXPECT_EQ(window.Text(c::lbRestMenu), "noch 322 Zeichen");
    EXPECT_TRUE(window.At(c::txbName).focused);
    for (auto [box, width] : {std::pair{c::txbName, 128u},
                              {c::txbZeile, 256u},
                              {c::txbStart, 258u},
                              {c::txbQuickInfo, 64u},
                              {c::txbBeschreibung, 128u},
                              {c::txbMenu, 322u}}) {
        EXPECT_EQ(clBearbeiten::Width(box), width);
    }

    std::string umlauts;
    for (int i = 0; i < 64; ++i) umlauts += "ä";
    Type(c::txbQuickInfo, umlauts);
    EXPECT_EQ(window.Text(c::lbRestQuickInfo), "noch 0 Zeichen") << "a full field";
    Type(c::txbQuickInfo, umlauts + "öüß");
    EXPECT_EQ(window.Text(c::lbRestQuickInfo), "3 Zeichen zu viel");
    ExpectRefused("Der Text im Feld 'QuickInfo' ist um 3 Zeichen zu lang.", c::txbQuickInfo);

    Type(c::txbQuickInfo, umlauts);
    logic->cmdOK_Click();
    ASSERT_TRUE(logic->Result());
    EXPECT_EQ(logic->Result()->quickInfo, umlauts);
    EXPECT_EQ(logic->Result()->name, "Adressen prüfen");
    EXPECT_FALSE(logic->Result()->large || logic->Result()->small) << "no picture replaced";
    EXPECT_EQ(window.closes, 1);
}

TEST_F(CommandEditor, OkRefusesATextActCannotStoreAnEmptyNameAndAnotherCommandsName) {
    Open();
    Type(c::txbBeschreibung, "Preis in € und £");
    Type(c::txbMenu, "Weiter → Ende");
    ExpectRefused(
        "Der Text im Feld 'Menü' enthält Zeichen, die ACT! nicht speichern kann (möglich sind nur die Zeichen der "
        "Codepage Windows-1252).",
        c::txbMenu);
    Type(c::txbMenu, "Weiter");
    Type(c::txbName, "");
    ExpectRefused("Bitte geben Sie dem Befehl einen Namen.", c::txbName);
    Type(c::txbName, "SERIENBRIEF");
    ExpectRefused("Es gibt schon einen ACT!-Benutzerbefehl mit dem Namen 'SERIENBRIEF'.", c::txbName);
    for (const auto& shown : sub.messages.Shown()) EXPECT_EQ(shown.icon, platform::MsgIcon::Information);

    // Its own name in other letters is no other command's.
    Type(c::txbName, "ADRESSEN PRÜFEN");
    logic->cmdOK_Click();
    ASSERT_TRUE(logic->Result());
    EXPECT_EQ(logic->Result()->name, "ADRESSEN PRÜFEN");
    EXPECT_EQ(logic->Result()->beschreibung, "Preis in € und £");
}

TEST_F(CommandEditor, BrowseQuotesAPathWithBlanksCancelAndEscCloseWithoutAnEdit) {
    Open();
    dialogs.QueueFile("C:\\Program Files\\Werkzeug\\tool.exe");
    logic->cmdDurchsuchen_Click();
    EXPECT_EQ(window.Text(c::txbZeile), "\"C:\\Program Files\\Werkzeug\\tool.exe\"");
    EXPECT_EQ(window.Text(c::lbRestZeile), "noch 220 Zeichen");
    ASSERT_EQ(dialogs.Calls().size(), 1u);
    EXPECT_TRUE(dialogs.Calls()[0].open);
    EXPECT_EQ(dialogs.Calls()[0].record.owner, 0x4711u);
    dialogs.QueueFile("C:\\Werkzeug\\tool.exe");
    logic->cmdDurchsuchen_Click();
    EXPECT_EQ(window.Text(c::txbZeile), "C:\\Werkzeug\\tool.exe");
    logic->cmdDurchsuchen_Click();  // cancelled
    EXPECT_EQ(window.Text(c::txbZeile), "C:\\Werkzeug\\tool.exe");

    logic->cmdAbbrechen_Click();
    EXPECT_EQ(window.closes, 1);
    EXPECT_FALSE(logic->Result());
    logic->Form_KeyPress(13);
    EXPECT_EQ(window.closes, 1);
    logic->Form_KeyPress(27);
    EXPECT_EQ(window.closes, 2);
    EXPECT_FALSE(logic->Result());
}

TEST_F(CommandEditor, ALoadedPictureTakesTheStoredFormItsTransparencyOverTheOldFirstPixel) {
    for (std::int32_t bytes : {3, 4}) {
        SCOPED_TRACE(bytes);
        sub.messages.Clear();
        window.closes = 0;
        Open(bytes);
        const ByteArray old = table->Item(0).BitmapLBytes();
        images.Put(kPicture, Quarters());
        dialogs.QueueFile(kPicture);
        logic->cmdBildLaden_Click(true);
        EXPECT_TRUE(sub.messages.Shown().empty());
        logic->cmdOK_Click();
        ASSERT_TRUE(logic->Result() && logic->Result()->large);
        EXPECT_FALSE(logic->Result()->small);
        const ByteArray& stored = *logic->Result()->large;
        ASSERT_EQ(stored.size(), old.size());
        EXPECT_TRUE(std::equal(old.begin(), old.begin() + 40, stored.begin())) << "the header as it was";
        const auto pixel = [&](std::size_t k) {
            const std::size_t at = 40 + k * static_cast<std::size_t>(bytes);
            return std::vector<int>{stored[at], stored[at + 1], stored[at + 2]};
        };
        // Stored first: the bottom row, from the left.
        EXPECT_EQ(pixel(0), (std::vector<int>{0, 255, 0})) << "bottom left green";
        EXPECT_EQ(pixel(23), (std::vector<int>{255, 0, 0})) << "bottom right blue";
        EXPECT_EQ(pixel(23 * 24), (std::vector<int>{0, 0, 255})) << "top left red";
        EXPECT_EQ(pixel(23 * 24 + 23), (std::vector<int>{old[40], old[41], old[42]})) << "transparent";
        if (bytes == 4) {
            for (std::size_t k = 0; k < 24 * 24; ++k) ASSERT_EQ(stored[40 + k * 4 + 3], old[40 + k * 4 + 3]) << k;
        }
    }
}

TEST_F(CommandEditor, APictureWithoutAUsableHeaderOrAFileThatIsNoPictureIsSaidAndNothingReplaced) {
    sub.registry.Put(kHKeyCurrentUser, kCommands, "BitmapS-30101", platform::kRegBinary, ByteArray(40, 0));
    table = std::make_unique<clCustomTessivars>(sub.Commands());
    clBearbeiten editor({sub.text, sub.messages, dialogs, sub.graphics, images}, window, table->Item(0),
                        [](const std::string&) { return false; });
    editor.Form_Load();
    editor.cmdBildLaden_Click(false);
    EXPECT_EQ(LastMessage(),
              "Das kleine Bild dieses Befehls kann nicht ersetzt werden: seine gespeicherten Bytes haben keinen "
              "lesbaren Bildkopf (Breite, Höhe und 3 oder 4 Bytes je Bildpunkt).");
    EXPECT_TRUE(dialogs.Calls().empty()) << "no file asked for";

    dialogs.QueueFile("C:\\Bilder\\kaputt.png");
    editor.cmdBildLaden_Click(true);
    EXPECT_EQ(LastMessage(),
              "Das große Bild konnte nicht geladen werden:\r\nDas Bild kann nicht gelesen werden: "
              "C:\\Bilder\\kaputt.png");
    EXPECT_EQ(sub.messages.Shown().back().icon, platform::MsgIcon::Exclamation);
    editor.cmdOK_Click();
    ASSERT_TRUE(editor.Result());
    EXPECT_FALSE(editor.Result()->large || editor.Result()->small);
}

TEST_F(CommandEditor, SaveAsPngWritesThePictureAsItIsShown) {
    Open();
    images.Put(kPicture, Quarters());
    dialogs.QueueFile(kPicture);
    logic->cmdBildLaden_Click(false);
    dialogs.QueueFile("C:\\Bilder\\klein.png");
    logic->cmdPng_Click(false);
    dialogs.QueueFile("C:\\Bilder\\gross.png");
    logic->cmdPng_Click(true);
    ASSERT_EQ(dialogs.Calls().size(), 3u);
    EXPECT_FALSE(dialogs.Calls()[1].open);
    EXPECT_EQ(dialogs.Calls()[1].record.defaultExt, "png");

    const platform::Pixels* small = images.Written("C:\\Bilder\\klein.png");
    ASSERT_NE(small, nullptr);
    EXPECT_EQ(small->width, 16);
    EXPECT_EQ(std::vector<int>(small->bgra.begin(), small->bgra.begin() + 4), (std::vector<int>{0, 0, 255, 255}))
        << "the new picture, top left red";
    const platform::Pixels* large = images.Written("C:\\Bilder\\gross.png");
    ASSERT_NE(large, nullptr);
    const ByteArray& stored = table->Item(0).BitmapLBytes();
    const std::size_t topLeft = 40 + 23 * 24 * 3;  // the last stored row
    EXPECT_EQ(std::vector<int>(large->bgra.begin(), large->bgra.begin() + 4),
              (std::vector<int>{stored[topLeft], stored[topLeft + 1], stored[topLeft + 2], 255}));

    images.FailWrites();
    dialogs.QueueFile("C:\\Bilder\\gesperrt.png");
    logic->cmdPng_Click(true);
    EXPECT_EQ(LastMessage(),
              "Das große Bild konnte nicht gespeichert werden:\r\nDas Bild kann nicht geschrieben werden: "
              "C:\\Bilder\\gesperrt.png");
}

}  // namespace
