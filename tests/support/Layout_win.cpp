#include "support/Layout_win.h"

#include "platform/Handles_win.h"

namespace support {
namespace {

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    return name;
}

std::wstring TextOf(HWND hwnd) {
    wchar_t text[1024] = {};
    GetWindowTextW(hwnd, text, 1024);
    return text;
}

bool IsGroupBox(HWND hwnd) {
    return _wcsicmp(ClassOf(hwnd).c_str(), L"Button") == 0 &&
           (GetWindowLongW(hwnd, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

// Controls whose caption is drawn beside a box or mark, and how much room that takes.
int CaptionIndent(HWND hwnd) {
    if (_wcsicmp(ClassOf(hwnd).c_str(), L"Button") != 0) return 0;
    const LONG type = GetWindowLongW(hwnd, GWL_STYLE) & BS_TYPEMASK;
    if (type == BS_AUTOCHECKBOX || type == BS_CHECKBOX || type == BS_AUTORADIOBUTTON || type == BS_RADIOBUTTON) {
        return GetSystemMetrics(SM_CXMENUCHECK) + 4;
    }
    if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) return 8;  // the button's edge
    if (type == BS_GROUPBOX) return 16;
    return 0;
}

RECT RectIn(HWND parent, HWND child) {
    RECT rc{};
    GetWindowRect(child, &rc);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

bool Contains(const RECT& outer, const RECT& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

std::wstring Describe(HWND hwnd) { return ClassOf(hwnd) + L" '" + TextOf(hwnd) + L"'"; }

}  // namespace

std::vector<HWND> VisibleChildren(HWND window) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsWindowVisible(child)) children.push_back(child);
    }
    return children;
}

bool TextFits(HWND control, const std::wstring& text, bool wrap) {
    if (text.empty()) return true;
    RECT client{};
    GetClientRect(control, &client);
    const platform::UniqueWindowDC dc = platform::ClientDC(control);
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    const platform::SelectedObject selected(dc.get(), font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
    const int room = client.right - CaptionIndent(control);
    RECT need{0, 0, room, 0};
    DrawTextW(dc.get(), text.c_str(), -1, &need, DT_CALCRECT | (wrap ? DT_WORDBREAK : DT_SINGLELINE));
    return need.right <= room && need.bottom <= client.bottom;
}

std::vector<std::wstring> LayoutProblems(HWND window) {
    std::vector<std::wstring> problems;
    RECT client{};
    GetClientRect(window, &client);
    const std::vector<HWND> children = VisibleChildren(window);
    for (HWND child : children) {
        const RECT rc = RectIn(window, child);
        if (!Contains(client, rc)) problems.push_back(Describe(child) + L" reaches outside the window");
        const std::wstring cls = ClassOf(child);
        const bool captioned = _wcsicmp(cls.c_str(), L"Button") == 0 || _wcsicmp(cls.c_str(), L"Static") == 0;
        if (captioned && !TextFits(child, TextOf(child), _wcsicmp(cls.c_str(), L"Static") == 0)) {
            problems.push_back(Describe(child) + L" does not show its whole text");
        }
    }
    for (std::size_t i = 0; i < children.size(); ++i) {
        for (std::size_t j = i + 1; j < children.size(); ++j) {
            const RECT a = RectIn(window, children[i]);
            const RECT b = RectIn(window, children[j]);
            RECT both{};
            if (!IntersectRect(&both, &a, &b)) continue;
            // A frame holds the controls inside it.
            if ((IsGroupBox(children[i]) && Contains(a, b)) || (IsGroupBox(children[j]) && Contains(b, a))) continue;
            problems.push_back(Describe(children[i]) + L" overlaps " + Describe(children[j]));
        }
    }
    return problems;
}

}  // namespace support
