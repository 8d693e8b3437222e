// Tessivar's list window in this process, over ACT!'s configuration in the
// substitute registry and real GDI: what only the real window shows, driven
// through window messages as a user's clicks and keys arrive (its logic is
// tested natively in clListenansicht_test.cpp).
#include "manager/frmListenansicht_win.h"

#include <commctrl.h>
#include <shlobj.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "base/AppError.h"
#include "commands/CommandData.h"
#include "commands/CommandServices.h"
#include "manager/BearbeitenControls.h"
#include "manager/SicherungenControls.h"
#include "manager/SlowTable_win.h"
#include "manager/frmBearbeiten_win.h"
#include "manager/PfadeControls.h"
#include "manager/frmPfade_win.h"
#include "manager/frmSchaltflaechen_win.h"
#include "manager/frmSicherungen_win.h"
#include "manager/frmUnterschiede_win.h"
#include "platform/Cp1252Codec.h"
#include "platform/Graphics_win.h"
#include "platform/MemoryFileSystem.h"
#include "platform/MemoryNamedMutex.h"
#include "platform/MemoryRegistry.h"
#include "platform/MemoryWindowSystem.h"
#include "platform/RecordingShell.h"
#include "platform/RegistryJournal.h"
#include "platform/ScriptedFileDialogs.h"
#include "platform/ScriptedMessageBoxes.h"
#include "platform/WinText_win.h"
#include "support/Layout_win.h"
#include "ui/Buttons_win.h"
#include "ui/ListView_win.h"
#include "ui/PictureBox_win.h"
#include "ui/StatusBar_win.h"
#include "ui/Twips.h"

namespace c = ListenansichtControls;
namespace td = testdata;
using platform::kHKeyCurrentUser;
using platform::MsgAnswer;

