#include "ui/Window_win.h"

#include <windowsx.h>

#include <algorithm>

#include "base/ErrorText.h"
#include "base/AppError.h"
#include "base/UiTexts.h"
#include "platform/WinText_win.h"
#include "ui/DroppedFiles_win.h"
#include "ui/Timer_win.h"
#include "ui/ToolTips_win.h"

namespace ui {
namespace {

[[noreturn]] void RaiseSystem(std::string_view what, std::wstring_view name) {
    Raise(ErrorNumber::Internal,
          std::string(what) + platform::Narrow(name) + " (" + std::to_string(GetLastError()) + ")");
}

}  // namespace

UINT ScreenDpi() {
    const platform::UniqueWindowDC screen = platform::ClientDC(nullptr);
    const int dpi = GetDeviceCaps(screen.get(), LOGPIXELSY);
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

Window::Frame DialogFrame(std::string caption, int innerWidth, int innerHeight, HWND owner) {
    return {.caption = std::move(caption),
            .style = WS_POPUP | WS_CAPTION | WS_SYSMENU,
            .exStyle = WS_EX_DLGMODALFRAME,
            .innerWidth = innerWidth,
            .innerHeight = innerHeight,
            .owner = owner};
}

HICON ProgramIcon() { return LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1)); }

Window::Window(std::wstring className) : m_ClassName(std::move(className)) {}

Window::~Window() {
    m_Filter.reset();
    // The controls' subclasses go before the windows they sit on.
    m_Controls.clear();
    m_Window.reset();
}

void Window::RegisterClassOnce(HICON icon) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExW(instance, m_ClassName.c_str(), &existing)) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &Window::Proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = m_ClassName.c_str();
    wc.hIcon = icon != nullptr ? icon : LoadIconW(nullptr, IDI_APPLICATION);
    if (RegisterClassExW(&wc) == 0) RaiseSystem(texts::kWindowClassNotRegistered, m_ClassName);
}

void Window::Create(const Frame& frame) {
    if (IsOpen()) return;
    // A window made again gets its controls anew.
    m_Controls.clear();
    m_Timers.clear();
    m_Tips.reset();
    RegisterClassOnce(frame.icon);
    m_Style = frame.style;
    m_ExStyle = frame.exStyle;
    m_Dpi = ScreenDpi();
    const POINT at = frame.position.value_or(POINT{CW_USEDEFAULT, CW_USEDEFAULT});
    HWND hwnd = CreateWindowExW(m_ExStyle, m_ClassName.c_str(), platform::Widen(frame.caption).c_str(), m_Style, at.x,
                                at.y, 100, 100, frame.owner, nullptr, GetModuleHandleW(nullptr), this);
    if (hwnd == nullptr) RaiseSystem(texts::kWindowNotCreated, m_ClassName);
    m_Filter.emplace([this](MSG& msg) { return Filter(msg); });
    MakeFont();
    SetInnerSize(frame.innerWidth, frame.innerHeight);
    OnCreate();
    OnLayout();
    if (frame.center) Center();
}

void Window::MakeFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    metrics.lfMessageFont.lfHeight =
        MulDiv(metrics.lfMessageFont.lfHeight, static_cast<int>(m_Dpi), static_cast<int>(ScreenDpi()));
    platform::UniqueFont font(CreateFontIndirectW(&metrics.lfMessageFont));
    for (const auto& control : m_Controls) control->ApplyFont(font.get());
    m_Font = std::move(font);  // the old font goes only after no control uses it
}

