// Tessivar's list window in this process, over ACT!'s configuration in the
// substitute registry and real GDI: driven through window messages as a
// user's clicks and keys arrive, its boxes and file dialogs answered from
// scripts.
#include "manager/frmListenansicht_win.h"
#include "manager/frmSicherungen_win.h"

#include <commctrl.h>
#include <shlobj.h>
#include <gtest/gtest.h>

#include "commands/CommandServices.h"

#include "base/AppError.h"
#include "commands/CommandData.h"
#include "platform/Cp1252Codec.h"
#include "platform/Graphics_win.h"
#include "platform/MemoryFileSystem.h"
#include "platform/MemoryNamedMutex.h"
#include "platform/MemoryRegistry.h"
#include "platform/RegistryJournal.h"
#include "platform/MemoryWindowSystem.h"
#include "platform/RecordingShell.h"
#include "platform/ScriptedFileDialogs.h"
#include "platform/ScriptedMessageBoxes.h"
#include "support/Layout_win.h"
#include "ui/Buttons_win.h"
#include "ui/ListView_win.h"
#include "ui/PictureBox_win.h"
#include "ui/StatusBar_win.h"
#include "ui/Twips.h"

namespace td = testdata;
using platform::kHKeyCurrentUser;
using platform::MsgAnswer;

namespace {

const std::string kCommands(actregistry::kCustomCommands);
const std::string kNewFile = "C:\\Befehle\\Neu.cmd";

class ListWindow : public testing::Test {
protected:
    void SetUp() override {
        Toolbar(0, "Kontaktsymbolleiste", td::Entries({57600, 0, 30101, 30102}));
        Toolbar(1, "Contact Toolbar", td::Entries({30102}));
        registry.PutDword(kHKeyCurrentUser, actregistry::ToolbarKey(2), "TypeID", 0);
        registry.PutDword(kHKeyCurrentUser, std::string(actregistry::kToolbarSummary), "Bars", 3);
        files.Put(kNewFile,
                  td::CommandFile(td::Record(4711, "Neuer Befehl"), td::Image(24, 24, 3, 7), td::Image(16, 16, 3, 9)));
    }
    void TearDown() override {
        if (form) form->Destroy();
    }

    void Toolbar(int n, const std::string& name, const ByteArray& buttons) {
        const std::string key = actregistry::ToolbarKey(n);
        registry.PutDword(kHKeyCurrentUser, key, "TypeID", 1);
        registry.Put(kHKeyCurrentUser, key, "Buttons", platform::kRegBinary, buttons);
        registry.PutText(kHKeyCurrentUser, key, "WindowName", name);
    }
    void SeedThree() {
        td::SeedTable(registry, {{30101,
                                  "Adressen pr\xFC"
                                  "fen"},
                                 {30102, "Serienbrief"},
                                 {30104, "Notiz"}});
    }
    ByteArray Stored(const std::string& key, const std::string& name) {
        auto v = registry.Get(kHKeyCurrentUser, key, name);
        return v ? v->data : ByteArray{};
    }
    ByteArray Buttons(int n) { return Stored(actregistry::ToolbarKey(n), "Buttons"); }

    // With `realInfo` the Info button shows Tessivar's own About window.
    void Open(bool realInfo = false) {
        form = std::make_unique<frmListenansicht>(frmListenansicht::Services{env, dialogs, shell, locks, backups});
        if (!realInfo) form->showInfo = [this](HWND owner) { infoOwners.push_back(owner); };
        form->Open(SW_SHOWNOACTIVATE);
        platform::PumpPending();
    }
    ui::ListView& List() { return form->lvCommands(); }
    void Click(ui::Button& button) {
        SendMessageW(button.hwnd(), BM_CLICK, 0, 0);
        platform::PumpPending();
    }
    void Select(int row) { List().SelectRow(row); }
    void PressDelete() {
        SendMessageW(List().hwnd(), WM_KEYDOWN, VK_DELETE, 1);
        SendMessageW(List().hwnd(), WM_KEYUP, VK_DELETE, 0xC0000001);
    }
    void ClickHeader(int column) {
        NMLISTVIEW click{};
        click.hdr = {List().hwnd(), static_cast<UINT_PTR>(frmListenansicht::kListId), LVN_COLUMNCLICK};
        click.iItem = -1;
        click.iSubItem = column;
        SendMessageW(form->hwnd(), WM_NOTIFY, frmListenansicht::kListId, reinterpret_cast<LPARAM>(&click));
    }
    std::vector<std::string> Column(int column) {
        std::vector<std::string> cells;
        for (int r = 0; r < List().RowCount(); ++r) cells.push_back(List().Cell(r, column));
        return cells;
    }
    std::vector<std::string> Headers() {
        std::vector<std::string> headers;
        for (int c = 0; c < List().ColumnCount(); ++c) headers.push_back(List().ColumnHeader(c));
        return headers;
    }
    std::string Status() { return form->StatusBar().PanelText("Status"); }
    std::vector<std::string> BoxTexts() {
        std::vector<std::string> shown;
        for (const auto& box : messages.Shown()) shown.push_back(box.text);
        return shown;
    }

