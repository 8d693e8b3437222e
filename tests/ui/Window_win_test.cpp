// The window layer in this process: a window written as its header shows,
// driven through window messages as the system would drive it.
#include "ui/Window_win.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "base/AppError.h"
#include "support/Layout_win.h"
#include "support/TestWindow_win.h"
#include "ui/Buttons_win.h"
#include "ui/ComboList_win.h"
#include "ui/Edit_win.h"
#include "ui/Label_win.h"
#include "ui/ListView_win.h"
#include "ui/PictureBox_win.h"
#include "ui/ProgressBar_win.h"
#include "ui/StatusBar_win.h"
#include "ui/Timer_win.h"
#include "ui/ToolTips_win.h"

namespace {

class frmProbe : public ui::Window {
public:
    frmProbe() : Window(L"UiProbe") {}
    void Open() {
        Create({.caption = "Prüffenster", .innerWidth = 6000, .innerHeight = 4000});
        Show(SW_SHOWNOACTIVATE);
    }

    int clicks = 0;
    int escapes = 0;
    bool takesEscape = true;
    int cancels = 0;  // IDCANCEL from the dialog manager
    int ticks = 0;
    ui::Timer* timer = nullptr;
    std::vector<std::string> errors;

protected:
    void OnCreate() override {
        Add<ui::Label>("lbText", ui::Place{120, 120, 2760, 300}, "&Grüß Gott!");
        auto& ok = Add<ui::Button>("cmdOK", ui::Place{120, 600, 1200, 375}, "&OK");
        ok.SetDefault(true);
        ok.onClick = [this] { ++clicks; };
        auto& fails = Add<ui::Button>("cmdFehler", ui::Place{1440, 600, 1200, 375}, "&Fehler");
        fails.onClick = [] { Raise(ErrorNumber::InvalidCall, "absichtlich"); };
        Add<ui::Edit>("txbName", ui::Place{120, 1080, 2400, 300}, "Müller");
        auto& list = Add<ui::ComboList>("cbxLand", ui::Place{2640, 1080, 1200, 300});
        for (const char* land : {"DEU", "CHE", "AUT"}) list.AddItem(land);
        list.SetListIndex(0);
        Add<ui::CheckBox>("ckAuto", ui::Place{120, 1500, 2400, 300}, "automatisch");
        Add<ui::OptionButton>("optA", ui::Place{120, 1860, 1200, 300}, "&langsam", true);
        Add<ui::OptionButton>("optB", ui::Place{1440, 1860, 1200, 300}, "&schnell", false, true);
        Add<ui::ListView>("lvListe", ui::Place{4000, 120, 1880, 900});
        Add<ui::PictureBox>("picBild", ui::Place{4200, 1500, 600, 600});
        Add<ui::ProgressBar>("ProgressBar", ui::Place{120, 2400, 3000, 210});
        auto& bar = Add<ui::StatusBar>("StatusBar", 20);
        bar.AddPanel("Status");
        timer = &AddTimer(60000);
        timer->onTick = [this] { ++ticks; };
        timer->Start();
        Tips().Set(ok, "Schließt nichts");
    }
    bool OnEscape() override {
        ++escapes;
        return takesEscape;
    }
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_COMMAND && LOWORD(wParam) == IDCANCEL) ++cancels;
        return Default(msg, wParam, lParam);
    }
    void OnError() override {
        try {
            throw;
        } catch (const AppError& e) {
            errors.push_back(std::to_string(e.number()) + " " + e.description());
        }
    }
};

// Runs what a keyboard would deliver to the focused control through the message loop.
void Type(HWND focus, UINT key) {
    PostMessageW(focus, WM_KEYDOWN, key, 0);
    PostMessageW(focus, WM_KEYUP, key, 0xC0000000);
    platform::PumpPending();
}

