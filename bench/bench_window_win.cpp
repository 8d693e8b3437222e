// The yardstick of the list window's start: the smallest Win32 program that
// reads ACT!'s command table with a raw registry loop (the values Tessivar
// reads: "Count", then per command its record and its two images) and then
// shows and paints one window, until it is closed.
//
//   bench_window.exe [--commands]
#include <windows.h>

#include <cwchar>
#include <string>
#include <vector>

namespace {

const char kKey[] = "Software\\Symantec\\ACT!\\TBarMenuConfig\\ACT!\\CustomCommands";

std::vector<BYTE> Read(const std::string& name) {
    std::vector<BYTE> data;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return data;
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        data.resize(size);
        RegQueryValueExA(key, name.c_str(), nullptr, &type, data.data(), &size);
    }
    RegCloseKey(key);
    return data;
}

std::size_t ReadTable() {
    const std::vector<BYTE> count = Read("Count");
    const DWORD n = count.size() == 4 ? *reinterpret_cast<const DWORD*>(count.data()) : 0;
    std::size_t total = 0;
    for (DWORD i = 0; i < n; ++i) {
        const std::vector<BYTE> record = Read("Command-" + std::to_string(i));
        if (record.size() < 4) continue;
        const DWORD id = *reinterpret_cast<const DWORD*>(record.data());
        total +=
            record.size() + Read("BitmapL-" + std::to_string(id)).size() + Read("BitmapS-" + std::to_string(id)).size();
    }
    return total;
}

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    volatile std::size_t read = std::wcsstr(commandLine, L"--commands") != nullptr ? ReadTable() : 0;
    (void)read;
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"BenchWindow";
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(0, wc.lpszClassName, L"Tessivar", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                  500, 320, nullptr, nullptr, instance, nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
