// The yardstick of a start that has its window: the smallest program that
// makes a window of the same size with the same controls (classes, styles,
// texts, places, lists filled, the dialog font), under the same manifest,
// and shows it; no logic, no art, no settings, no ACT!. What it costs above
// minimal_window.exe is what the system charges for the controls alone.
// Ends when its window is closed.
//
//   controls_window.exe          Rovandel2's main window (class ControlsWindow)
//   controls_window.exe --list   Tessivar's list window without a table (class ListControlsWindow)
#include <windows.h>
#include <commctrl.h>

#include <cwchar>
#include <string>
#include <string_view>
#include <vector>

#include "base/UiTexts.h"
#include "routeplanner/Rovandel2Controls.h"
#include "ui/Twips.h"

namespace {

namespace c = Rovandel2Controls;
using K = ui::Kind;

struct Child {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
    std::wstring text;
    RECT place;  // pixels: left, top, width, height
    int id;
    bool checked = false;
};

struct Layout {
    const wchar_t* className;
    DWORD style;
    SIZE inner;
    std::vector<Child> children;
};

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

std::wstring Wide(std::string_view text) {
    std::wstring wide(text.size(), L'\0');
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                                      static_cast<int>(wide.size()));
    wide.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return wide;
}

int Px(int twips) { return twips / ui::kTwipsPerPixelAt96Dpi; }

Child ChildOf(const ui::ControlEntry& e) {
    const RECT place{Px(e.place.left), Px(e.place.top), Px(e.place.width), Px(e.place.height)};
    Child child{L"STATIC", 0, 0, Wide(e.caption), place, e.id};
    switch (e.kind) {
        case K::Frame: child = {L"BUTTON", BS_GROUPBOX, 0, child.text, child.place, e.id}; break;
        case K::Label: break;
        case K::TextBox:
            child = {L"EDIT", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, child.text, child.place, e.id};
            break;
        case K::DropDown:
            child = {L"COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0, {}, child.place, e.id};
            child.place.bottom += 200;  // room for the open list
            break;
        case K::Button:
        case K::PictureButton: child = {L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0, child.text, child.place, e.id}; break;
        case K::Option:
            child = {L"BUTTON",   static_cast<DWORD>(BS_AUTORADIOBUTTON | (e.firstOfGroup ? WS_GROUP | WS_TABSTOP : 0)),
                     0,           child.text,
                     child.place, e.id,
                     e.selected};
            break;
        case K::CheckBox: child = {L"BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX, 0, child.text, child.place, e.id}; break;
        case K::Picture: child = {L"STATIC", SS_NOTIFY | SS_OWNERDRAW, 0, {}, child.place, e.id}; break;
        case K::ListView: break;
        case K::Progress: child = {PROGRESS_CLASSW, 0, 0, {}, child.place, e.id}; break;
        case K::Status: child = {STATUSCLASSNAMEW, CCS_BOTTOM, 0, {}, child.place, e.id}; break;
    }
    return child;
}

Layout Rovandel2Window() {
    Layout layout{
        L"ControlsWindow", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, {Px(c::kInnerWidth), Px(c::kInnerHeight)}, {}};
    for (const ui::ControlEntry& e : c::All()) layout.children.push_back(ChildOf(e));
    return layout;
}

// Places as the list window has them, in pixels at 96 DPI.
Layout ListWindow() {
    namespace t = texts;
    const DWORD button = WS_TABSTOP | BS_PUSHBUTTON;
    return {L"ListControlsWindow",
            WS_OVERLAPPEDWINDOW,
            {617, 246},
            {{L"STATIC", SS_NOTIFY | SS_OWNERDRAW, 0, {}, {8, 8, 153, 25}, 100},
             {L"STATIC", SS_NOTIFY | SS_OWNERDRAW, WS_EX_CLIENTEDGE, {}, {168, 8, 28, 28}, 101},
             {L"STATIC", SS_NOTIFY | SS_OWNERDRAW, WS_EX_CLIENTEDGE, {}, {200, 8, 20, 20}, 102},
             {L"BUTTON", button, 0, Wide(t::kSaveButton), {224, 8, 65, 25}, 103},
             {L"BUTTON", button, 0, Wide(t::kLoadButton), {296, 8, 73, 25}, 104},
             {L"BUTTON", button, 0, Wide(t::kToolbarsButton), {376, 8, 73, 25}, 105},
             {L"BUTTON", button | BS_BITMAP, 0, Wide(t::kInfoButton), {456, 8, 33, 25}, 106},
             {L"BUTTON", button, 0, Wide(t::kRestoreButton), {496, 8, 113, 25}, 109},
             {L"BUTTON", button, 0, Wide(t::kPathsButton), {328, 40, 121, 25}, 111},
             {L"BUTTON", button, 0, Wide(t::kPlaceButton), {456, 40, 121, 25}, 112},
             {WC_LISTVIEWW,
              WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_OWNERDATA,
              WS_EX_CLIENTEDGE,
              {},
              {0, 73, 617, 153},
              107},
             {STATUSCLASSNAMEW, CCS_BOTTOM, 0, {}, {0, 226, 617, 20}, 108}}};
}

void Fill(HWND list, int id) {
    const auto add = [list](const wchar_t* text) {
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    };
    if (id == c::cbxrouteEntry_time_type.id) {
        add(L"Abfahrt");
        add(L"Ankunft");
    } else if (id == c::cbxrouteEntry_time_hours.id) {
        for (int h = 0; h < 24; ++h) add(std::to_wstring(h).c_str());
    } else if (id == c::cbxrouteEntry_time_minutes.id) {
        for (int m = 0; m < 60; m += 10) add(std::to_wstring(m).c_str());
    } else {
        add(L"DEU");
        add(L"CHE");
        add(L"AUT");
    }
    SendMessageW(list, CB_SETCURSEL, 0, 0);
}

void AddColumns(HWND list) {
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER,
                 LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    namespace t = texts;
    int at = 0;
    for (std::string_view header : {t::kColumnNr, t::kColumnName, t::kColumnZeile, t::kColumnStart,
                                    t::kColumnBeschreibung, t::kColumnQuickInfo, t::kColumnMenu, t::kColumnProgram}) {
        std::wstring text = Wide(header);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = text.data();
        column.cx = 80;
        SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(at++), reinterpret_cast<LPARAM>(&column));
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    const Layout layout = std::wcsstr(commandLine, L"--list") != nullptr ? ListWindow() : Rovandel2Window();
    const INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_PROGRESS_CLASS | ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&classes);
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = layout.className;
    RegisterClassW(&wc);
    RECT frame{0, 0, layout.inner.cx, layout.inner.cy};
    AdjustWindowRectEx(&frame, layout.style, FALSE, 0);
    HWND window =
        CreateWindowExW(0, wc.lpszClassName, L"Yardstick", layout.style, CW_USEDEFAULT, CW_USEDEFAULT,
                        frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);
    for (const Child& child : layout.children) {
        HWND control =
            CreateWindowExW(child.exStyle, child.className, child.text.c_str(), WS_CHILD | WS_VISIBLE | child.style,
                            child.place.left, child.place.top, child.place.right, child.place.bottom, window,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(child.id)), instance, nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (std::wstring_view(child.className) == L"COMBOBOX") Fill(control, child.id);
        if (std::wstring_view(child.className) == WC_LISTVIEWW) AddColumns(control);
        if (child.checked) SendMessageW(control, BM_SETCHECK, BST_CHECKED, 0);
    }
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(window, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    DeleteObject(font);
    return 0;
}
