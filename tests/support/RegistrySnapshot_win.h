#pragma once
// A registry subtree as plain data, to compare before and after.
#include <windows.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace support {

struct RegEntry {
    DWORD type = 0;  // REG_NONE for a key itself
    std::vector<std::uint8_t> data;
    bool operator==(const RegEntry&) const = default;
};

// Every key and value below root\path, named "key\sub|value".
using RegSnapshot = std::map<std::wstring, RegEntry>;

RegSnapshot SnapshotTree(HKEY root, const std::wstring& path);
void DeleteTree(HKEY root, const std::wstring& path);

}  // namespace support
