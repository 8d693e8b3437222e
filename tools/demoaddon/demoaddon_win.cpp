// The demo's add-on: what ACT! starts through the user-defined command that
// Tessivar registers for it.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    MessageBoxW(nullptr, L"Das Demo-Addon wurde aus ACT! gestartet.", L"Demo-Addon", MB_ICONINFORMATION | MB_OK);
    return 0;
}
