#pragma once
// The rows of a list view in another process, read as a screen reader
// does: its messages carry pointers, so they point into memory lent in
// that process.
#include <windows.h>

#include <string>
#include <vector>

namespace support {

// Each row's first `columns` cells joined by "|"; empty when the process
// cannot be read.
std::vector<std::wstring> RemoteRows(HWND list, int columns);

}  // namespace support