void Window::SetInnerSize(int widthTwips, int heightTwips) {
    RECT frame{0, 0, Px(widthTwips), Px(heightTwips)};
    AdjustWindowRectEx(&frame, m_Style, FALSE, m_ExStyle);
    SetWindowPos(hwnd(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

SIZE Window::ClientSize() const {
    RECT rc{};
    GetClientRect(hwnd(), &rc);
    return {rc.right - rc.left, rc.bottom - rc.top};
}

void Window::Center() {
    RECT work{}, frame{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    GetWindowRect(hwnd(), &frame);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    SetWindowPos(hwnd(), nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Window::OnLayout() {
    for (const auto& control : m_Controls) control->Layout(m_Dpi);
}

void Window::Show(int command) {
    ShowWindow(hwnd(), command);
    UpdateWindow(hwnd());
    if (m_Tips) m_Tips->Make();
}

void Window::Close() {
    if (IsOpen()) SendMessageW(hwnd(), WM_CLOSE, 0, 0);
}

void Window::Destroy() { m_Window.reset(); }

void Window::RunUntilClosed() {
    platform::PumpUntil([this] { return !IsOpen(); });
}

void Window::ShowModal(HWND owner) {
    const bool ownerWasEnabled = owner != nullptr && IsWindowEnabled(owner);
    if (ownerWasEnabled) EnableWindow(owner, FALSE);
    Show(SW_SHOWNORMAL);
    RunUntilClosed();
    if (ownerWasEnabled) {
        EnableWindow(owner, TRUE);
        SetActiveWindow(owner);
    }
}

std::string Window::Caption() const {
    const int length = GetWindowTextLengthW(hwnd());
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(std::max(0, GetWindowTextW(hwnd(), text.data(), length + 1))));
    return platform::Narrow(text);
}

void Window::SetCaption(std::string_view caption) { SetWindowTextW(hwnd(), platform::Widen(caption).c_str()); }

void Window::SetPointer(Pointer pointer) {
    m_Pointer = pointer;
    // Shown at once, not only when the mouse next moves.
    POINT at{};
    GetCursorPos(&at);
    if (WindowFromPoint(at) != nullptr) SetCursorPos(at.x, at.y);
}

Control* Window::Find(std::string_view name) const {
    for (const auto& control : m_Controls) {
        if (control->Name() == name) return control.get();
    }
    return nullptr;
}

Control* Window::FindOrRaise(std::string_view name) const {
    Control* control = Find(name);
    if (control == nullptr) Raise(ErrorNumber::InvalidCall, std::string(texts::kNoSuchControl) + std::string(name));
    return control;
}

Control* Window::FindById(int id) const {
    for (const auto& control : m_Controls) {
        if (control->Id() == id) return control.get();
    }
    return nullptr;
}

Timer& Window::AddTimer(UINT intervalMs) {
    m_Timers.push_back(std::make_unique<Timer>(hwnd(), static_cast<UINT_PTR>(NextControlId()), intervalMs));
    return *m_Timers.back();
}

ToolTips& Window::Tips() {
    if (!m_Tips) m_Tips = std::make_unique<ToolTips>(hwnd());
    return *m_Tips;
}

bool Window::OnKey(const MSG&) { return false; }

void Window::OnSize(UINT, int, int) {}

void Window::OnMouseMove(int, int) {}

void Window::OnClick(int, int) {}

void Window::OnDropFiles(const std::vector<std::string>&) {}

LRESULT Window::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) { return Default(msg, wParam, lParam); }

LRESULT Window::Default(UINT msg, WPARAM wParam, LPARAM lParam) { return DefWindowProcW(hwnd(), msg, wParam, lParam); }

void Window::OnError() {
    const std::string text = errortext::Brief(CurrentError());
    MessageBoxW(hwnd(), platform::Widen(text).c_str(), platform::Widen(Caption()).c_str(), MB_OK | MB_ICONEXCLAMATION);
}

void Window::HandleCurrentException() {
    // A box of the error handling must not report its own faults without end.
    if (m_InError) return;
    m_InError = true;
    try {
        OnError();
    } catch (...) {}
    m_InError = false;
}

// Keys go to the window first (a key preview), then Tab, Enter, Esc and the
// mnemonics are the dialog manager's.
bool Window::Filter(MSG& msg) {
    if (!IsOpen()) return false;
    if (msg.hwnd != hwnd() && !IsChild(hwnd(), msg.hwnd)) return false;
    if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) {
        try {
            if (IsEscape(msg) && OnEscape()) return true;
            if (OnKey(msg)) return true;
        } catch (...) {
            HandleCurrentException();
            return true;
        }
        if (!IsOpen()) return true;
    }
    return IsDialogMessageW(hwnd(), &msg) != FALSE;
}

bool Window::RouteCommand(WPARAM wParam, LPARAM lParam) {
    if (lParam == 0) return false;  // menus and accelerators: none here
    Control* control = FindById(LOWORD(wParam));
    return control != nullptr && control->OnCommand(HIWORD(wParam));
}

bool Window::RouteNotify(LPARAM lParam, LRESULT& result) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    Control* control = FindById(static_cast<int>(header->idFrom));
    return control != nullptr && control->OnNotify(*header, result);
}

bool Window::RouteTimer(WPARAM id) {
    for (const auto& timer : m_Timers) {
        if (timer->Id() == id) {
            timer->Fire();
            return true;
        }
    }
    return false;
}

void Window::OnDpiChanged(UINT dpi, const RECT& suggested) {
    m_Dpi = dpi;
    SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    MakeFont();
    OnLayout();
}

LRESULT CALLBACK Window::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->m_Window.reset(hwnd);
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        (void)self->m_Window.release();  // the system has destroyed it
        self->m_Filter.reset();
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    try {
        return self->Handle(msg, wParam, lParam);
    } catch (...) {
        // Nothing may leave a window procedure; the window stays usable.
        self->HandleCurrentException();
        return msg == WM_CLOSE ? 0 : DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

LRESULT Window::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND:
            if (RouteCommand(wParam, lParam)) return 0;
            break;
        case WM_NOTIFY: {
            LRESULT result = 0;
            if (RouteNotify(lParam, result)) return result;
            break;
        }
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            Control* control = FindById(static_cast<int>(item->CtlID));
            if (control != nullptr && control->OnDrawItem(*item)) return TRUE;
            break;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT: {
            Control* control = FindById(GetDlgCtrlID(reinterpret_cast<HWND>(lParam)));
            if (control != nullptr) {
                if (HBRUSH brush = control->OnColor(reinterpret_cast<HDC>(wParam)))
                    return reinterpret_cast<LRESULT>(brush);
            }
            break;
        }
        case WM_TIMER:
            if (RouteTimer(wParam)) return 0;
            break;
        case DM_GETDEFID:
            // The dialog manager asks which button Enter presses.
            if (m_DefaultButton != 0) return MAKELRESULT(m_DefaultButton, DC_HASDEFID);
            break;
        case WM_SETCURSOR:
            if (m_Pointer != Pointer::Default) {
                SetCursor(LoadCursorW(nullptr, m_Pointer == Pointer::Hourglass ? IDC_WAIT : IDC_UPARROW));
                return TRUE;
            }
            break;
        case WM_MOUSEMOVE: OnMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 0;
        case WM_LBUTTONUP: OnClick(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 0;
        case WM_SIZE: OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)); return 0;
        case WM_DROPFILES: OnDropFiles(TakeDroppedFiles(reinterpret_cast<HDROP>(wParam))); return 0;
        case WM_DPICHANGED: OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return 0;
        case WM_CLOSE:
            if (OnClose()) Destroy();
            return 0;
        case WM_DESTROY:
            for (const auto& timer : m_Timers) timer->Stop();
            OnDestroy();
            // Wakes a message loop that waits for this window to go.
            PostMessageW(nullptr, WM_NULL, 0, 0);
            return 0;
        default: break;
    }
    return OnMessage(msg, wParam, lParam);
}

}  // namespace ui