namespace {

const std::string kCommands(actregistry::kCustomCommands);

// The About window stands aside unless a test wants the real one.
class ListWindowUnderTest : public frmListenansicht {
public:
    using frmListenansicht::frmListenansicht;
    void ShowInfo(platform::IMessageBoxes& boxes, platform::IShell& shell) override {
        if (realInfo) {
            frmListenansicht::ShowInfo(boxes, shell);
        } else {
            ++infoShown;
        }
    }
    bool realInfo = false;
    int infoShown = 0;
};

class ListWindow : public testing::Test {
protected:
    void SetUp() override {
        Toolbar(0, "Kontaktsymbolleiste", td::Entries({57600, 0, 30101, 30102}));
        Toolbar(1, "Contact Toolbar", td::Entries({30102}));
        registry.PutDword(kHKeyCurrentUser, actregistry::ToolbarKey(2), "TypeID", 0);
        registry.PutDword(kHKeyCurrentUser, std::string(actregistry::kToolbarSummary), "Bars", 3);
        files.Put("C:\\ACT\\x.exe", {1});  // every seeded command's program
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

    // With `realInfo` the Info button shows Tessivar's own About window.
    void Open(bool realInfo = false) {
        form = std::make_unique<ListWindowUnderTest>(
            frmListenansicht::Services{env, dialogs, shell, locks, backups, pacing});
        form->realInfo = realInfo;
        form->Open(SW_SHOWNOACTIVATE);
        platform::PumpPending();
    }
    ui::ListView& List() { return form->At<ui::ListView>(c::lvCommands); }
    ui::Button& Button(ui::ButtonId button) { return form->At<ui::Button>(button); }
    ui::PictureBox& Picture(ui::PictureId picture) { return form->At<ui::PictureBox>(picture); }
    void Click(ui::ButtonId button) {
        SendMessageW(Button(button).hwnd(), BM_CLICK, 0, 0);
        platform::PumpPending();
    }
    void Select(int row) { List().SelectRow(row); }
    void PressDelete() {
        SendMessageW(List().hwnd(), WM_KEYDOWN, VK_DELETE, 1);
        SendMessageW(List().hwnd(), WM_KEYUP, VK_DELETE, 0xC0000001);
    }
    void ClickHeader(int column) {
        NMLISTVIEW click{};
        click.hdr = {List().hwnd(), static_cast<UINT_PTR>(c::lvCommands.id), LVN_COLUMNCLICK};
        click.iItem = -1;
        click.iSubItem = column;
        SendMessageW(form->hwnd(), WM_NOTIFY, c::lvCommands.id, reinterpret_cast<LPARAM>(&click));
    }
    // What the list view shows, read through the control as any reader does.
    std::vector<std::string> Column(int column) {
        std::vector<std::string> cells;
        for (int r = 0, n = ListView_GetItemCount(List().hwnd()); r < n; ++r) {
            wchar_t text[256] = {};
            ListView_GetItemText(List().hwnd(), r, column, text, 256);
            cells.push_back(platform::Narrow(text));
        }
        return cells;
    }
    std::vector<std::string> Headers() {
        std::vector<std::string> headers;
        for (int column = 0; column < List().ColumnCount(); ++column) headers.push_back(List().ColumnHeader(column));
        return headers;
    }
    std::string Status() { return form->At<ui::StatusBar>(c::StatusBar).PanelText("Status"); }
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
    platform::Pacing pacing{windows, clock};
    std::unique_ptr<ListWindowUnderTest> form;
};

const std::vector<std::string> kCommandHeaders = {"Nr",           "Name",      "Zeile", "Start",
                                                  "Beschreibung", "QuickInfo", "Menü",  "Programm"};

TEST_F(ListWindow, AnEmptyTableShowsTheSevenHeadersAndTheCountZero) {
    Open();
    EXPECT_EQ(form->Caption(), "Tessivar");
    EXPECT_EQ(Headers(), kCommandHeaders);
    EXPECT_EQ(List().RowCount(), 0);
    EXPECT_EQ(Status(), "0 benutzerdefinierte(r) Befehl(e)");
    EXPECT_EQ(Button(c::cmdSpeichern).Text(), "&Speichern");
    EXPECT_EQ(Button(c::cmdLaden).Text(), "&Laden");
    EXPECT_EQ(Button(c::cmdToolbars).Text(), "&Toolbars");
    EXPECT_TRUE(Button(c::cmdLaden).Enabled());
    EXPECT_TRUE(Button(c::cmdSpeichern).Enabled());
    for (const std::wstring& problem : support::LayoutProblems(form->hwnd())) {
        ADD_FAILURE() << std::string(problem.begin(), problem.end());
    }
}

TEST_F(ListWindow, ThreeCommandsInTableOrderAndTheToolbarViewInTheRealList) {
    SeedThree();
    Open();
    EXPECT_EQ(Column(0), (std::vector<std::string>{"0", "1", "2"}));
    EXPECT_EQ(Column(1), (std::vector<std::string>{"Adressen prüfen", "Serienbrief", "Notiz"}));
    EXPECT_EQ(Column(2)[0], "C:\\ACT\\x.exe");
    EXPECT_EQ(List().SelectedRow(), 0) << "the first row selected";
    EXPECT_EQ(Status(), "3 benutzerdefinierte(r) Befehl(e)");
    const platform::UniqueWindowDC dc = platform::ClientDC(List().hwnd());
    const std::wstring nr = L"Nr";
    SIZE header{};
    GetTextExtentPoint32W(dc.get(), nr.c_str(), 2, &header);
    EXPECT_GT(List().ColumnWidth(0), header.cx + 8) << "wide enough for its header";

    Click(c::cmdToolbars);
    EXPECT_EQ(Headers(), (std::vector<std::string>{"Nr", "Name"}));
    EXPECT_EQ(Column(1), (std::vector<std::string>{"Kontaktsymbolleiste", "Contact Toolbar", ""}));
    EXPECT_EQ(Status(), "3 Toolbar(s)");
    EXPECT_EQ(Button(c::cmdToolbars).Text(), "&Befehle");
    EXPECT_FALSE(IsWindowEnabled(Button(c::cmdLaden).hwnd()));
    EXPECT_FALSE(IsWindowEnabled(Button(c::cmdSpeichern).hwnd()));
    Click(c::cmdToolbars);
    EXPECT_EQ(Headers(), kCommandHeaders);
    EXPECT_TRUE(IsWindowEnabled(Button(c::cmdLaden).hwnd()));
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
        EXPECT_EQ(Picture(c::Picture1).SurfacePixel(x, y), expected(24, 2, x, y)) << x << "," << y;
    }
    for (const auto& [x, y] : {std::pair{0, 0}, {15, 15}, {7, 3}}) {
        EXPECT_EQ(Picture(c::Picture2).SurfacePixel(x, y), expected(16, 102, x, y)) << x << "," << y;
    }
    if (form->Dpi() == 96) {
        EXPECT_EQ(Picture(c::Picture1).PixelSize().cx, 24) << "the large picture fills its box";
        EXPECT_EQ(Picture(c::Picture2).PixelSize().cy, 16);
    }
    Select(0);
    EXPECT_EQ(Picture(c::Picture1).SurfacePixel(0, 23), expected(24, 0, 0, 23));
    // A double click opens the editor; left with Esc, it changes nothing.
    static bool edited = false;
    SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR id, DWORD) {
        if (HWND editor = FindWindowW(frmBearbeiten::kClassName, nullptr)) {
            KillTimer(nullptr, id);
            edited = true;
            PostMessageW(editor, WM_KEYDOWN, VK_ESCAPE, 0);
        }
    });
    registry.ClearLog();
    NMITEMACTIVATE activate{};
    activate.hdr = {List().hwnd(), static_cast<UINT_PTR>(c::lvCommands.id), NM_DBLCLK};
    activate.iItem = 0;
    SendMessageW(form->hwnd(), WM_NOTIFY, c::lvCommands.id, reinterpret_cast<LPARAM>(&activate));
    EXPECT_TRUE(edited);
    EXPECT_TRUE(registry.Writes().empty());
    EXPECT_TRUE(messages.Shown().empty());
    EXPECT_TRUE(dialogs.Calls().empty());
}

