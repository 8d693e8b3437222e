#include "support/TessivarDriver_win.h"

#include "support/Process_win.h"

namespace support {
namespace {

constexpr int kInfoId = 101;  // the label of the progress window

}  // namespace

HWND WaitForProgressWindow(DWORD pid, DWORD timeoutMs) { return WaitForWindow(L"TessivarHaupt", pid, timeoutMs); }

std::wstring InfoText(HWND progressWindow) {
    HWND label = GetDlgItem(progressWindow, kInfoId);
    wchar_t text[1024] = {};
    SendMessageW(label, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    return text;
}

bool WaitForInfo(HWND progressWindow, const std::wstring& prefix, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    do {
        if (InfoText(progressWindow).rfind(prefix, 0) == 0) return true;
        Sleep(20);
    } while (GetTickCount64() < deadline);
    return false;
}

void PressOK(HWND progressWindow) {
    PostMessageW(progressWindow, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(progressWindow, IDOK)));
}

}  // namespace support