    platform::MemoryRegistry registry;
    platform::RegistryJournal journal{registry};  // as the program has it: the window's changes are all or nothing
    platform::MemoryWindowSystem windows;
    platform::ScriptedMessageBoxes messages{"Tessivar"};
    platform::Cp1252Codec text;
    platform::MemoryFileSystem files;
    platform::WinGraphics graphics;
    const CommandServices env{{journal, text, messages}, files, graphics, windows};
    platform::ScriptedFileDialogs dialogs;
    platform::RecordingShell shell;
    platform::MemoryNamedMutex locks;
    platform::FakeClock clock;
    modBackup::Store backups{files, clock, "C:\\Users\\u\\AppData\\Local\\Tessivar\\Sicherungen"};
    std::unique_ptr<frmListenansicht> form;
    std::vector<HWND> infoOwners;
};

const std::vector<std::string> kCommandHeaders = {"Nr", "Name", "Zeile", "Start", "Beschreibung", "QuickInfo", "Menü"};

TEST_F(ListWindow, AnEmptyTableShowsTheSevenHeadersAndTheCountZero) {
    Open();
    EXPECT_EQ(form->Caption(), "Tessivar");
    EXPECT_EQ(Headers(), kCommandHeaders);
    EXPECT_EQ(List().RowCount(), 0);
    EXPECT_EQ(Status(), "0 benutzerdefinierte(r) Befehl(e)");
    EXPECT_EQ(form->cmdSpeichern().Text(), "&Speichern");
    EXPECT_EQ(form->cmdLaden().Text(), "&Laden");
    EXPECT_EQ(form->cmdToolbars().Text(), "&Toolbars");
    EXPECT_TRUE(form->cmdLaden().Enabled());
    EXPECT_TRUE(form->cmdSpeichern().Enabled());
    PressDelete();
    Click(form->cmdSpeichern());
    EXPECT_TRUE(messages.Shown().empty()) << "without a row, Delete and Save do nothing";
    EXPECT_TRUE(dialogs.Calls().empty());
    for (const std::wstring& problem : support::LayoutProblems(form->hwnd())) {
        ADD_FAILURE() << std::string(problem.begin(), problem.end());
    }
}

TEST_F(ListWindow, ThreeCommandsInTableOrderAndTheToolbarViewBackAndForth) {
    SeedThree();
    registry.PutText(kHKeyCurrentUser, kCommands, "unused", "x");
    Open();
    EXPECT_EQ(Column(0), (std::vector<std::string>{"0", "1", "2"}));
    EXPECT_EQ(Column(1), (std::vector<std::string>{"Adressen prüfen", "Serienbrief", "Notiz"}));
    EXPECT_EQ(List().Cell(0, 2), "C:\\ACT\\x.exe");
    EXPECT_EQ(List().SelectedRow(), 0) << "the first row selected";
    EXPECT_EQ(Status(), "3 benutzerdefinierte(r) Befehl(e)");
    const platform::UniqueWindowDC dc = platform::ClientDC(List().hwnd());
    const std::wstring nr = L"Nr";
    SIZE header{};
    GetTextExtentPoint32W(dc.get(), nr.c_str(), 2, &header);
    EXPECT_GT(List().ColumnWidth(0), header.cx + 8) << "wide enough for its header";

    Click(form->cmdToolbars());
    EXPECT_EQ(Headers(), (std::vector<std::string>{"Nr", "Name"}));
    EXPECT_EQ(Column(0), (std::vector<std::string>{"0", "1", "2"}));
    EXPECT_EQ(Column(1), (std::vector<std::string>{"Kontaktsymbolleiste", "Contact Toolbar", ""}));
    EXPECT_EQ(Status(), "3 Toolbar(s)");
    EXPECT_EQ(form->cmdToolbars().Text(), "&Befehle");
    EXPECT_FALSE(form->cmdLaden().Enabled());
    EXPECT_FALSE(form->cmdSpeichern().Enabled());
    // Delete and row clicks mean nothing here: the rows are toolbars.
    Select(1);
    PressDelete();
    EXPECT_TRUE(messages.Shown().empty());
    EXPECT_EQ(Buttons(0), td::Entries({57600, 0, 30101, 30102}));

    registry.ClearLog();
    Click(form->cmdToolbars());
    EXPECT_EQ(Headers(), kCommandHeaders);
    EXPECT_EQ(Column(1), (std::vector<std::string>{"Adressen prüfen", "Serienbrief", "Notiz"}));
    EXPECT_EQ(form->cmdToolbars().Text(), "&Toolbars");
    EXPECT_TRUE(form->cmdLaden().Enabled());
    EXPECT_TRUE(form->cmdSpeichern().Enabled());
    for (const auto& call : registry.Calls()) EXPECT_NE(call.name, "Command-0") << "the same table, not read again";
}

TEST_F(ListWindow, LoadingAnsweredYesPutsTheButtonOnKontaktsymbolleisteOnly) {
    SeedThree();
    Open();
    dialogs.QueueFile(kNewFile);
    messages.QueueAnswer(MsgAnswer::Yes);
    Click(form->cmdLaden());
    ASSERT_EQ(dialogs.Calls().size(), 1u);
    EXPECT_TRUE(dialogs.Calls()[0].open);
    EXPECT_EQ(dialogs.Calls()[0].record.title, "ACT!-Benutzerbefehl laden");
    EXPECT_EQ(dialogs.Calls()[0].record.filter, std::string("ACT!-Commandfiles (*.cmd)\0*.cmd\0\0", 33));
    EXPECT_EQ(dialogs.Calls()[0].record.owner, reinterpret_cast<platform::WindowHandle>(form->hwnd()));
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0],
              (platform::MessageBoxRequest{"Soll der benutzerdefinierte Befehl 'Neuer Befehl' in\r\n"
                                           "die Standardsymbolleiste eingefügt werden?",
                                           "Tessivar", platform::MsgIcon::Question, platform::MsgButtons::YesNo}));
    EXPECT_EQ(Column(0), (std::vector<std::string>{"0", "1", "2", "3"}));
    EXPECT_EQ(List().Cell(3, 1), "Neuer Befehl");
    EXPECT_EQ(Stored(kCommands, "Count"), (ByteArray{4, 0, 0, 0}));
    EXPECT_EQ(clCustomTessivar::GetLongAt(Stored(kCommands, "Command-3"), 0), 30103);
    EXPECT_EQ(Buttons(0), td::Entries({57600, 0, 30101, 30102, 0, 30103}));
    EXPECT_EQ(Buttons(1), td::Entries({30102})) << "\"Contact Toolbar\" is not tried";
    EXPECT_EQ(Status(), "3 benutzerdefinierte(r) Befehl(e)") << "a load leaves the status text";
    EXPECT_EQ(List().SelectedRow(), 3) << "the new command selected";
    EXPECT_EQ(form->Picture1().SurfacePixel(0, 23), RGB(9, 8, 7)) << "its pictures shown";
    EXPECT_FALSE(locks.IsHeld(actregistry::kConfigurationLock));
    int acquired = 0;
    for (const auto& e : locks.Events()) acquired += e.kind == platform::MemoryNamedMutex::Event::Kind::Acquired;
    EXPECT_EQ(acquired, 2) << "the load and the toolbar change, each under the lock";
}

