#include "ui/StatusBar_win.h"

#include <commctrl.h>

#include "base/AppError.h"
#include "base/UiTexts.h"
#include "platform/WinText_win.h"
#include "ui/CommonControls_win.h"
#include "ui/Window_win.h"

namespace ui {

StatusBar::StatusBar(Window& owner, std::string name, int height)
    : Control(owner, std::move(name), Place{}), m_Height(height) {
    EnsureCommonControls();
    CreateHwnd(STATUSCLASSNAMEW, WS_VISIBLE | CCS_BOTTOM, 0, {});
}

int StatusBar::Index(std::string_view key) const {
    for (std::size_t i = 0; i < m_Panels.size(); ++i) {
        if (m_Panels[i].key == key) return static_cast<int>(i);
    }
    Raise(ErrorNumber::InvalidCall, std::string(texts::kNoSuchPanel) + std::string(key));
}

bool StatusBar::HasPanel(std::string_view key) const {
    for (const Panel& p : m_Panels) {
        if (p.key == key) return true;
    }
    return false;
}

void StatusBar::AddPanel(std::string key, int width) {
    m_Panels.push_back({std::move(key), width});
    ApplyParts(Owner().Dpi());
}

void StatusBar::ApplyParts(UINT dpi) {
    std::vector<int> rights;
    int x = 0;
    for (const Panel& p : m_Panels) {
        if (p.width < 0) {
            rights.push_back(-1);
            break;
        }
        x += MulDiv(p.width, static_cast<int>(dpi), 96);
        rights.push_back(x);
    }
    if (rights.empty()) return;
    SendMessageW(hwnd(), SB_SETPARTS, rights.size(), reinterpret_cast<LPARAM>(rights.data()));
}

void StatusBar::SetPanelText(std::string_view key, std::string_view text) {
    SendMessageW(hwnd(), SB_SETTEXTW, static_cast<WPARAM>(Index(key)),
                 reinterpret_cast<LPARAM>(platform::Widen(text).c_str()));
}

std::string StatusBar::PanelText(std::string_view key) const {
    const int index = Index(key);
    const LRESULT length = LOWORD(SendMessageW(hwnd(), SB_GETTEXTLENGTHW, static_cast<WPARAM>(index), 0));
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(hwnd(), SB_GETTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return platform::Narrow(text);
}

void StatusBar::SetPanelIcon(std::string_view key, HICON icon) {
    SendMessageW(hwnd(), SB_SETICON, static_cast<WPARAM>(Index(key)), reinterpret_cast<LPARAM>(icon));
}

HICON StatusBar::PanelIcon(std::string_view key) const {
    return reinterpret_cast<HICON>(SendMessageW(hwnd(), SB_GETICON, static_cast<WPARAM>(Index(key)), 0));
}

int StatusBar::PixelHeight() const {
    RECT rc{};
    GetWindowRect(hwnd(), &rc);
    return rc.bottom - rc.top;
}

void StatusBar::Layout(UINT dpi) {
    if (m_Height > 0) {
        // The minimum is the drawing area; the borders come on top.
        int borders[3] = {};
        SendMessageW(hwnd(), SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
        SendMessageW(hwnd(), SB_SETMINHEIGHT, static_cast<WPARAM>(MulDiv(m_Height, static_cast<int>(dpi), 96) - 2 * borders[1]), 0);
    }
    SendMessageW(hwnd(), WM_SIZE, 0, 0);  // the bar places itself at the bottom
    ApplyParts(dpi);
}

}  // namespace ui