TEST(WindowLayer, ControlsAreFoundByNameLaidOutWholeAndRouteTheirEvents) {
    frmProbe form;
    form.Open();
    for (const std::wstring& problem : support::LayoutProblems(form.hwnd())) {
        ADD_FAILURE() << std::string(problem.begin(), problem.end());
    }
    ASSERT_NE(form.Find("cmdOK"), nullptr);
    EXPECT_EQ(form.Find("cmdNichts"), nullptr);
    EXPECT_EQ(form.Get<ui::Edit>("txbName").Text(), "Müller");
    EXPECT_THROW(form.Get<ui::Edit>("cmdOK"), std::bad_cast);

    // A click as the system reports it, and Enter pressing the default button.
    SendMessageW(form.Find("cmdOK")->hwnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(form.clicks, 1);
    Type(form.Find("txbName")->hwnd(), VK_RETURN);
    EXPECT_EQ(form.clicks, 2);
    // Escape reaches the window before the focused control, in every loop,
    // as a key or as its character; taken there, it goes no further.
    Type(form.Find("txbName")->hwnd(), VK_ESCAPE);
    PostMessageW(form.Find("cbxLand")->hwnd(), WM_CHAR, 27, 0);
    platform::PumpPending();
    EXPECT_EQ(form.escapes, 2);
    EXPECT_EQ(form.cancels, 0);
    // Left by the window, it is the dialog manager's Cancel.
    form.takesEscape = false;
    Type(form.Find("txbName")->hwnd(), VK_ESCAPE);
    EXPECT_EQ(form.escapes, 3);
    EXPECT_EQ(form.cancels, 1);
    Type(form.Find("txbName")->hwnd(), 'A');
    EXPECT_EQ(form.escapes, 3) << "no other key";

    // An exception in a handler is reported and the window goes on.
    SendMessageW(form.Find("cmdFehler")->hwnd(), BM_CLICK, 0, 0);
    ASSERT_EQ(form.errors.size(), 1u);
    EXPECT_EQ(form.errors[0], "5 absichtlich");
    EXPECT_TRUE(form.IsOpen());

    // The timer by its message, not by waiting.
    SendMessageW(form.hwnd(), WM_TIMER, form.timer->Id(), 0);
    EXPECT_EQ(form.ticks, 1);
    EXPECT_EQ(form.Tips().TextOf(*form.Find("cmdOK")), "Schließt nichts");
}

TEST(WindowLayer, ToolTipsGetTheirWindowWhenTheWindowShowsAndKeepEveryTextSetBefore) {
    frmProbe form;
    form.Create({.caption = "Prüffenster", .innerWidth = 6000, .innerHeight = 4000});
    const ui::Control& ok = *form.Find("cmdOK");
    EXPECT_EQ(form.Tips().hwnd(), nullptr) << "a top-level window of its own, not needed before the window shows";
    form.Tips().Set(ok, "Schließt gar nichts");
    EXPECT_EQ(form.Tips().TextOf(ok), "Schließt gar nichts");
    form.Show(SW_SHOWNOACTIVATE);
    ASSERT_NE(form.Tips().hwnd(), nullptr);
    EXPECT_EQ(form.Tips().TextOf(ok), "Schließt gar nichts");
    EXPECT_EQ(SendMessageW(form.Tips().hwnd(), TTM_GETTOOLCOUNT, 0, 0), 1);
    form.Tips().Set(*form.Find("cmdFehler"), "Löst einen Fehler aus");
    EXPECT_EQ(form.Tips().TextOf(*form.Find("cmdFehler")), "Löst einen Fehler aus");
    EXPECT_EQ(SendMessageW(form.Tips().hwnd(), TTM_GETTOOLCOUNT, 0, 0), 2);
}

TEST(WindowLayer, ListsBoxesBarsAndPicturesKeepWhatTheyAreGiven) {
    frmProbe form;
    form.Open();
    auto& list = form.Get<ui::ListView>("lvListe");
    list.AddColumn("Nr");
    list.AddColumn("Name");
    list.AddColumn("Menü");
    for (const auto& [nr, name] : {std::pair{"10", "Zeile"}, {"9", "Änderung"}, {"100", "Anfang"}}) {
        list.SetCell(list.AddRow(nr), 1, name);
    }
    EXPECT_EQ(list.ColumnCount(), 3);
    EXPECT_EQ(list.ColumnHeader(1), "Name");
    std::vector<int> clicked;
    list.onItemClick = [&](int row) { clicked.push_back(row); };
    list.SelectRow(1);
    EXPECT_EQ(clicked, std::vector<int>{1});
    list.SortRows([](const auto& a, const auto& b) { return std::stoi(a[0]) < std::stoi(b[0]); });
    EXPECT_EQ(list.Cell(0, 1), "Änderung");
    EXPECT_EQ(list.Cell(2, 0), "100");
    EXPECT_EQ(list.SelectedRow(), 0) << "the selected row stays selected";
    // The texts live with the control's owner; the control reads them as its own.
    wchar_t text[16] = {};
    LVITEMW item{};
    item.iSubItem = 1;
    item.pszText = text;
    item.cchTextMax = 16;
    SendMessageW(list.hwnd(), LVM_GETITEMTEXTW, 2, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(text, L"Anfang");
    EXPECT_EQ(SendMessageW(list.hwnd(), LVM_GETITEMCOUNT, 0, 0), 3);
    // Typing a row's first characters goes to it.
    SendMessageW(list.hwnd(), WM_CHAR, L'1', 1);
    EXPECT_EQ(list.SelectedRow(), 1);
    list.DeleteRow(0);
    EXPECT_EQ(list.Cell(0, 0), "10");
    EXPECT_EQ(list.SelectedRow(), 0) << "the selection moves with its row";
    list.SetColumnWidth(1, 5);
    list.AutoSizeColumn(1, true);
    EXPECT_GT(list.ColumnWidth(1), 40) << "as wide as \"Änderung\"";

    auto& land = form.Get<ui::ComboList>("cbxLand");
    EXPECT_FALSE(land.SetListIndex(5));
    EXPECT_EQ(land.ListIndex(), 0);
    EXPECT_TRUE(land.SetListIndex(2));
    EXPECT_EQ(land.ItemText(land.ListIndex()), "AUT");

    // The open list shows all its entries: its window leaves room below the box.
    SendMessageW(land.hwnd(), CB_SHOWDROPDOWN, TRUE, 0);
    COMBOBOXINFO combo{};
    combo.cbSize = sizeof(combo);
    ASSERT_TRUE(GetComboBoxInfo(land.hwnd(), &combo));
    RECT open{};
    GetWindowRect(combo.hwndList, &open);
    EXPECT_GE(open.bottom - open.top, 3 * static_cast<int>(SendMessageW(land.hwnd(), CB_GETITEMHEIGHT, 0, 0)));
    SendMessageW(land.hwnd(), CB_SHOWDROPDOWN, FALSE, 0);

    auto& a = form.Get<ui::OptionButton>("optA");
    auto& b = form.Get<ui::OptionButton>("optB");
    EXPECT_TRUE(b.Checked()) << "made checked";
    EXPECT_FALSE(a.Checked());
    SendMessageW(a.hwnd(), BM_CLICK, 0, 0);
    EXPECT_TRUE(a.Checked());
    EXPECT_FALSE(b.Checked()) << "one group: the option made checked is an automatic one still";
    SendMessageW(b.hwnd(), BM_CLICK, 0, 0);
    EXPECT_TRUE(b.Checked());
    EXPECT_FALSE(a.Checked());

    auto& bar = form.Get<ui::StatusBar>("StatusBar");
    bar.SetPanelText("Status", "3 Einträge");
    EXPECT_EQ(bar.PanelText("Status"), "3 Einträge");
    EXPECT_EQ(bar.PixelHeight(), MulDiv(20, static_cast<int>(form.Dpi()), 96));
    EXPECT_THROW(bar.SetPanelText("Fehlt", "x"), AppError);
    RECT client{};
    GetClientRect(form.hwnd(), &client);
    EXPECT_EQ(bar.PixelRect().bottom, client.bottom) << "docked at the bottom";

    auto& progress = form.Get<ui::ProgressBar>("ProgressBar");
    progress.SetValue(71);
    EXPECT_EQ(progress.Value(), 71);

    auto& picture = form.Get<ui::PictureBox>("picBild");
    const platform::UniqueBrush red(CreateSolidBrush(RGB(200, 0, 0)));
    RECT square{2, 2, 6, 6};
    FillRect(picture.Surface(), &square, red.get());
    picture.Refresh();
    EXPECT_EQ(picture.SurfacePixel(3, 3), RGB(200, 0, 0));
    EXPECT_EQ(picture.SurfacePixel(8, 8), RGB(255, 255, 255));
    EXPECT_EQ(picture.SurfacePixel(-1, 0), CLR_INVALID);
}

TEST(WindowLayer, AScreenOfAnotherDpiLaysTheControlsOutAgain) {
    frmProbe form;
    form.Open();
    RECT suggested{};
    GetWindowRect(form.hwnd(), &suggested);
    suggested.right = suggested.left + (suggested.right - suggested.left) * 3 / 2;
    suggested.bottom = suggested.top + (suggested.bottom - suggested.top) * 3 / 2;
    SendMessageW(form.hwnd(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(form.Dpi(), 144u);
    const RECT ok = form.Find("cmdOK")->PixelRect();
    EXPECT_EQ(ok.left, ui::TwipsToPixels(120, 144));
    EXPECT_EQ(ok.bottom - ok.top, ui::TwipsToPixels(375, 144));
    for (const std::wstring& problem : support::LayoutProblems(form.hwnd())) {
        ADD_FAILURE() << std::string(problem.begin(), problem.end());
    }
}

TEST(WindowLayer, ClosingEndsItsLoopAndAWindowCanBeMadeAgain) {
    frmProbe form;
    form.Open();
    PostMessageW(form.hwnd(), WM_CLOSE, 0, 0);
    form.RunUntilClosed();
    EXPECT_FALSE(form.IsOpen());
    form.Open();
    EXPECT_TRUE(form.IsOpen());
    EXPECT_EQ(form.Controls().size(), 12u) << "its controls anew, not twice";
}

}  // namespace
