// Rovandel2's main window in this process under Wine: built on the window
// layer, driven through window messages, its values in the real registry.
#include "routeplanner/frmRovandel2_win.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "commands/CommandServices.h"

#include <future>

#include "driver/BoxDriver_win.h"
#include "platform/Locale.h"
#include "platform/MemoryEnvironment.h"
#include "platform/ScriptedFileDialogs.h"
#include "platform/MessagePump_win.h"
#include "platform/RecordingShell.h"
#include "platform/ScriptedAutomation.h"
#include "platform/Clock_win.h"
#include "browser/ScriptedBrowser.h"
#include "platform/ScriptedMessageBoxes.h"
#include "platform/ScriptedShellFolders.h"
#include "platform/SettingsStore_win.h"
#include "platform/WinPlatform_win.h"
#include "routeplanner/EinstellungenControls.h"
#include "routeplanner/modRovandel2.h"
#include "support/Layout_win.h"
#include "support/Raw_win.h"
#include "support/RegistrySnapshot_win.h"
#include "support/TestWindow_win.h"
#include "ui/StatusBar_win.h"
#include "ui/ToolTips_win.h"

namespace {

namespace c = Rovandel2Controls;
using Strings = std::vector<std::string>;

constexpr wchar_t kSettingsRoot[] = L"Software\\VB and VBA Program Settings\\Rovandel2";
constexpr char kSettingsKey[] = "Software\\VB and VBA Program Settings\\Rovandel2\\Optionen";

std::wstring TextOf(HWND control) {
    const int length = GetWindowTextLengthW(control);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), length + 1)));
    return text;
}