TEST_F(ListWindow, LoadingAnsweredNoANameThatExistsABrokenFileOrACancel) {
    SeedThree();
    Open();
    dialogs.QueueFile(kNewFile);
    messages.QueueAnswer(MsgAnswer::No);
    Click(form->cmdLaden());
    EXPECT_EQ(List().RowCount(), 4);
    EXPECT_EQ(Buttons(0), td::Entries({57600, 0, 30101, 30102}));

    messages.Clear();
    files.Put("C:\\Befehle\\Doppelt.cmd",
              td::CommandFile(td::Record(1, "SERIENBRIEF"), td::Image(24, 24, 3), td::Image(16, 16, 3)));
    dialogs.QueueFile("C:\\Befehle\\Doppelt.cmd");
    Click(form->cmdLaden());
    EXPECT_EQ(BoxTexts(),
              std::vector<std::string>{"Es gibt schon einen ACT!-Benutzerbefehl mit dem Namen 'SERIENBRIEF'."});
    EXPECT_EQ(List().RowCount(), 4) << "no row, no question";

    messages.Clear();
    dialogs.QueueFile("C:\\Befehle\\Fehlt.cmd");
    Click(form->cmdLaden());
    EXPECT_EQ(
        BoxTexts(),
        std::vector<std::string>{
            "Fehler in Klasse clCustomTessivar - Load\r\nDie Datei C:\\Befehle\\Fehlt.cmd\r\nwurde nicht gefunden."});
    files.Put("C:\\Befehle\\Kaputt.cmd", ByteArray(1172 + 40, 0xFF));
    messages.Clear();
    dialogs.QueueFile("C:\\Befehle\\Kaputt.cmd");
    Click(form->cmdLaden());
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].text.substr(0, 46), "Fehler in Klasse clCustomTessivar - Load\r\nFehl");
    EXPECT_EQ(List().RowCount(), 4);

    messages.Clear();
    dialogs.QueueCancel();
    Click(form->cmdLaden());
    EXPECT_TRUE(messages.Shown().empty());
    EXPECT_EQ(Stored(kCommands, "Count"), (ByteArray{4, 0, 0, 0}));
}

