#include "ui/Control_win.h"

#include "base/AppError.h"
#include "base/UiTexts.h"
#include "platform/WinText_win.h"
#include "ui/Window_win.h"

namespace ui {
namespace {

constexpr wchar_t kSelfProperty[] = L"ui.Control";

RECT Pixels(const Place& p, UINT dpi) {
    const int left = TwipsToPixels(p.left, dpi), top = TwipsToPixels(p.top, dpi);
    return {left, top, left + TwipsToPixels(p.width, dpi), top + TwipsToPixels(p.height, dpi)};
}

bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

Control::Control(Window& owner, std::string name, Place place)
    : m_Owner(owner), m_Name(std::move(name)), m_Place(place), m_Id(owner.NextControlId()) {}

Control::~Control() {
    // Windows of controls go with their parent; a control that outlives its
    // window's handle only drops its subclass.
    if (m_OldProc != nullptr && IsWindow(m_hWnd)) {
        SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_OldProc));
        RemovePropW(m_hWnd, kSelfProperty);
    }
}

void Control::CreateHwnd(const wchar_t* className, DWORD style, DWORD exStyle, std::string_view text) {
    // Made where it belongs: moving it there afterwards would cost a round
    // of messages per control (and a drop-down moves its list window too).
    const RECT at = Pixels(WindowPlace(), m_Owner.Dpi());
    m_hWnd = CreateWindowExW(exStyle, className, platform::Widen(text).c_str(), WS_CHILD | style, at.left, at.top,
                             at.right - at.left, at.bottom - at.top, m_Owner.hwnd(),
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(m_Id)), GetModuleHandleW(nullptr), nullptr);
    m_Applied = at;
    if (m_hWnd == nullptr) {
        Raise(ErrorNumber::Internal,
              std::string(texts::kControlNotCreated) + m_Name + " (" + std::to_string(GetLastError()) + ")");
    }
}

std::string Control::Text() const {
    const int length = GetWindowTextLengthW(m_hWnd);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int n = GetWindowTextW(m_hWnd, text.data(), length + 1);
    text.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return platform::Narrow(text);
}

void Control::SetText(std::string_view text) { SetWindowTextW(m_hWnd, platform::Widen(text).c_str()); }

bool Control::Enabled() const { return IsWindowEnabled(m_hWnd) != FALSE; }

void Control::SetEnabled(bool enabled) { EnableWindow(m_hWnd, enabled ? TRUE : FALSE); }

bool Control::Visible() const { return (GetWindowLongW(m_hWnd, GWL_STYLE) & WS_VISIBLE) != 0; }

void Control::SetVisible(bool visible) { ShowWindow(m_hWnd, visible ? SW_SHOWNA : SW_HIDE); }

void Control::Focus() { SetFocus(m_hWnd); }

void Control::SetPlace(const Place& place) {
    m_Place = place;
    Layout(m_Owner.Dpi());
}

RECT Control::PixelRect() const {
    RECT rc{};
    GetWindowRect(m_hWnd, &rc);
    MapWindowPoints(nullptr, m_Owner.hwnd(), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

void Control::Layout(UINT dpi) {
    const RECT at = Pixels(WindowPlace(), dpi);
    if (at == m_Applied) return;
    MoveWindow(m_hWnd, at.left, at.top, at.right - at.left, at.bottom - at.top, TRUE);
    m_Applied = at;
}

void Control::ApplyFont(HFONT font) { SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), OwnerShown()); }

// A window not yet shown is drawn whole when it shows: asking for a redraw
// before then only costs a system call per control.
BOOL Control::OwnerShown() const { return IsWindowVisible(m_Owner.hwnd()); }

void Control::Subclass() {
    if (m_OldProc != nullptr) return;
    SetPropW(m_hWnd, kSelfProperty, this);
    m_OldProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Control::SubclassProc)));
}

bool Control::OnOwnMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

LRESULT CALLBACK Control::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<Control*>(GetPropW(hwnd, kSelfProperty));
    if (self == nullptr) return DefWindowProcW(hwnd, msg, wParam, lParam);
    const WNDPROC old = self->m_OldProc;
    try {
        LRESULT result = 0;
        if (self->OnOwnMessage(msg, wParam, lParam, result)) return result;
    } catch (...) {
        // Nothing may leave a window procedure.
        self->m_Owner.HandleCurrentException();
    }
    return CallWindowProcW(old, hwnd, msg, wParam, lParam);
}

}  // namespace ui
