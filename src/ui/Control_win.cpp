#include "ui/Control_win.h"

#include "base/AppError.h"
#include "base/UiTexts.h"
#include "platform/WinText_win.h"
#include "ui/Window_win.h"

namespace ui {
namespace {

constexpr wchar_t kSelfProperty[] = L"ui.Control";

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
    m_hWnd =
        CreateWindowExW(exStyle, className, platform::Widen(text).c_str(), WS_CHILD | style, 0, 0, 0, 0, m_Owner.hwnd(),
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(m_Id)), GetModuleHandleW(nullptr), nullptr);
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
    MoveWindow(m_hWnd, TwipsToPixels(m_Place.left, dpi), TwipsToPixels(m_Place.top, dpi),
               TwipsToPixels(m_Place.width, dpi), TwipsToPixels(m_Place.height, dpi), TRUE);
}

void Control::ApplyFont(HFONT font) { SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE); }

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