TEST_F(ListWindow, DeletingTakesTheCommandAndItsButtonAndFillsTheListAgain) {
    SeedThree();
    Open();
    Select(1);
    messages.QueueAnswer(MsgAnswer::No);
    PressDelete();
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Soll der benutzerdefinierte Befehl gelöscht werden?"});
    EXPECT_EQ(List().RowCount(), 3);

    messages.QueueAnswer(MsgAnswer::Yes);
    PressDelete();
    EXPECT_EQ(Column(0), (std::vector<std::string>{"0", "1"})) << "numbers match positions again";
    EXPECT_EQ(Column(1), (std::vector<std::string>{"Adressen prüfen", "Notiz"}));
    EXPECT_EQ(Stored(kCommands, "Count"), (ByteArray{2, 0, 0, 0}));
    EXPECT_EQ(clCustomTessivar::GetLongAt(Stored(kCommands, "Command-1"), 0), 30104);
    EXPECT_EQ(Buttons(0), td::Entries({57600, 0, 30101}));
    EXPECT_EQ(Buttons(1), td::Entries({30102})) << "buttons on other toolbars stay";
    EXPECT_EQ(Status(), "2 benutzerdefinierte(r) Befehl(e)");

    // The row the user sees is the one deleted, whatever the order.
    ClickHeader(1);
    ClickHeader(1);
    EXPECT_EQ(Column(1), (std::vector<std::string>{"Notiz", "Adressen prüfen"}));
    Select(0);
    messages.QueueAnswer(MsgAnswer::Yes);
    PressDelete();
    EXPECT_EQ(Column(1), std::vector<std::string>{"Adressen prüfen"});
}

TEST_F(ListWindow, ARowClickPaintsBothPicturesOfItsCommand) {
    SeedThree();
    Open();
    Select(2);
    // td::Image's pixel bytes count up from its seed, rows stored bottom-up.
    const auto expected = [](int side, int seed, int x, int y) {
        const int i = ((side - 1 - y) * side + x) * 3;
        return RGB((seed + i + 2) & 0xFF, (seed + i + 1) & 0xFF, (seed + i) & 0xFF);
    };
    for (const auto& [x, y] : {std::pair{0, 0}, {23, 0}, {5, 17}, {23, 23}}) {
        EXPECT_EQ(form->Picture1().SurfacePixel(x, y), expected(24, 2, x, y)) << x << "," << y;
    }
    for (const auto& [x, y] : {std::pair{0, 0}, {15, 15}, {7, 3}}) {
        EXPECT_EQ(form->Picture2().SurfacePixel(x, y), expected(16, 102, x, y)) << x << "," << y;
    }
    if (form->Dpi() == 96) {
        EXPECT_EQ(form->Picture1().PixelSize().cx, 24) << "the large picture fills its box";
        EXPECT_EQ(form->Picture2().PixelSize().cy, 16);
    }
    Select(0);
    EXPECT_EQ(form->Picture1().SurfacePixel(0, 23), expected(24, 0, 0, 23));
    // Enter and a double click change nothing.
    NMITEMACTIVATE activate{};
    activate.hdr = {List().hwnd(), static_cast<UINT_PTR>(frmListenansicht::kListId), NM_DBLCLK};
    activate.iItem = 0;
    SendMessageW(form->hwnd(), WM_NOTIFY, frmListenansicht::kListId, reinterpret_cast<LPARAM>(&activate));
    EXPECT_TRUE(messages.Shown().empty());
    EXPECT_TRUE(dialogs.Calls().empty());
}

