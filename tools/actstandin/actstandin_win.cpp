// A stand-in for ACT!'s main window: a top-level window of ACT!'s window
// class whose title starts like ACT!'s, for the demo and the end-to-end
// tests of the programs that look for it.
//
//   actstandin.exe [--title TEXT] [--class NAME] [--hidden] [--minimized] [--seconds N]
#include <windows.h>
#include <shellapi.h>

#include <string>

namespace {

struct Options {
    std::wstring title = L"ACT! - Demo-Datenbank";
    std::wstring className = L"ACT3.0FrameClass";
    int show = SW_SHOWNORMAL;
    UINT seconds = 0;  // 0 = until closed
};

Options ParseOptions() {
    Options o;
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    for (int i = 1; i < argc; ++i) {
        const std::wstring a = argv[i];
        if (a == L"--title" && i + 1 < argc) o.title = argv[++i];
        else if (a == L"--class" && i + 1 < argc) o.className = argv[++i];
        else if (a == L"--hidden") o.show = SW_HIDE;
        else if (a == L"--minimized") o.show = SW_SHOWMINNOACTIVE;
        else if (a == L"--seconds" && i + 1 < argc) o.seconds = static_cast<UINT>(_wtoi(argv[++i]));
    }
    LocalFree(argv);
    return o;
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            RECT rc;
            GetClientRect(hwnd, &rc);
            FillRect(dc, &rc, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
            const wchar_t* text = L"ACT! (Platzhalter für Demo und Tests)";
            DrawTextW(dc, text, -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_TIMER:
            DestroyWindow(hwnd);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    const Options o = ParseOptions();
    WNDCLASSW wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = o.className.c_str();
    if (!RegisterClassW(&wc)) return 1;
    HWND hwnd = CreateWindowExW(0, o.className.c_str(), o.title.c_str(), WS_OVERLAPPEDWINDOW, 40, 40, 640, 420,
                                nullptr, nullptr, instance, nullptr);
    if (hwnd == nullptr) return 1;
    ShowWindow(hwnd, o.show);
    UpdateWindow(hwnd);
    if (o.seconds > 0) SetTimer(hwnd, 1, o.seconds * 1000, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
