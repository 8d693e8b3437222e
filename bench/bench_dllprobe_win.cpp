// Loads the system DLLs named on its command line and ends: what loading
// each costs a process that has not loaded it yet. It imports only what
// every program imports (no user32, no shell32 to read its arguments).
//
//   bench_dllprobe.exe [NAME.dll ...]
#include <windows.h>

#include <algorithm>
#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    const std::wstring names(commandLine);
    for (std::size_t at = 0; at < names.size();) {
        const std::size_t end = std::min(names.find(L' ', at), names.size());
        if (end > at && LoadLibraryW(names.substr(at, end - at).c_str()) == nullptr) return 1;
        at = end + 1;
    }
    return 0;
}