TEST_F(ListWindow, AClickOnAColumnHeaderSortsTheRealListWhereItIsScrolledTo) {
    std::vector<td::StoredCommand> commands;
    for (std::uint32_t i = 0; i < 60; ++i)
        commands.push_back({30101 + i, i % 2 == 0 ? "b" + std::to_string(i) : "A" + std::to_string(i)});
    td::SeedTable(registry, commands);
    Open();
    ClickHeader(0);
    EXPECT_EQ(Column(0).front(), "0");
    EXPECT_EQ(Column(0).back(), "59");
    ClickHeader(0);
    EXPECT_EQ(Column(0)[0], "59");
    EXPECT_EQ(Column(0)[1], "58");
    EXPECT_EQ(Column(0)[2], "57");
    EXPECT_EQ(List().SelectedRow(), 59) << "the first command's row, still selected";

    // Scrolled halfway down, nothing selected: a sort keeps the list where it is.
    ListView_SetItemState(List().hwnd(), -1, 0, LVIS_SELECTED);
    ListView_EnsureVisible(List().hwnd(), 30, FALSE);
    const int top = ListView_GetTopIndex(List().hwnd());
    ASSERT_GT(top, 0);
    ClickHeader(1);
    EXPECT_EQ(Column(1)[0], "A1") << "letter case does not count";
    EXPECT_EQ(Column(1)[30], "b0");
    EXPECT_EQ(List().SelectedRow(), -1);
    EXPECT_EQ(ListView_GetTopIndex(List().hwnd()), top);
}