TEST_F(ListWindow, SavingWritesTheSelectedCommandAndRefusesOneThatCouldNotBeRead) {
    SeedThree();
    registry.Put(kHKeyCurrentUser, kCommands, "BitmapS-30104", platform::kRegDword, {1, 0, 0, 0});
    Open();
    Select(1);
    dialogs.QueueFile("C:\\Sicherung\\Serienbrief.cmd");
    Click(form->cmdSpeichern());
    ASSERT_EQ(dialogs.Calls().size(), 1u);
    EXPECT_FALSE(dialogs.Calls()[0].open);
    EXPECT_EQ(dialogs.Calls()[0].record.title, "ACT!-Benutzerbefehl speichern");
    const auto* saved = files.Get("C:\\Sicherung\\Serienbrief.cmd");
    ASSERT_NE(saved, nullptr);
    EXPECT_EQ(*saved, td::CommandFile(Stored(kCommands, "Command-1"), Stored(kCommands, "BitmapL-30102"),
                                      Stored(kCommands, "BitmapS-30102")));

    // The third command's small picture is no picture: listed, deletable, not saved.
    EXPECT_EQ(List().Cell(2, 1), "Notiz");
    Select(2);
    Click(form->cmdSpeichern());
    EXPECT_EQ(dialogs.Calls().size(), 1u) << "refused before any dialog";
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].text,
              "Der benutzerdefinierte Befehl 'Notiz' konnte nicht vollständig gelesen werden:\r\n"
              "Ein Schaltflächenbild fehlt oder ist kein Binärwert.\r\n"
              "Er wird nicht gespeichert, damit keine unvollständige Befehlsdatei entsteht.");
    EXPECT_EQ(messages.Shown()[0].icon, platform::MsgIcon::Exclamation);
    messages.QueueAnswer(MsgAnswer::Yes);
    PressDelete();
    EXPECT_EQ(List().RowCount(), 2);
}

TEST_F(ListWindow, ACommandWhoseIdentifierCouldNotBeReadKeepsTheToolbarsSeparators) {
    SeedThree();
    registry.Put(kHKeyCurrentUser, kCommands, "Command-0", platform::kRegBinary, {1, 2});
    Open();
    EXPECT_EQ(List().Cell(0, 0), "0") << "listed with what could be read";
    EXPECT_EQ(List().Cell(0, 1), "");
    Select(0);
    messages.QueueAnswer(MsgAnswer::Yes);
    PressDelete();
    EXPECT_EQ(Buttons(0), td::Entries({57600, 0, 30101, 30102}));
    EXPECT_EQ(Column(1), (std::vector<std::string>{"Serienbrief", "Notiz"}));
}

TEST_F(ListWindow, AToolbarThatCannotBeReadIsListedAndNeverRewritten) {
    SeedThree();
    const ByteArray broken{1, 2, 3};
    registry.Put(kHKeyCurrentUser, actregistry::ToolbarKey(0), "Buttons", platform::kRegBinary, broken);
    Open();
    Click(form->cmdToolbars());
    EXPECT_EQ(List().Cell(0, 1), "Kontaktsymbolleiste");
    Click(form->cmdToolbars());
    dialogs.QueueFile(kNewFile);
    messages.QueueAnswer(MsgAnswer::Yes);
    Click(form->cmdLaden());
    ASSERT_EQ(messages.Shown().size(), 2u);
    EXPECT_EQ(messages.Shown()[1].text.substr(0, 46), "Fehler in Klasse clACTToolbar Methode AddButto");
    EXPECT_EQ(Buttons(0), broken);
    Select(0);
    messages.QueueAnswer(MsgAnswer::Yes);
    PressDelete();
    EXPECT_EQ(Buttons(0), broken);
    EXPECT_EQ(List().RowCount(), 3) << "the command goes, as in the removal run";
}

TEST_F(ListWindow, AChangeMadeElsewhereSinceTheLoadIsRefusedAndTheListReadAgain) {
    SeedThree();
    Open();
    // Another Tessivar added a command meanwhile.
    registry.Put(kHKeyCurrentUser, kCommands, "Command-3", platform::kRegBinary, td::Record(30105, "Von anderswo"));
    registry.PutDword(kHKeyCurrentUser, kCommands, "Count", 4);
    dialogs.QueueFile(kNewFile);
    Click(form->cmdLaden());
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].text,
              "Die benutzerdefinierten Befehle wurden inzwischen außerhalb dieses Fensters geändert.\r\n"
              "Die Liste wird neu eingelesen; bitte wiederholen Sie den Vorgang.");
    EXPECT_EQ(Stored(kCommands, "Count"), (ByteArray{4, 0, 0, 0})) << "nothing written";
    EXPECT_EQ(Column(1), (std::vector<std::string>{"Adressen prüfen", "Serienbrief", "Notiz", "Von anderswo"}));

    // A record rewritten elsewhere counts as well.
    registry.Put(kHKeyCurrentUser, kCommands, "Command-1", platform::kRegBinary, td::Record(30102, "Umbenannt"));
    Select(1);
    messages.Clear();
    messages.QueueAnswer(MsgAnswer::Yes);
    PressDelete();
    EXPECT_EQ(messages.Shown().size(), 2u);
    EXPECT_EQ(Stored(kCommands, "Count"), (ByteArray{4, 0, 0, 0}));
    EXPECT_EQ(List().Cell(1, 1), "Umbenannt");
    EXPECT_EQ(Buttons(0), td::Entries({57600, 0, 30101, 30102}));

    // While another program holds the lock, nothing is changed either.
    locks.HoldElsewhere(actregistry::kConfigurationLock);
    messages.Clear();
    dialogs.QueueFile(kNewFile);
    Click(form->cmdLaden());
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Ein anderes Tessivar ändert gerade die Konfiguration von ACT!.\r\n"
                                                   "Bitte versuchen Sie es später noch einmal."});
    EXPECT_EQ(List().RowCount(), 4);
}

