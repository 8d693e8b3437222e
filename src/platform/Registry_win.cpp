#include "platform/Registry_win.h"

#include <windows.h>

#include <string>
#include <vector>

#include "platform/WinText_win.h"

namespace platform {
namespace {

// The predefined roots are small negative numbers widened to a pointer
// (0xFFFFFFFF80000001 on 64-bit Windows); callers pass 0x80000001.
HKEY ToHkey(RegKey key) {
    if (key >= 0x80000000u && key <= 0x80000006u) {
        return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(static_cast<DWORD>(key))));
    }
    return reinterpret_cast<HKEY>(key);
}

RegKey FromHkey(HKEY key) { return reinterpret_cast<RegKey>(key); }

}  // namespace

long WinRegistry::OpenKey(RegKey root, std::string_view path, std::uint32_t access, RegKey& key) {
    HKEY out = nullptr;
    const std::string p(path);
    const LONG r = RegOpenKeyExA(ToHkey(root), p.c_str(), 0, access, &out);
    key = r == ERROR_SUCCESS ? FromHkey(out) : 0;
    return r;
}

long WinRegistry::QueryValue(RegKey key, std::string_view name, std::uint32_t& type, std::span<std::uint8_t> buffer,
                             std::uint32_t& size) {
    const std::string n(name);
    DWORD t = 0;
    DWORD s = static_cast<DWORD>(buffer.size());
    const LONG r = RegQueryValueExA(ToHkey(key), n.c_str(), nullptr, &t, buffer.empty() ? nullptr : buffer.data(), &s);
    type = t;
    size = s;
    return r;
}

long WinRegistry::QueryText(RegKey key, std::string_view name, std::uint32_t& type, std::string& text) {
    text.clear();
    // The name is in the code page, as every name crossing this interface.
    std::wstring wideName(name.size(), L'\0');
    if (!name.empty()) {
        const int length = MultiByteToWideChar(CP_ACP, 0, name.data(), static_cast<int>(name.size()), wideName.data(),
                                               static_cast<int>(wideName.size()));
        if (length == 0) return ERROR_INVALID_PARAMETER;
        wideName.resize(static_cast<std::size_t>(length));
    }
    std::vector<wchar_t> buffer(260);
    for (;;) {
        DWORD t = 0;
        DWORD size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
        const LONG r =
            RegQueryValueExW(ToHkey(key), wideName.c_str(), nullptr, &t, reinterpret_cast<BYTE*>(buffer.data()), &size);
        type = t;
        // Too small, the size wanted is told; a value that grows meanwhile is asked for again.
        if (r == ERROR_MORE_DATA) {
            buffer.resize(size / sizeof(wchar_t) + 1);
            continue;
        }
        if (r != ERROR_SUCCESS || (t != REG_SZ && t != REG_EXPAND_SZ)) return r;
        const std::wstring_view stored(buffer.data(), size / sizeof(wchar_t));
        text = Narrow(stored.substr(0, stored.find(L'\0')));
        return r;
    }
}

long WinRegistry::CreateKey(RegKey root, std::string_view path, std::uint32_t access, RegKey& key) {
    HKEY out = nullptr;
    const std::string p(path);
    const LONG r =
        RegCreateKeyExA(ToHkey(root), p.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &out, nullptr);
    key = r == ERROR_SUCCESS ? FromHkey(out) : 0;
    return r;
}

long WinRegistry::SetValue(RegKey key, std::string_view name, std::uint32_t type, std::span<const std::uint8_t> data) {
    const std::string n(name);
    return RegSetValueExA(ToHkey(key), n.c_str(), 0, type, data.data(), static_cast<DWORD>(data.size()));
}

long WinRegistry::CloseKey(RegKey key) { return RegCloseKey(ToHkey(key)); }

long WinRegistry::DeleteValue(RegKey key, std::string_view name) {
    const std::string n(name);
    return RegDeleteValueA(ToHkey(key), n.c_str());
}

long WinRegistry::DeleteKey(RegKey root, std::string_view path) {
    const std::string p(path);
    return RegDeleteKeyA(ToHkey(root), p.c_str());
}

long WinRegistry::EnumKey(RegKey key, std::uint32_t index, std::string& name) {
    char buffer[256] = {};  // the registry's longest key name is 255 characters
    DWORD length = sizeof buffer;
    const LONG r = RegEnumKeyExA(ToHkey(key), index, buffer, &length, nullptr, nullptr, nullptr, nullptr);
    if (r == ERROR_SUCCESS) name.assign(buffer, length);
    return r;
}

// Wine answers RegQueryInfoKey by walking every value of the key: asked for
// each value of a large key, that alone made a backup quadratic. So the
// sizes are asked only when a first try with ordinary buffers is too small.
long WinRegistry::EnumValue(RegKey key, std::uint32_t index, std::string& name, std::uint32_t& type,
                            std::vector<std::uint8_t>& data) {
    DWORD nameChars = 256, dataBytes = 4096;
    for (bool sized = false;; sized = true) {
        std::string buffer(nameChars + 1, '\0');
        data.assign(dataBytes, 0);
        DWORD length = nameChars + 1;
        DWORD size = dataBytes;
        DWORD t = 0;
        LONG r = RegEnumValueA(ToHkey(key), index, buffer.data(), &length, nullptr, &t,
                               data.empty() ? nullptr : data.data(), &size);
        if (r == ERROR_MORE_DATA && !sized) {
            r = RegQueryInfoKeyA(ToHkey(key), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &nameChars,
                                 &dataBytes, nullptr, nullptr);
            if (r != ERROR_SUCCESS) return r;
            continue;
        }
        if (r != ERROR_SUCCESS) return r;
        name.assign(buffer.data(), length);
        type = t;
        data.resize(size);
        return r;
    }
}

}  // namespace platform
