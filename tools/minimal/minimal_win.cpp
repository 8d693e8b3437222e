// Starts and ends: what every Windows program pays before doing anything.
// With "--box" it shows one message box first: what showing a box costs.
#include <windows.h>

#include <cwchar>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    if (std::wcsstr(commandLine, L"--box") != nullptr) {
        MessageBoxW(nullptr, L"Bitte beenden Sie zuvor ACT!", L"Minimal", MB_ICONINFORMATION | MB_OK | MB_TASKMODAL);
    }
    return 0;
}
