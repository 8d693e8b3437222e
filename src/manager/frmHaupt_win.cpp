#include "manager/frmHaupt_win.h"

#include "common/UiTexts.h"
#include "manager/Banner_win.h"
#include "manager/Twips.h"
#include "platform/WinText_win.h"

namespace {

// The window's inner size and its controls, in twips.
constexpr int kInnerWidth = 3990, kInnerHeight = 2220;
struct Place {
    int left, top, width, height;
};
constexpr Place kBanner{120, 120, 2295, 375};
constexpr Place kInfo{120, 720, 3735, 855};
constexpr Place kOK{1320, 1680, 1215, 375};
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

UINT ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

void Move(HWND control, const Place& p, UINT dpi) {
    MoveWindow(control, TwipsToPixels(p.left, dpi), TwipsToPixels(p.top, dpi), TwipsToPixels(p.width, dpi),
               TwipsToPixels(p.height, dpi), TRUE);
}

}  // namespace

frmHaupt::frmHaupt() = default;

frmHaupt::~frmHaupt() {
    if (hwnd_ != nullptr) DestroyWindow(hwnd_);
    if (font_ != nullptr) DeleteObject(font_);
    if (banner_ != nullptr) DeleteObject(banner_);
}

void frmHaupt::Create() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    RegisterClassExW(&wc);

    dpi_ = ScreenDpi();
    banner_ = CreateTessivarBanner();
    hwnd_ = CreateWindowExW(0, kClassName, platform::Widen(texts::kTessivarTitle).c_str(), kStyle, CW_USEDEFAULT,
                            CW_USEDEFAULT, 100, 100, nullptr, nullptr, instance, this);
    imBanner_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_OWNERDRAW, 0, 0, 0, 0, hwnd_,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kBannerId)), instance, nullptr);
    lbInfo_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, 0, 0, 0, hwnd_,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(kInfoId)), instance, nullptr);
    cmdOK_ = CreateWindowExW(0, L"BUTTON", platform::Widen(texts::kOkButton).c_str(),
                             WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 0, 0, 0, hwnd_,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDOK)), instance, nullptr);
    MakeFont();
    Layout();
    CenterOnScreen();
}

void frmHaupt::CenterOnScreen() {
    RECT work{}, frame{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    GetWindowRect(hwnd_, &frame);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    SetWindowPos(hwnd_, nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void frmHaupt::MakeFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, static_cast<int>(dpi_), static_cast<int>(ScreenDpi()));
    if (font_ != nullptr) DeleteObject(font_);
    font_ = CreateFontIndirectW(&metrics.lfMessageFont);
    for (HWND control : {lbInfo_, cmdOK_}) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
}

void frmHaupt::Layout() {
    RECT frame{0, 0, TwipsToPixels(kInnerWidth, dpi_), TwipsToPixels(kInnerHeight, dpi_)};
    AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
    SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Move(imBanner_, kBanner, dpi_);
    Move(lbInfo_, kInfo, dpi_);
    Move(cmdOK_, kOK, dpi_);
}

void frmHaupt::Show(std::string_view info) {
    if (hwnd_ == nullptr) Create();
    SetInfo(info);
    ShowWindow(hwnd_, SW_SHOWNORMAL);
    UpdateWindow(hwnd_);
}

void frmHaupt::SetInfo(std::string_view info) {
    if (hwnd_ == nullptr) Create();
    SetWindowTextW(lbInfo_, platform::Widen(info).c_str());
    UpdateWindow(hwnd_);
}

void frmHaupt::RunUntilClosed() {
    MSG msg;
    while (hwnd_ != nullptr && GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(hwnd_, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

void frmHaupt::DrawBanner(const DRAWITEMSTRUCT& item) const {
    if (banner_ == nullptr) return;
    HDC source = CreateCompatibleDC(item.hDC);
    HGDIOBJ old = SelectObject(source, banner_);
    BITMAP info{};
    GetObjectW(banner_, sizeof(info), &info);
    SetStretchBltMode(item.hDC, HALFTONE);
    StretchBlt(item.hDC, item.rcItem.left, item.rcItem.top, item.rcItem.right - item.rcItem.left,
               item.rcItem.bottom - item.rcItem.top, source, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}

LRESULT CALLBACK frmHaupt::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<frmHaupt*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->hwnd_ = hwnd;
    }
    auto* self = reinterpret_cast<frmHaupt*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(hwnd, msg, wParam, lParam);
    try {
        return self->Handle(hwnd, msg, wParam, lParam);
    } catch (...) {
        // Nothing may leave a window procedure; the window stays usable.
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

LRESULT frmHaupt::Handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                DestroyWindow(hwnd_);
                return 0;
            }
            break;
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item->CtlID == kBannerId) {
                DrawBanner(*item);
                return TRUE;
            }
            break;
        }
        case WM_DPICHANGED: {
            dpi_ = HIWORD(wParam);
            const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                         suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
            MakeFont();
            Layout();
            return 0;
        }
        case WM_DESTROY:
            hwnd_ = nullptr;
            // Wakes RunUntilClosed, which ends when the window is gone.
            PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}
