#include "ui/Label_win.h"

#include "ui/Window_win.h"

namespace ui {

Label::Label(Window& owner, std::string name, Place place, std::string_view caption)
    : Label(owner, std::move(name), place, caption, Options{}) {}

Label::Label(Window& owner, std::string name, Place place, std::string_view caption, Options options)
    : Control(owner, std::move(name), place), m_Options(options) {
    DWORD style = WS_VISIBLE | SS_NOTIFY | (options.centered ? SS_CENTER : SS_LEFT);
    if (!options.mnemonic) style |= SS_NOPREFIX;
    CreateHwnd(L"STATIC", style, options.transparent ? WS_EX_TRANSPARENT : 0, caption);
    Subclass();
}

void Label::ApplyFont(HFONT font) {
    m_BaseFont = font;
    m_UnderlineFont.reset();
    ApplyUnderline();
}

void Label::SetUnderline(bool underline) {
    if (underline == m_Underline) return;
    m_Underline = underline;
    ApplyUnderline();
}

void Label::ApplyUnderline() {
    if (m_Underline && !m_UnderlineFont && m_BaseFont != nullptr) {
        LOGFONTW lf{};
        GetObjectW(m_BaseFont, sizeof(lf), &lf);
        lf.lfUnderline = TRUE;
        m_UnderlineFont.reset(CreateFontIndirectW(&lf));
    }
    HFONT font = m_Underline && m_UnderlineFont ? m_UnderlineFont.get() : m_BaseFont;
    SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font), OwnerShown());
    if (m_Options.transparent && OwnerShown()) {
        // Drawn over what lies below: that is drawn again first, or the old
        // text (and its underline) would stay under the new one.
        const RECT rc = PixelRect();
        RedrawWindow(Owner().hwnd(), &rc, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
}

bool Label::OnCommand(UINT code) {
    if (code != STN_CLICKED) return false;
    if (onClick) onClick();
    return true;
}

HBRUSH Label::OnColor(HDC dc) {
    if (!m_Options.transparent && m_Options.color == CLR_INVALID) return nullptr;
    if (m_Options.color != CLR_INVALID) SetTextColor(dc, m_Options.color);
    if (!m_Options.transparent) return GetSysColorBrush(COLOR_BTNFACE);
    SetBkMode(dc, TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(HOLLOW_BRUSH));
}

bool Label::OnOwnMessage(UINT msg, WPARAM, LPARAM, LRESULT& result) {
    if (msg == WM_MOUSEMOVE && onMouseMove) {
        onMouseMove();
        result = 0;
        return false;  // the system's handling (tool tips) goes on
    }
    return false;
}

}  // namespace ui