TEST_F(ListWindow, TheWindowSnapsBackToItsLeastSizeAndTheListFillsIt) {
    Open();
    RECT frame{};
    GetWindowRect(form->hwnd(), &frame);
    EXPECT_GE(frame.right - frame.left, form->Px(c::kMinOuterWidth));
    EXPECT_GE(frame.bottom - frame.top, form->Px(4800));
    SetWindowPos(form->hwnd(), nullptr, 0, 0, 200, 150, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    GetWindowRect(form->hwnd(), &frame);
    EXPECT_EQ(frame.right - frame.left, form->Px(c::kMinOuterWidth));
    EXPECT_EQ(frame.bottom - frame.top, form->Px(4800));

    SetWindowPos(form->hwnd(), nullptr, 0, 0, 900, 600, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const auto expectFilled = [this] {
        const SIZE client = form->ClientSize();
        const RECT list = List().PixelRect();
        const RECT bar = form->At<ui::StatusBar>(c::StatusBar).PixelRect();
        EXPECT_EQ(list.left, 0);
        EXPECT_EQ(list.top, form->Px(c::kListTop));
        EXPECT_EQ(list.right, client.cx);
        EXPECT_EQ(list.bottom, bar.top);
        EXPECT_EQ(bar.bottom, client.cy);
        const RECT laden = Button(c::cmdLaden).PixelRect();
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
    EXPECT_EQ(Button(c::cmdLaden).PixelRect().bottom - Button(c::cmdLaden).PixelRect().top,
              ui::TwipsToPixels(375, 144));
    expectFilled();
    for (const std::wstring& problem : support::LayoutProblems(form->hwnd())) {
        ADD_FAILURE() << std::string(problem.begin(), problem.end());
    }
}

TEST_F(ListWindow, DroppedCommandFilesAreLoadedOneQuestionEach) {
    SeedThree();
    files.Put("C:\\Befehle\\Neu.cmd",
              td::CommandFile(td::Record(4711, "Neuer Befehl"), td::Image(24, 24, 3, 7), td::Image(16, 16, 3, 9)));
    files.Put("C:\\Befehle\\Zweiter.CMD",
              td::CommandFile(td::Record(1, "Zweiter"), td::Image(24, 24, 3), td::Image(16, 16, 3)));
    Open();
    const std::wstring list = L"C:\\Befehle\\Neu.cmd" + std::wstring(1, L'\0') + L"C:\\Befehle\\Liesmich.txt" +
                              std::wstring(1, L'\0') + L"C:\\Befehle\\Zweiter.CMD" + std::wstring(2, L'\0');
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
    auto* dropped = static_cast<DROPFILES*>(GlobalLock(memory));
    dropped->pFiles = sizeof(DROPFILES);
    dropped->fWide = TRUE;
    std::copy(list.begin(), list.end(), reinterpret_cast<wchar_t*>(dropped + 1));
    GlobalUnlock(memory);
    messages.QueueAnswer(MsgAnswer::No);
    messages.QueueAnswer(MsgAnswer::No);
    SendMessageW(form->hwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
    EXPECT_EQ(messages.Shown().size(), 2u) << "one question per command file, none for the text file";
    EXPECT_EQ(Column(1),
              (std::vector<std::string>{"Adressen prüfen", "Serienbrief", "Notiz", "Neuer Befehl", "Zweiter"}));
    EXPECT_EQ(List().SelectedRow(), 4) << "the last one loaded";
}

TEST_F(ListWindow, EveryButtonIsReachedByTabAndByItsAccessKey) {
    Open();
    std::vector<HWND> order;
    HWND at = List().hwnd();
    for (int i = 0; i < 9; ++i) order.push_back(at = GetNextDlgTabItem(form->hwnd(), at, FALSE));
    EXPECT_EQ(order,
              (std::vector<HWND>{Button(c::cmdSpeichern).hwnd(), Button(c::cmdLaden).hwnd(),
                                 Button(c::cmdToolbars).hwnd(), Button(c::cmdInfo).hwnd(),
                                 Button(c::cmdWiederherstellen).hwnd(), Button(c::cmdBearbeiten).hwnd(),
                                 Button(c::cmdPfade).hwnd(), Button(c::cmdSchaltflaechen).hwnd(), List().hwnd()}));

    const auto alt = [this](wchar_t key) {
        // The key as the keyboard sends it; its character follows from it.
        PostMessageW(List().hwnd(), WM_SYSKEYDOWN, VkKeyScanW(key) & 0xFF, 1 << 29);
        platform::PumpPending();
    };
    alt(L'l');
    EXPECT_EQ(dialogs.Calls().size(), 1u) << "Alt+L: Laden";
    EXPECT_EQ(dialogs.Calls()[0].record.owner, form->Handle()) << "owned by the list";
    alt(L't');
    EXPECT_EQ(Button(c::cmdToolbars).Text(), "&Befehle") << "Alt+T: Toolbars";
    alt(L'b');
    EXPECT_EQ(Button(c::cmdToolbars).Text(), "&Toolbars") << "Alt+B: Befehle";
    alt(L'i');
    EXPECT_EQ(form->infoShown, 1) << "Alt+I: the About window";
    alt(L'w');
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Es gibt noch keine Sicherung der ACT!-Konfiguration."})
        << "Alt+W: Wiederherstellen";
    alt(L'e');
    EXPECT_EQ(FindWindowW(frmBearbeiten::kClassName, nullptr), nullptr) << "Alt+E: no command, no editor";
    alt(L'p');
    EXPECT_TRUE(dialogs.FolderTitles().empty()) << "Alt+P: nothing selected, nothing to mend";
}

TEST_F(ListWindow, TheRestoreButtonOffersTheBackupsInTheRealModalList) {
    SeedThree();
    Open();
    Select(1);
    messages.QueueAnswer(MsgAnswer::Yes);
    PressDelete();
    ASSERT_EQ(List().RowCount(), 2);
    clock.SetLocal({2026, 12, 9, 6, 0, 0});
    ASSERT_TRUE(modBackup::Take(env.registry, backups));

    // The real list, from inside its modal loop: the older backup chosen,
    // or the list left with Esc.
    static HWND owner = nullptr;
    static bool modal = false, focused = false, escape = false;
    static std::vector<std::wstring> rows;
    static std::vector<std::wstring> layout;
    owner = form->hwnd();
    const auto answer = [](HWND, UINT, UINT_PTR id, DWORD) {
        HWND choice = FindWindowW(frmSicherungen::kClassName, nullptr);
        if (choice == nullptr) return;
        KillTimer(nullptr, id);
        modal = !IsWindowEnabled(owner) && GetWindow(choice, GW_OWNER) == owner;
        layout = support::LayoutProblems(choice);
        HWND list = GetDlgItem(choice, SicherungenControls::lvBackups.id);
        focused = GetFocus() == list;
        rows.clear();
        for (int r = 0; r < ListView_GetItemCount(list); ++r) {
            wchar_t text[64] = {};
            ListView_GetItemText(list, r, 0, text, 64);
            rows.push_back(text);
        }
        if (escape) {
            PostMessageW(list, WM_KEYDOWN, VK_ESCAPE, 0);
            return;
        }
        ListView_SetItemState(list, 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        PostMessageW(GetDlgItem(choice, SicherungenControls::cmdOK.id), BM_CLICK, 0, 0);
    };
    SetTimer(nullptr, 0, 10, answer);
    messages.Clear();
    Click(c::cmdWiederherstellen);
    EXPECT_TRUE(modal);
    EXPECT_TRUE(focused) << "the list of backups has the focus";
    EXPECT_TRUE(layout.empty()) << std::string(layout.front().begin(), layout.front().end());
    EXPECT_EQ(rows, (std::vector<std::wstring>{L"09.12.2026, 06:00:00 Uhr", L"09.12.2026, 05:30:12 Uhr"}));
    EXPECT_EQ(BoxTexts(),
              std::vector<std::string>{"Die Sicherung vom 09.12.2026, 05:30:12 Uhr wurde zurückgeschrieben."});
    EXPECT_EQ(Stored(kCommands, "Count"), (ByteArray{3, 0, 0, 0}));
    EXPECT_EQ(List().RowCount(), 3);
    EXPECT_TRUE(IsWindowEnabled(form->hwnd()));

    escape = true;
    registry.ClearLog();
    messages.Clear();
    SetTimer(nullptr, 0, 10, answer);
    Click(c::cmdWiederherstellen);
    EXPECT_EQ(rows.size(), 3u);
    EXPECT_TRUE(registry.Writes().empty()) << "nothing chosen, nothing written";
    EXPECT_TRUE(messages.Shown().empty());
    EXPECT_EQ(FindWindowW(frmSicherungen::kClassName, nullptr), nullptr);
}

TEST_F(ListWindow, TheEditButtonAndEnterOnARowOpenTheRealEditorAndItsEditShowsInTheRow) {
    SeedThree();
    Open();
    Select(1);
    static HWND owner = nullptr;
    static bool modal = false;
    static const wchar_t* newName = nullptr;
    owner = form->hwnd();
    const auto answer = [](HWND, UINT, UINT_PTR id, DWORD) {
        HWND editor = FindWindowW(frmBearbeiten::kClassName, nullptr);
        if (editor == nullptr) return;
        KillTimer(nullptr, id);
        modal = !IsWindowEnabled(owner) && GetWindow(editor, GW_OWNER) == owner;
        SetWindowTextW(GetDlgItem(editor, BearbeitenControls::txbName.id), newName);
        PostMessageW(GetDlgItem(editor, BearbeitenControls::cmdOK.id), BM_CLICK, 0, 0);
    };
    newName = L"Serienbrief 2";
    SetTimer(nullptr, 0, 10, answer);
    Click(c::cmdBearbeiten);
    EXPECT_TRUE(modal);
    EXPECT_EQ(Column(1), (std::vector<std::string>{"Adressen prüfen", "Serienbrief 2", "Notiz"}));
    EXPECT_EQ(clCustomTessivars(env).Item(1).Name(), "Serienbrief 2");

    newName = L"Serienbrief 3";
    SetTimer(nullptr, 0, 10, answer);
    SendMessageW(List().hwnd(), WM_KEYDOWN, VK_RETURN, 1);
    platform::PumpPending();
    EXPECT_EQ(Column(1)[1], "Serienbrief 3") << "Enter on the row";
    EXPECT_EQ(FindWindowW(frmBearbeiten::kClassName, nullptr), nullptr);
}

// The mark in the real list, two rows selected together, and the real
// modal window of mended paths answered from inside its modal loop.
TEST_F(ListWindow, MissingProgramsAreMarkedInTheRealListAndMendedThroughTheRealModalWindow) {
    SeedThree();
    for (int n : {0, 2}) {
        registry.Put(kHKeyCurrentUser, kCommands, "Command-" + std::to_string(n), platform::kRegBinary,
                     td::Record(n == 0 ? 30101 : 30104, "Alt " + std::to_string(n),
                                "\"C:\\Alte Programme\\p" + std::to_string(n) + ".exe\" /n"));
        files.Put("D:\\Neu\\p" + std::to_string(n) + ".exe", {1});
    }
    Open();
    EXPECT_EQ(Headers(), kCommandHeaders);
    EXPECT_EQ(Column(7), (std::vector<std::string>{"Programm fehlt", "", "Programm fehlt"}));
    EXPECT_EQ(Status(), "3 benutzerdefinierte(r) Befehl(e), 2 mit fehlendem Programm");

    for (int row : {0, 2}) ListView_SetItemState(List().hwnd(), row, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(List().SelectedRows(), (std::vector<int>{0, 2}));
    dialogs.QueueFolder("D:\\Neu");
    static HWND owner = nullptr;
    static bool modal = false;
    static std::vector<std::wstring> newLines, layout;
    owner = form->hwnd();
    SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR id, DWORD) {
        HWND paths = FindWindowW(frmPfade::kClassName, nullptr);
        if (paths == nullptr) return;
        KillTimer(nullptr, id);
        modal = !IsWindowEnabled(owner) && GetWindow(paths, GW_OWNER) == owner;
        layout = support::LayoutProblems(paths);
        HWND list = GetDlgItem(paths, PfadeControls::lvPfade.id);
        for (int r = 0; r < ListView_GetItemCount(list); ++r) {
            wchar_t text[256] = {};
            ListView_GetItemText(list, r, 3, text, 256);
            newLines.push_back(text);
        }
        PostMessageW(GetDlgItem(paths, PfadeControls::cmdOK.id), BM_CLICK, 0, 0);
    });
    Click(c::cmdPfade);
    EXPECT_TRUE(modal);
    for (const std::wstring& problem : layout) ADD_FAILURE() << std::string(problem.begin(), problem.end());
    EXPECT_EQ(newLines, (std::vector<std::wstring>{L"\"D:\\Neu\\p0.exe\" /n", L"\"D:\\Neu\\p2.exe\" /n"}));
    EXPECT_EQ(Column(7), (std::vector<std::string>{"", "", ""})) << "filled again, nothing missing";
    EXPECT_EQ(Status(), "3 benutzerdefinierte(r) Befehl(e)");
    EXPECT_EQ(Column(2)[2], "\"D:\\Neu\\p2.exe\" /n");
    EXPECT_EQ(FindWindowW(frmPfade::kClassName, nullptr), nullptr);
}

// Read through the control, as any reader does.
std::vector<std::wstring> Rows(HWND list, int columns) {
    std::vector<std::wstring> rows;
    for (int r = 0; r < ListView_GetItemCount(list); ++r) {
        std::wstring row;
        for (int column = 0; column < columns; ++column) {
            wchar_t text[128] = {};
            ListView_GetItemText(list, r, column, text, 128);
            row += (column > 0 ? L"|" : L"") + std::wstring(text);
        }
        rows.push_back(row);
    }
    return rows;
}

TEST_F(ListWindow, EachBackupSaysWhatItWasTakenBeforeAndItsDifferencesShowBeforeAnythingIsWritten) {
    SeedThree();
    Open();
    Select(1);
    messages.QueueAnswer(MsgAnswer::Yes);
    PressDelete();  // backed up before: Serienbrief is in the backup, and its button

    // From inside the modal loops: the list of backups, its "Unterschiede…",
    // the differences window closed, then the list cancelled.
    static int stage = 0;
    static std::vector<std::wstring> backupsShown, differences, layout;
    stage = 0;
    const auto answer = [](HWND, UINT, UINT_PTR id, DWORD) {
        HWND choice = FindWindowW(frmSicherungen::kClassName, nullptr);
        HWND shown = FindWindowW(frmUnterschiede::kClassName, nullptr);
        if (stage == 0 && choice != nullptr) {
            backupsShown = Rows(GetDlgItem(choice, SicherungenControls::lvBackups.id), 4);
            PostMessageW(GetDlgItem(choice, SicherungenControls::cmdUnterschiede.id), BM_CLICK, 0, 0);
            stage = 1;
        } else if (stage == 1 && shown != nullptr) {
            differences = Rows(GetDlgItem(shown, UnterschiedeControls::lvDifferences.id), 3);
            layout = support::LayoutProblems(shown);
            PostMessageW(GetDlgItem(shown, UnterschiedeControls::cmdClose.id), BM_CLICK, 0, 0);
            stage = 2;
        } else if (stage == 2 && shown == nullptr && choice != nullptr) {
            PostMessageW(GetDlgItem(choice, SicherungenControls::cmdCancel.id), BM_CLICK, 0, 0);
            KillTimer(nullptr, id);
        }
    };
    SetTimer(nullptr, 0, 10, answer);
    registry.ClearLog();
    Click(c::cmdWiederherstellen);
    ASSERT_EQ(backupsShown.size(), 1u);
    EXPECT_EQ(backupsShown[0].substr(backupsShown[0].rfind(L'|') + 1), L"Löschen von 'Serienbrief'");
    EXPECT_EQ(differences,
              (std::vector<std::wstring>{L"Befehl|Serienbrief|kommt hinzu",
                                         L"Symbolleiste|Kontaktsymbolleiste|Schaltflächen werden geändert"}));
    EXPECT_TRUE(layout.empty()) << std::string(layout.front().begin(), layout.front().end());
    EXPECT_TRUE(registry.Writes().empty()) << "looked at, cancelled: nothing written";
    EXPECT_EQ(FindWindowW(frmSicherungen::kClassName, nullptr), nullptr);
}

TEST_F(ListWindow, TheSelectedCommandsButtonIsPlacedInTheRealModalWindow) {
    SeedThree();
    Open();
    Select(2);  // "Notiz", on no toolbar

    // The group toolbar is not there: the contact toolbar and "Contact Toolbar"
    // are offered; the button put on the first and moved one place left.
    static std::vector<std::wstring> before, after, layout;
    const auto answer = [](HWND, UINT, UINT_PTR id, DWORD) {
        HWND place = FindWindowW(frmSchaltflaechen::kClassName, nullptr);
        if (place == nullptr) return;
        KillTimer(nullptr, id);
        HWND list = GetDlgItem(place, SchaltflaechenControls::lvToolbars.id);
        layout = support::LayoutProblems(place);
        before = Rows(list, 2);
        SendMessageW(GetDlgItem(place, SchaltflaechenControls::cmdHinzufuegen.id), BM_CLICK, 0, 0);
        SendMessageW(GetDlgItem(place, SchaltflaechenControls::cmdLinks.id), BM_CLICK, 0, 0);
        after = Rows(list, 2);
        PostMessageW(GetDlgItem(place, SchaltflaechenControls::cmdOK.id), BM_CLICK, 0, 0);
    };
    SetTimer(nullptr, 0, 10, answer);
    registry.ClearLog();
    Click(c::cmdSchaltflaechen);
    EXPECT_TRUE(layout.empty()) << std::string(layout.front().begin(), layout.front().end());
    EXPECT_EQ(before,
              (std::vector<std::wstring>{L"Kontaktsymbolleiste|nicht darauf", L"Contact Toolbar|nicht darauf"}));
    EXPECT_EQ(after, (std::vector<std::wstring>{L"Kontaktsymbolleiste|5 von 6", L"Contact Toolbar|nicht darauf"}));
    EXPECT_EQ(Stored(actregistry::ToolbarKey(0), "Buttons"), td::Entries({57600, 0, 30101, 30102, 30104, 0}));
    EXPECT_EQ(Stored(actregistry::ToolbarKey(1), "Buttons"), td::Entries({30102}));
    EXPECT_TRUE(IsWindowEnabled(form->hwnd()));
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
    Click(c::cmdInfo);
    EXPECT_TRUE(ownerDisabled) << "modal, over the list window";
    EXPECT_EQ(FindWindowW(L"InfoFenster", nullptr), nullptr);
    EXPECT_TRUE(IsWindowEnabled(form->hwnd()));
    EXPECT_TRUE(shell.Calls().empty());
}

// A table that takes over a second to read: the window shows at once,
// answers, keeps its buttons locked and fills as it reads.
TEST(ListWindowOnALargeTable, ShowsAtOnceAnswersAndFillsAsTheTableIsRead) {
    constexpr int kTableSize = 400;
    SlowTable table(kTableSize, "Befehl 0");
    platform::ScriptedFileDialogs dialogs;
    platform::RecordingShell shell;
    platform::MemoryNamedMutex locks;
    platform::FakeClock stamps;
    const modBackup::Store backups{table.files, stamps, "C:\\Sicherungen"};
    ListWindowUnderTest form({table.Commands(), dialogs, shell, locks, backups, table.pacing});
    std::vector<DWORD_PTR> rows;  // with 1000 added while Laden could be pressed
    Pinger pings(frmListenansicht::kClassName, [&](HWND window) {
        DWORD_PTR count = 0;
        SendMessageTimeoutW(GetDlgItem(window, c::lvCommands.id), LVM_GETITEMCOUNT, 0, 0, SMTO_NORMAL, 1000, &count);
        rows.push_back(count + (IsWindowEnabled(GetDlgItem(window, c::cmdLaden.id)) ? 1000 : 0));
    });
    const auto start = std::chrono::steady_clock::now();
    form.Open(SW_SHOWNOACTIVATE);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::seconds(1)) << "long enough to tell";
    EXPECT_LT(pings.Stop(), 100.0);
    EXPECT_GE(rows.size(), 20u) << "the window showed before the table was read";
    EXPECT_TRUE(std::is_sorted(rows.begin(), rows.end()));
    EXPECT_TRUE(std::any_of(rows.begin(), rows.end(), [](DWORD_PTR n) { return n > 0 && n < kTableSize; }))
        << "rows showed while the table was read, its buttons locked";
    EXPECT_EQ(form.At<ui::ListView>(c::lvCommands).RowCount(), kTableSize);
    EXPECT_TRUE(IsWindowEnabled(form.At<ui::Button>(c::cmdLaden).hwnd()));
    form.Destroy();
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