// A window left open never writes a value it read before someone else
// changed it: a deletion moves records, and leaves every image as stored.
TEST_F(ListWindow, ADeletionAfterARestoreElsewhereLeavesTheRestoredImagesAsTheyAre) {
    SeedThree();
    Open();
    const ByteArray restored = td::Image(24, 24, 3, 42);
    registry.Put(kHKeyCurrentUser, kCommands, "BitmapL-30104", platform::kRegBinary, restored);
    Select(0);
    messages.QueueAnswer(MsgAnswer::Yes);
    PressDelete();
    EXPECT_EQ(Column(1), (std::vector<std::string>{"Serienbrief", "Notiz"}));
    EXPECT_EQ(Stored(kCommands, "BitmapL-30104"), restored);
    EXPECT_TRUE(Stored(kCommands, "BitmapL-30101").empty()) << "the deleted command's images go";

    // A write that fails puts the deletion back and the window reads the table again.
    registry.FailWrite(2);
    Select(0);
    messages.Clear();
    messages.QueueAnswer(MsgAnswer::Yes);
    PressDelete();
    registry.SetFaultHook(nullptr);
    ASSERT_EQ(messages.Shown().size(), 2u);
    EXPECT_NE(messages.Shown()[1].text.find("zurückgenommen"), std::string::npos) << messages.Shown()[1].text;
    EXPECT_EQ(Stored(kCommands, "Count"), (ByteArray{2, 0, 0, 0}));
    EXPECT_EQ(Column(1), (std::vector<std::string>{"Serienbrief", "Notiz"}));
}

TEST_F(ListWindow, AClickOnAColumnHeaderSortsNumbersAsNumbersAndAgainInReverse) {
    std::vector<td::StoredCommand> commands;
    for (std::uint32_t i = 0; i < 12; ++i)
        commands.push_back({30101 + i, i % 2 == 0 ? "b" + std::to_string(i) : "A" + std::to_string(i)});
    td::SeedTable(registry, commands);
    Open();
    ClickHeader(0);
    EXPECT_EQ(Column(0).front(), "0");
    EXPECT_EQ(Column(0).back(), "11");
    ClickHeader(0);
    EXPECT_EQ(Column(0)[0], "11");
    EXPECT_EQ(Column(0)[1], "10");
    EXPECT_EQ(Column(0)[2], "9");
    ClickHeader(1);
    EXPECT_EQ(Column(1)[0], "A1") << "letter case does not count";
    EXPECT_EQ(Column(1)[6], "b0");
    // A row still names its command: its pictures are that command's.
    Select(6);
    const int seedOfCommand0 = 0;
    EXPECT_EQ(form->Picture2().SurfacePixel(0, 15), RGB((100 + seedOfCommand0 + 2) & 0xFF, 101, 100));
}

