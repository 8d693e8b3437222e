// Keeps Wine's desktop process alive between test programs: it otherwise
// ends a second after the last window closes, and the next program pays for
// starting it again. A 1 x 1 window far off screen, no taskbar entry.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = instance;
    wc.lpszClassName = L"WineKeepAlive";
    RegisterClassW(&wc);
    CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, L"WineKeepAlive", L"", WS_POPUP | WS_VISIBLE, -32000, -32000,
                    1, 1, nullptr, nullptr, instance, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}
