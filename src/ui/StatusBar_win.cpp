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
    m_Panels.push_back({std::move(key), width, {}, nullptr});
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

void StatusBar::Apply(int index) {
    const Panel& panel = m_Panels[static_cast<std::size_t>(index)];
    if (panel.icon != nullptr) {
        SendMessageW(hwnd(), SB_SETTEXTW, static_cast<WPARAM>(index) | SBT_OWNERDRAW, static_cast<LPARAM>(index));
    } else {
        SendMessageW(hwnd(), SB_SETTEXTW, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(platform::Widen(panel.text).c_str()));
    }
    InvalidateRect(hwnd(), nullptr, FALSE);
}

void StatusBar::SetPanelText(std::string_view key, std::string_view text) {
    const int index = Index(key);
    m_Panels[static_cast<std::size_t>(index)].text = std::string(text);
    Apply(index);
}

std::string StatusBar::PanelText(std::string_view key) const {
    return m_Panels[static_cast<std::size_t>(Index(key))].text;
}

void StatusBar::SetPanelIcon(std::string_view key, HICON icon) {
    const int index = Index(key);
    m_Panels[static_cast<std::size_t>(index)].icon = icon;
    Apply(index);
}

HICON StatusBar::PanelIcon(std::string_view key) const { return m_Panels[static_cast<std::size_t>(Index(key))].icon; }

bool StatusBar::OnDrawItem(const DRAWITEMSTRUCT& item) {
    if (item.itemID >= m_Panels.size()) return false;
    const Panel& panel = m_Panels[item.itemID];
    RECT rc = item.rcItem;
    int x = rc.left + 2;
    if (panel.icon != nullptr) {
        ICONINFO info{};
        SIZE size{16, 16};
        if (GetIconInfo(panel.icon, &info)) {
            BITMAP picture{};
            GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof(picture), &picture);
            // A monochrome icon's mask holds the picture and its mask one below the other.
            size = {picture.bmWidth, info.hbmColor != nullptr ? picture.bmHeight : picture.bmHeight / 2};
            if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
            if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
        }
        DrawIconEx(item.hDC, x, rc.top + (rc.bottom - rc.top - size.cy) / 2, panel.icon, 0, 0, 0, nullptr, DI_NORMAL);
        x += size.cx + 4;
    }
    RECT text{x, rc.top, rc.right - 2, rc.bottom};
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(COLOR_BTNTEXT));
    const HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageW(hwnd(), WM_GETFONT, 0, 0));
    const platform::SelectedObject selected(item.hDC, font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
    DrawTextW(item.hDC, platform::Widen(panel.text).c_str(), -1, &text,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    return true;
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
        SendMessageW(hwnd(), SB_SETMINHEIGHT,
                     static_cast<WPARAM>(MulDiv(m_Height, static_cast<int>(dpi), 96) - 2 * borders[1]), 0);
    }
    SendMessageW(hwnd(), WM_SIZE, 0, 0);  // the bar places itself at the bottom
    ApplyParts(dpi);
}

}  // namespace ui
