#include "support/RegistrySnapshot_win.h"

#include "platform/Handles_win.h"

namespace support {
namespace {

void Walk(HKEY key, const std::wstring& name, RegSnapshot& out) {
    out[name] = RegEntry{};
    DWORD subkeys = 0, maxSubkey = 0, values = 0, maxValueName = 0, maxData = 0;
    RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, &maxSubkey, nullptr, &values, &maxValueName, &maxData,
                     nullptr, nullptr);
    for (DWORD i = 0; i < values; ++i) {
        std::wstring valueName(maxValueName + 1, L'\0');
        DWORD nameLength = maxValueName + 1;
        RegEntry entry;
        entry.data.resize(maxData);
        DWORD size = maxData;
        if (RegEnumValueW(key, i, valueName.data(), &nameLength, nullptr, &entry.type, entry.data.data(), &size) !=
            ERROR_SUCCESS) {
            continue;
        }
        valueName.resize(nameLength);
        entry.data.resize(size);
        out[name + L"|" + valueName] = entry;
    }
    for (DWORD i = 0; i < subkeys; ++i) {
        std::wstring subName(maxSubkey + 1, L'\0');
        DWORD length = maxSubkey + 1;
        if (RegEnumKeyExW(key, i, subName.data(), &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            continue;
        subName.resize(length);
        platform::UniqueHkey sub;
        if (RegOpenKeyExW(key, subName.c_str(), 0, KEY_READ, sub.put()) != ERROR_SUCCESS) continue;
        Walk(sub.get(), name + L"\\" + subName, out);
    }
}

}  // namespace

RegSnapshot SnapshotTree(HKEY root, const std::wstring& path) {
    RegSnapshot out;
    platform::UniqueHkey key;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) return out;
    Walk(key.get(), path, out);
    return out;
}

void DeleteTree(HKEY root, const std::wstring& path) { RegDeleteTreeW(root, path.c_str()); }

}  // namespace support
