#pragma once
// Driving Tessivar's progress window from another process.
#include <windows.h>

#include <string>

namespace support {

// Tessivar's progress window of process `pid`, once it is visible.
HWND WaitForProgressWindow(DWORD pid, DWORD timeoutMs);
std::wstring InfoText(HWND progressWindow);
// Waits until the message starts with `prefix`; false on timeout.
bool WaitForInfo(HWND progressWindow, const std::wstring& prefix, DWORD timeoutMs);
void PressOK(HWND progressWindow);

}  // namespace support
