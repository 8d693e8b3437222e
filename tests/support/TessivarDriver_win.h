#pragma once
// Driving Tessivar's progress window and reading its list window from another process.
#include <windows.h>

#include <string>

namespace support {

// Tessivar's progress window of process `pid`, once it is visible.
HWND WaitForProgressWindow(DWORD pid, DWORD timeoutMs);
std::wstring InfoText(HWND progressWindow);
// Waits until the message starts with `prefix`; false on timeout.
bool WaitForInfo(HWND progressWindow, const std::wstring& prefix, DWORD timeoutMs);
void PressOK(HWND progressWindow);

// The text of a cell of another process's list view, and of the one panel
// of its status bar: read through memory lent in that process.
std::wstring ListCell(HWND list, int row, int column);
std::wstring StatusBarText(HWND bar);

}  // namespace support