TEST_F(ListWindow, TheWindowSnapsBackToItsLeastSizeAndTheListFillsIt) {
    Open();
    RECT frame{};
    GetWindowRect(form->hwnd(), &frame);
    EXPECT_GE(frame.right - frame.left, form->Px(frmListenansicht::kMinOuterWidth));
    EXPECT_GE(frame.bottom - frame.top, form->Px(4800));
    SetWindowPos(form->hwnd(), nullptr, 0, 0, 200, 150, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    GetWindowRect(form->hwnd(), &frame);
    EXPECT_EQ(frame.right - frame.left, form->Px(frmListenansicht::kMinOuterWidth));
    EXPECT_EQ(frame.bottom - frame.top, form->Px(4800));

    SetWindowPos(form->hwnd(), nullptr, 0, 0, 900, 600, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const auto expectFilled = [this] {
        const SIZE client = form->ClientSize();
        const RECT list = List().PixelRect();
        const RECT bar = form->StatusBar().PixelRect();
        EXPECT_EQ(list.left, 0);
        EXPECT_EQ(list.top, form->Px(720));
        EXPECT_EQ(list.right, client.cx);
        EXPECT_EQ(list.bottom, bar.top);
        EXPECT_EQ(bar.bottom, client.cy);
        const RECT laden = form->cmdLaden().PixelRect();
        EXPECT_EQ(laden.left, form->Px(4440)) << "the other controls keep their places";
    };
    expectFilled();
    ShowWindow(form->hwnd(), SW_MINIMIZE);
    ShowWindow(form->hwnd(), SW_RESTORE);
    GetWindowRect(form->hwnd(), &frame);
    EXPECT_EQ(frame.right - frame.left, 900) << "minimising changes nothing";
    expectFilled();

    RECT suggested{};
    GetWindowRect(form->hwnd(), &suggested);
    suggested.right = suggested.left + (suggested.right - suggested.left) * 3 / 2;
    suggested.bottom = suggested.top + (suggested.bottom - suggested.top) * 3 / 2;
    SendMessageW(form->hwnd(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(form->Dpi(), 144u);
    EXPECT_EQ(form->cmdLaden().PixelRect().bottom - form->cmdLaden().PixelRect().top, ui::TwipsToPixels(375, 144));
    expectFilled();
    for (const std::wstring& problem : support::LayoutProblems(form->hwnd())) {
        ADD_FAILURE() << std::string(problem.begin(), problem.end());
    }
}

TEST_F(ListWindow, DroppedCommandFilesAreLoadedOneQuestionEach) {
    SeedThree();
    files.Put("C:\\Befehle\\Zweiter.cmd",
              td::CommandFile(td::Record(1, "Zweiter"), td::Image(24, 24, 3), td::Image(16, 16, 3)));
    Open();
    const std::wstring list = L"C:\\Befehle\\Neu.cmd" + std::wstring(1, L'\0') + L"C:\\Befehle\\Liesmich.txt" +
                              std::wstring(1, L'\0') + L"C:\\Befehle\\Zweiter.CMD" + std::wstring(2, L'\0');
    const auto drop = [&list] {
        HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
        auto* files = static_cast<DROPFILES*>(GlobalLock(memory));
        files->pFiles = sizeof(DROPFILES);
        files->fWide = TRUE;
        std::copy(list.begin(), list.end(), reinterpret_cast<wchar_t*>(files + 1));
        GlobalUnlock(memory);
        return reinterpret_cast<WPARAM>(memory);
    };
    files.Put("C:\\Befehle\\Zweiter.CMD", *files.Get("C:\\Befehle\\Zweiter.cmd"));
    messages.QueueAnswer(MsgAnswer::No);
    messages.QueueAnswer(MsgAnswer::No);
    SendMessageW(form->hwnd(), WM_DROPFILES, drop(), 0);
    EXPECT_EQ(messages.Shown().size(), 2u) << "one question per command file, none for the text file";
    EXPECT_EQ(Column(1),
              (std::vector<std::string>{"Adressen prüfen", "Serienbrief", "Notiz", "Neuer Befehl", "Zweiter"}));

    Click(form->cmdToolbars());
    SendMessageW(form->hwnd(), WM_DROPFILES, drop(), 0);
    EXPECT_EQ(messages.Shown().size(), 2u) << "the toolbar view loads nothing";
}

TEST_F(ListWindow, EveryButtonIsReachedByTabAndByItsAccessKey) {
    Open();
    std::vector<HWND> order;
    HWND at = List().hwnd();
    for (int i = 0; i < 6; ++i) order.push_back(at = GetNextDlgTabItem(form->hwnd(), at, FALSE));
    EXPECT_EQ(order,
              (std::vector<HWND>{form->cmdSpeichern().hwnd(), form->cmdLaden().hwnd(), form->cmdToolbars().hwnd(),
                                 form->cmdInfo().hwnd(), form->cmdWiederherstellen().hwnd(), List().hwnd()}));

    const auto alt = [this](wchar_t key) {
        // The key as the keyboard sends it; its character follows from it.
        PostMessageW(List().hwnd(), WM_SYSKEYDOWN, VkKeyScanW(key) & 0xFF, 1 << 29);
        platform::PumpPending();
    };
    alt(L'l');
    EXPECT_EQ(dialogs.Calls().size(), 1u) << "Alt+L: Laden";
    alt(L't');
    EXPECT_EQ(form->cmdToolbars().Text(), "&Befehle") << "Alt+T: Toolbars";
    alt(L'b');
    EXPECT_EQ(form->cmdToolbars().Text(), "&Toolbars") << "Alt+B: Befehle";
    alt(L'i');
    EXPECT_EQ(infoOwners, std::vector<HWND>{form->hwnd()}) << "Alt+I: the About window, owned by the list";
    alt(L'w');
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Es gibt noch keine Sicherung der ACT!-Konfiguration."})
        << "Alt+W: Wiederherstellen";
}

TEST_F(ListWindow, TheRestoreButtonOffersTheBackupsNewestFirstAndFillsTheViewsAgain) {
    SeedThree();
    Open();
    Select(1);
    messages.QueueAnswer(MsgAnswer::Yes);
    PressDelete();
    ASSERT_EQ(List().RowCount(), 2);
    clock.SetLocal({2026, 12, 9, 6, 0, 0});
    ASSERT_TRUE(modBackup::Take(env.registry, backups));

    // The real list, from inside its modal loop: the older backup chosen.
    static HWND owner = nullptr;
    static bool modal = false;
    static std::vector<std::wstring> rows;
    static std::vector<std::wstring> layout;
    owner = form->hwnd();
    SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR id, DWORD) {
        HWND choice = FindWindowW(frmSicherungen::kClassName, nullptr);
        if (choice == nullptr) return;
        KillTimer(nullptr, id);
        modal = !IsWindowEnabled(owner) && GetWindow(choice, GW_OWNER) == owner;
        layout = support::LayoutProblems(choice);
        HWND list = GetDlgItem(choice, frmSicherungen::kListId);
        rows.clear();
        for (int r = 0; r < ListView_GetItemCount(list); ++r) {
            wchar_t text[64] = {};
            ListView_GetItemText(list, r, 0, text, 64);
            rows.push_back(text);
        }
        ListView_SetItemState(list, 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        PostMessageW(GetDlgItem(choice, frmSicherungen::kOkId), BM_CLICK, 0, 0);
    });
    messages.Clear();
    form->cmdToolbars().Click();  // the view shown is filled again too
    Click(form->cmdWiederherstellen());
    EXPECT_TRUE(modal);
    EXPECT_TRUE(layout.empty()) << std::string(layout.front().begin(), layout.front().end());
    EXPECT_EQ(rows, (std::vector<std::wstring>{L"09.12.2026, 06:00:00 Uhr", L"09.12.2026, 05:30:12 Uhr"}));
    EXPECT_EQ(BoxTexts(),
              std::vector<std::string>{"Die Sicherung vom 09.12.2026, 05:30:12 Uhr wurde zurückgeschrieben."});
    EXPECT_EQ(Stored(kCommands, "Count"), (ByteArray{3, 0, 0, 0}));
    EXPECT_EQ(Buttons(0), td::Entries({57600, 0, 30101, 30102}));
    form->cmdToolbars().Click();
    EXPECT_EQ(Column(1), (std::vector<std::string>{"Adressen prüfen", "Serienbrief", "Notiz"}));
    EXPECT_TRUE(IsWindowEnabled(form->hwnd()));

    // Cancelled, nothing is written.
    registry.ClearLog();
    form->chooseBackup = [](HWND, std::vector<modBackup::Entry>) { return std::optional<std::string>(); };
    Click(form->cmdWiederherstellen());
    EXPECT_TRUE(registry.Writes().empty());
}

TEST_F(ListWindow, TheInfoButtonShowsTheAboutWindowModally) {
    Open(true);
    // The About window is closed by Esc as soon as it is there, from inside its modal loop.
    static bool ownerDisabled = false;
    static HWND owner = nullptr;
    owner = form->hwnd();
    SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR id, DWORD) {
        if (HWND about = FindWindowW(L"InfoFenster", L"Informationen \u00FCber das Programm")) {
            KillTimer(nullptr, id);
            ownerDisabled = !IsWindowEnabled(owner) && GetWindow(about, GW_OWNER) == owner;
            PostMessageW(about, WM_KEYDOWN, VK_ESCAPE, 0);
        }
    });
    Click(form->cmdInfo());
    EXPECT_TRUE(ownerDisabled) << "modal, over the list window";
    EXPECT_EQ(FindWindowW(L"InfoFenster", nullptr), nullptr);
    EXPECT_TRUE(IsWindowEnabled(form->hwnd()));
    EXPECT_TRUE(shell.Calls().empty());
}

TEST_F(ListWindow, AFaultInAHandlerIsReportedAndTheWindowGoesOn) {
    SeedThree();
    Open();
    bool first = true;
    messages.onShow = [&first](const platform::MessageBoxRequest&) {
        if (std::exchange(first, false)) throw AppError(1234, "Kein Fenster für Fragen");
    };
    PressDelete();
    ASSERT_EQ(messages.Shown().size(), 2u);
    EXPECT_EQ(messages.Shown()[1], (platform::MessageBoxRequest{"Error: 1234. Kein Fenster für Fragen", "Tessivar",
                                                                platform::MsgIcon::Exclamation}));
    EXPECT_TRUE(form->IsOpen());
    EXPECT_EQ(List().RowCount(), 3);
}

}  // namespace