std::wstring Selected(HWND list) {
    const LRESULT index = SendMessageW(list, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) return L"<none>";
    std::wstring text(static_cast<std::size_t>(SendMessageW(list, CB_GETLBTEXTLEN, index, 0)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(SendMessageW(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

// A stored value as the registry's W functions give it back.
std::optional<std::wstring> RawSetting(const std::wstring& name) {
    DWORD type = 0, size = 0;
    const std::wstring key = std::wstring(kSettingsRoot) + L"\\Optionen";
    if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), RRF_RT_ANY, &type, nullptr, &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ) {
        return std::nullopt;
    }
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, text.data(), &size);
    return text.substr(0, text.find(L'\0'));
}

void WriteSetting(const std::wstring& name, const std::wstring& value) {
    platform::UniqueHkey key;
    RegCreateKeyExW(HKEY_CURRENT_USER, (std::wstring(kSettingsRoot) + L"\\Optionen").c_str(), 0, nullptr, 0, KEY_WRITE,
                    nullptr, key.put(), nullptr);
    RegSetValueExW(key.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

class Rovandel2Window : public testing::Test {
protected:
    Rovandel2Window() {
        act.AnswerObject("app", "Views", "views");
        act.AnswerWith("views", "Create", [this](const auto&) { return act.Hand("contact"); });
        act.AnswerWith("contact", "GetField", [this](const std::vector<platform::AutoValue>& args) {
            if (duringCapture) duringCapture();
            const std::int32_t field = std::get<std::int32_t>(args.at(0));
            return platform::AutoValue(field == 30   ? std::string("Köln")
                                       : field == 27 ? std::string("Hauptstraße 12b")
                                       : field == 32 ? std::string("50667")
                                                     : std::string("Deutschland"));
        });
    }
    void SetUp() override { support::DeleteTree(HKEY_CURRENT_USER, kSettingsRoot); }
    void TearDown() override {
        form.reset();
        support::DeleteTree(HKEY_CURRENT_USER, kSettingsRoot);
    }

    frmRovandel2& Open() {
        form =
            std::make_unique<frmRovandel2>(clRovandel2::Services{win.windows, env.registry, win.files, settings, shell,
                                                                 link, "Rovandel2", browsers, launcher, clock},
                                           Settings(), escape);
        form->Open(SW_SHOWNOACTIVATE);
        platform::PumpPending();
        return *form;
    }
    clEinstellungen::Services Settings() {
        return {settings, {win.registry, win.files, environment}, dialogs, shell, boxes};
    }
    HWND Item(ui::ControlId control) const { return GetDlgItem(form->hwnd(), control.id); }

    platform::WinPlatform win{"Rovandel2"};
    platform::ScriptedMessageBoxes boxes;
    const CommandServices env{{win.registry, win.text, boxes}, win.files, win.graphics, win.windows};
    platform::WinSettingsStore settings;
    platform::ScriptedShellFolders shell;
    platform::RecordingShell launcher;
    platform::ScriptedAutomation act;
    platform::FixedLocale locale{","};
    clACTApplication link{{act, win.windows, win.text, boxes, locale}, clACTApplication::Build::RoutePlanner};
    platform::ScriptedBrowser browsers;
    platform::WinClock clock;
    platform::MemoryEnvironment environment;
    platform::ScriptedFileDialogs dialogs;
    std::unique_ptr<frmRovandel2> form;
    std::function<void()> duringCapture;
    // Escape ends the program: counted here, the test goes on.
    struct CountedEnd : IProgramEnd {
        void EndNow() override {
            ++count;
            if (then) then();
        }
        int count = 0;
        std::function<void()> then;
    } escape;
};

TEST_F(Rovandel2Window, FirstRunShowsEveryControlOfTheDesignWithItsDefaults) {
    frmRovandel2& f = Open();
    EXPECT_EQ(TextOf(f.hwnd()), L"Rovandel2");
    const LONG style = GetWindowLongW(f.hwnd(), GWL_STYLE);
    EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0);
    EXPECT_NE(style & WS_SYSMENU, 0);
    RECT client{};
    GetClientRect(f.hwnd(), &client);
    EXPECT_EQ(client.right, f.Px(c::kInnerWidth));
    EXPECT_EQ(client.bottom, f.Px(c::kInnerHeight));

    // The design table's controls with their captions and the loaded values.
    EXPECT_EQ(TextOf(Item(c::txbrouteEntry_start_street)), L"Am Marktplatz 4");
    EXPECT_EQ(TextOf(Item(c::txbrouteEntry_dest_city)), L"Münster");
    EXPECT_EQ(Selected(Item(c::cbxrouteEntry_dest_country)), L"DEU");
    EXPECT_EQ(SendMessageW(Item(c::cbxrouteEntry_time_hours), CB_GETCOUNT, 0, 0), 24);
    EXPECT_EQ(SendMessageW(Item(c::optrouteEntry_opti_car_mittel), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(Item(c::optrouteEntry_opti_route_schnell), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(TextOf(f.Find("lbrouteEntry_dest_country")->hwnd()), L"Lan&d");

    // Start is the default button; the tool tips.
    EXPECT_EQ(LOWORD(SendMessageW(f.hwnd(), DM_GETDEFID, 0, 0)), c::cmdBrowse.id);
    EXPECT_EQ(f.Tips().TextOf(f.At<ui::Control>(c::cmdBrowse)),
              "Startet die Routenberechnung auf www.fahrtweg.example");
    EXPECT_EQ(f.Tips().TextOf(f.At<ui::Control>(c::cmdInfo)), "Zeigt Informationen zu dem Programm an");
    EXPECT_NE(SendMessageW(Item(c::cmdInfo), BM_GETIMAGE, IMAGE_BITMAP, 0), 0);

    // The progress bar and the status bar with its panel and picture.
    HWND progress = Item(c::ProgressBar);
    PBRANGE range{};
    SendMessageW(progress, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    EXPECT_EQ(range.iLow, 0);
    EXPECT_EQ(range.iHigh, 100);
    RECT rc{};
    GetWindowRect(progress, &rc);
    EXPECT_EQ(rc.bottom - rc.top, MulDiv(14, static_cast<int>(f.Dpi()), 96));
    auto& bar = f.At<ui::StatusBar>(c::StatusBar);
    EXPECT_EQ(bar.PixelHeight(), MulDiv(20, static_cast<int>(f.Dpi()), 96));
    EXPECT_EQ(bar.PanelText("Status"), "Rovandel2: Adressen eingeben oder aus ACT! übernehmen.");
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(bar.PanelIcon("Status"), &info));
    BITMAP picture{};
    GetObjectW(info.hbmColor, sizeof(picture), &picture);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    EXPECT_EQ(picture.bmWidth, 32);
    EXPECT_EQ(picture.bmHeight, 16);
    EXPECT_EQ(f.ilBH().Count(), 2);
    EXPECT_EQ(f.ilBH().IndexOf("off"), 1);
    EXPECT_EQ(f.ilBH().IndexOf("on"), 2);
    EXPECT_EQ(f.ilBH().Size(2).cx, 32);
    EXPECT_EQ(f.ilBH().Size(2).cy, 16);
    f.SetStatusPicture("on");
    EXPECT_EQ(bar.PanelIcon("Status"), f.ilBH().Icon(2));

    EXPECT_EQ(support::LayoutProblems(f.hwnd()), std::vector<std::wstring>{});
    EXPECT_TRUE(boxes.Shown().empty());
}

// The panel's picture is 32 pixels wide and the text begins after it.
TEST_F(Rovandel2Window, TheStatusPictureIsDrawnAtItsWholeWidthBeforeTheText) {
    frmRovandel2& f = Open();
    f.SetStatusPicture("on");
    HWND bar = Item(c::StatusBar);
    RedrawWindow(bar, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RECT part{};
    SendMessageW(bar, SB_GETRECT, 0, reinterpret_cast<LPARAM>(&part));
    const platform::UniqueWindowDC dc = platform::ClientDC(bar);
    const int top = part.top + (part.bottom - part.top - 16) / 2;
    const auto amber = [&](int x, int y) {
        const COLORREF p = GetPixel(dc.get(), part.left + 2 + x, top + y);
        return GetRValue(p) > 200 && GetGValue(p) > 150 && GetBValue(p) < 100;
    };
    EXPECT_TRUE(amber(11, 8));  // the left lamp
    EXPECT_TRUE(amber(21, 8));  // the right lamp: the picture is not squeezed to 16 pixels
    f.SetStatusPicture(1);
    RedrawWindow(bar, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_FALSE(amber(21, 8));
    EXPECT_EQ(f.StatusText(c::StatusBar), "Rovandel2: Adressen eingeben oder aus ACT! übernehmen.");
}

TEST_F(Rovandel2Window, ValuesGoToTheRegistryOnCloseAndComeBackOnTheNextStart) {
    Open();
    SetWindowTextW(Item(c::txbrouteEntry_start_street), L"Schloßstraße 7");
    SendMessageW(Item(c::cbxrouteEntry_dest_country), CB_SETCURSEL, 2, 0);
    SendMessageW(Item(c::cbxrouteEntry_time_minutes), CB_SETCURSEL, 3, 0);
    SendMessageW(Item(c::ckAutoStart), BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(form->hwnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(form->IsOpen());
    EXPECT_EQ(RawSetting(L"station[0].street"), L"Schloßstraße 7");
    EXPECT_EQ(RawSetting(L"station[1].country.isoCode"), L"2");
    EXPECT_EQ(RawSetting(L"routeEntry_time_minutes"), L"3");
    EXPECT_EQ(RawSetting(L"AutoStart"), L"1");
    EXPECT_EQ(RawSetting(L"routeEntry_start_houseNo"), L"");
    EXPECT_FALSE(RawSetting(L"IDOrt").has_value());  // the program never writes the options it only reads

    // Also values others wrote: huge, of another registry type, out of the list.
    WriteSetting(L"station[1].city", std::wstring(65536, L'ß'));
    support::WriteDword(kSettingsKey, "station[1].zip", 12345);
    WriteSetting(L"routeEntry_time_hours", L"77");
    Open();
    EXPECT_EQ(TextOf(Item(c::txbrouteEntry_start_street)), L"Schloßstraße 7");
    EXPECT_EQ(Selected(Item(c::cbxrouteEntry_dest_country)), L"AUT");
    EXPECT_EQ(Selected(Item(c::cbxrouteEntry_time_minutes)), L"30");
    EXPECT_EQ(SendMessageW(Item(c::ckAutoStart), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(TextOf(Item(c::txbrouteEntry_dest_city)), std::wstring(65536, L'ß'));
    EXPECT_EQ(TextOf(Item(c::txbrouteEntry_dest_zip)), L"48143");
    EXPECT_EQ(Selected(Item(c::cbxrouteEntry_time_hours)), L"0");
}

// The start builds the window while ACT! is asked, and loads it only after.
TEST_F(Rovandel2Window, BuiltAheadItStaysUnseenAndUnloadedUntilItIsOpened) {
    WriteSetting(L"station[0].city", L"Bonn");
    form = std::make_unique<frmRovandel2>(clRovandel2::Services{win.windows, env.registry, win.files, settings, shell,
                                                                link, "Rovandel2", browsers, launcher, clock},
                                          Settings(), escape);
    form->Build();
    ASSERT_TRUE(form->IsOpen());
    EXPECT_FALSE(IsWindowVisible(form->hwnd()));
    EXPECT_EQ(SendMessageW(Item(c::cbxrouteEntry_time_hours), CB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(TextOf(Item(c::txbrouteEntry_start_city)), L"Göttingen") << "the design's sample, nothing read yet";
    form->Open(SW_SHOWNOACTIVATE);
    EXPECT_TRUE(IsWindowVisible(form->hwnd()));
    EXPECT_EQ(SendMessageW(Item(c::cbxrouteEntry_time_hours), CB_GETCOUNT, 0, 0), 24);
    EXPECT_EQ(TextOf(Item(c::txbrouteEntry_start_city)), L"Bonn");
    form->Open(SW_SHOWNOACTIVATE);
    EXPECT_EQ(SendMessageW(Item(c::cbxrouteEntry_time_hours), CB_GETCOUNT, 0, 0), 24) << "loaded once";
}

TEST_F(Rovandel2Window, EscapeAnywhereEndsAtOnceWithoutStoring) {
    Open();
    SetWindowTextW(Item(c::txbrouteEntry_start_city), L"Kassel");
    PostMessageW(Item(c::txbrouteEntry_start_city), WM_KEYDOWN, VK_ESCAPE, 0);
    platform::PumpPending();
    EXPECT_EQ(escape.count, 1);
    PostMessageW(Item(c::cbxrouteEntry_time_type), WM_CHAR, 27, 0);
    platform::PumpPending();
    EXPECT_EQ(escape.count, 2);
    EXPECT_FALSE(RawSetting(L"station[0].city").has_value());
}

TEST_F(Rovandel2Window, ACaptureLocksTheBoxesAndButtonsKeepsTheWindowOnTopAndUndoesItAll) {
    support::TestWindow actWindow(L"ACT3.0FrameClass", L"ACT! - Demo");
    frmRovandel2& f = Open();
    std::vector<std::string> seen;
    bool escapeSeen = false;
    duringCapture = [&] {
        if (!seen.empty()) return;
        seen.push_back(IsWindowEnabled(Item(c::txbrouteEntry_start_zip)) ? "zip on" : "zip off");
        seen.push_back(IsWindowEnabled(Item(c::cmdBrowse)) ? "start on" : "start off");
        seen.push_back(IsWindowEnabled(Item(c::cbxrouteEntry_start_country)) ? "list on" : "list off");
        seen.push_back(IsWindowEnabled(Item(c::ckAutoZiel)) ? "check on" : "check off");
        seen.push_back((GetWindowLongW(f.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST) ? "topmost" : "normal");
        seen.push_back(f.GetPointer() == ui::Pointer::Hourglass ? "hourglass" : "arrow");
        seen.push_back(f.StatusText(c::StatusBar));
        // A key while ACT! is being asked: the window's key preview sees it in the link's yields.
        PostMessageW(Item(c::txbrouteEntry_dest_city), WM_KEYDOWN, VK_ESCAPE, 0);
    };
    escape.then = [&] { escapeSeen = true; };
    SendMessageW(Item(c::cmdAktuellerDatensatzStart), BM_CLICK, 0, 0);
    EXPECT_EQ(seen, (Strings{"zip off", "start off", "list on", "check on", "topmost", "hourglass",
                             "Rovandel2: setze Startadresse auf Daten des aktuellen ACT!-Kontaktes."}));
    EXPECT_TRUE(escapeSeen);
    EXPECT_EQ(TextOf(Item(c::txbrouteEntry_start_city)), L"Köln");
    EXPECT_EQ(TextOf(Item(c::txbrouteEntry_start_street)), L"Hauptstraße 12b");
    EXPECT_EQ(TextOf(Item(c::txbrouteEntry_start_houseNo)), L"12");
    EXPECT_TRUE(IsWindowEnabled(Item(c::txbrouteEntry_start_zip)));
    EXPECT_TRUE(IsWindowEnabled(Item(c::cmdBrowse)));
    EXPECT_EQ(GetWindowLongW(f.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_EQ(f.GetPointer(), ui::Pointer::Default);
    EXPECT_EQ(f.StatusText(c::StatusBar), "");
}

TEST_F(Rovandel2Window, EnterPressesStartWhichClosesWithTheValuesStored) {
    Open();
    SetWindowTextW(Item(c::txbrouteEntry_dest_zip), L"48149");
    SetFocus(Item(c::txbrouteEntry_dest_zip));
    PostMessageW(Item(c::txbrouteEntry_dest_zip), WM_KEYDOWN, VK_RETURN, 0);
    platform::PumpPending();
    EXPECT_FALSE(form->IsOpen());
    EXPECT_EQ(RawSetting(L"station[1].zip"), L"48149");
}

// Info shows the About window modally with this program's version; its link
// goes to the shell without a verb, the About window as owner, show state 1.
TEST_F(Rovandel2Window, InfoShowsTheAboutWindowWhoseLinkGoesStraightToTheShell) {
    frmRovandel2& f = Open();
    static std::wstring version;
    static HWND about;
    version.clear();
    about = nullptr;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
        about = FindWindowW(L"InfoFenster", nullptr);
        if (about == nullptr) return;
        KillTimer(nullptr, id);
        for (HWND child = GetWindow(about, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
            const std::wstring text = TextOf(child);
            if (text.starts_with(L"Version ")) version = text;
            if (text == L"www.brannock-heyl.example") {
                SendMessageW(child, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
                SendMessageW(child, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
            }
        }
    });
    ASSERT_NE(timer, 0u);
    SendMessageW(Item(c::cmdInfo), BM_CLICK, 0, 0);  // returns when the About window has closed
    EXPECT_EQ(version, L"Version 3.1.7");  // this test program's own version resource
    ASSERT_EQ(launcher.Calls().size(), 1u);
    const platform::ShellExecuteRecord& call = launcher.Calls().front().record;
    EXPECT_EQ(call.owner, reinterpret_cast<platform::WindowHandle>(about));
    EXPECT_EQ(call.verb, std::nullopt);
    EXPECT_EQ(call.file, "https://www.brannock-heyl.example/");
    EXPECT_EQ(call.show, 1);
    EXPECT_FALSE(IsWindow(about));
    EXPECT_TRUE(IsWindowEnabled(f.hwnd()));
}

// The refusals through the real message boxes, read and answered from a second thread.
TEST(Rovandel2Refusals, BothRefusalsAreSystemModalExclamationBoxesTitledRovandel2) {
    platform::WinPlatform win{"Rovandel2"};
    platform::ScriptedAutomation act;
    platform::FixedLocale locale;
    for (bool withAct : {false, true}) {
        std::optional<support::TestWindow> actWindow;
        if (withAct) {
            actWindow.emplace(L"ACT3.0FrameClass", L"ACT! - Demo");
            act.Answer("app", "GetOpenDBName", std::string());
        }
        auto reader = std::async(std::launch::async, [] {
            driver::BoxInfo info;
            if (HWND box = driver::FindMessageBox(GetCurrentProcessId(), L"Rovandel2", 15000)) {
                info = driver::ReadMessageBox(box);
                info.processId = static_cast<DWORD>(GetWindowLongW(box, GWL_EXSTYLE));
                driver::Press(box, IDOK);
            }
            return info;
        });
        modRovandel2::Programm programm;
        EXPECT_EQ(modRovandel2::Main({act, win.windows, win.text, win.messages, locale}, programm),
                  modRovandel2::Start::Abgelehnt);
        const driver::BoxInfo info = reader.get();
        EXPECT_EQ(info.text,
                  withAct ? L"Bitte öffnen Sie zuvor eine ACT!-Datenbank." : L"Bitte starten Sie zuvor ACT!.");
        EXPECT_EQ(info.icon, "exclamation");
        EXPECT_EQ(info.buttons, std::vector<int>{IDOK});
        EXPECT_NE(info.processId & WS_EX_TOPMOST, 0u) << "system-modal boxes stay on top";
    }
}

// The settings window from the keyboard (its access key), modal over the main
// window, laid out whole at 96 and 144 DPI; a preset chosen and OK write it
// and Start's tip follows; Escape writes nothing.
TEST_F(Rovandel2Window, TheSettingsWindowOpensByItsAccessKeyAndOkWritesThePreset) {
    frmRovandel2& f = Open();
    static HWND owner = nullptr;
    static bool modal = false, escape = false;
    static std::vector<std::wstring> layout96, layout144;
    owner = f.hwnd();
    const auto answer = [](HWND, UINT, UINT_PTR id, DWORD) {
        HWND settings = FindWindowW(EinstellungenControls::kClassName.data(), nullptr);
        if (settings == nullptr) return;
        KillTimer(nullptr, id);
        modal = !IsWindowEnabled(owner) && GetWindow(settings, GW_OWNER) == owner;
        if (escape) {
            PostMessageW(GetDlgItem(settings, EinstellungenControls::txbIDOrt.id), WM_KEYDOWN, VK_ESCAPE, 0);
            return;
        }
        layout96 = support::LayoutProblems(settings);
        HWND list = GetDlgItem(settings, EinstellungenControls::cbxRoutenplaner.id);
        SendMessageW(list, CB_SETCURSEL, 1, 0);
        SendMessageW(settings, WM_COMMAND, MAKEWPARAM(EinstellungenControls::cbxRoutenplaner.id, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
        RECT suggested{};
        GetWindowRect(settings, &suggested);
        suggested.right = suggested.left + MulDiv(suggested.right - suggested.left, 3, 2);
        suggested.bottom = suggested.top + MulDiv(suggested.bottom - suggested.top, 3, 2);
        SendMessageW(settings, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
        layout144 = support::LayoutProblems(settings);
        PostMessageW(GetDlgItem(settings, EinstellungenControls::cmdOK.id), BM_CLICK, 0, 0);
    };
    SetTimer(nullptr, 0, 10, answer);
    // Alt+N, as the keyboard sends it: the button's access key.
    SetFocus(Item(c::txbrouteEntry_start_city));
    PostMessageW(Item(c::txbrouteEntry_start_city), WM_SYSCHAR, 'n', 1 << 29);
    platform::PumpPending();
    EXPECT_TRUE(modal);
    EXPECT_TRUE(layout96.empty()) << std::string(layout96.front().begin(), layout96.front().end());
    EXPECT_TRUE(layout144.empty()) << std::string(layout144.front().begin(), layout144.front().end());
    EXPECT_EQ(RawSetting(L"URL"), L"https://www.openstreetmap.org/directions?from={start}&to={ziel}");
    EXPECT_FALSE(RawSetting(L"Browser").has_value()) << "only what changed is written";
    EXPECT_EQ(f.Tips().TextOf(f.At<ui::Control>(c::cmdBrowse)),
              "Startet die Routenberechnung auf www.openstreetmap.org");
    EXPECT_TRUE(IsWindowEnabled(f.hwnd()));

    escape = true;
    support::DeleteTree(HKEY_CURRENT_USER, kSettingsRoot);
    SetTimer(nullptr, 0, 10, answer);
    SendMessageW(Item(c::cmdEinstellungen), BM_CLICK, 0, 0);
    EXPECT_FALSE(RawSetting(L"URL").has_value());
    EXPECT_EQ(FindWindowW(EinstellungenControls::kClassName.data(), nullptr), nullptr);
}

}  // namespace
