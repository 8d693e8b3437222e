#include "platform/SettingsStore_win.h"

#include <windows.h>

#include <vector>

#include "platform/Handles_win.h"
#include "platform/WinText_win.h"

namespace platform {
namespace {

std::wstring KeyPath(std::string_view app, std::string_view section) {
    return L"Software\\VB and VBA Program Settings\\" + Widen(app) + L"\\" + Widen(section);
}

}  // namespace

std::string WinSettingsStore::GetSetting(std::string_view app, std::string_view section, std::string_view key,
                                         std::string_view fallback) {
    UniqueHkey k;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, KeyPath(app, section).c_str(), 0, KEY_READ, k.put()) != ERROR_SUCCESS) {
        return std::string(fallback);
    }
    const std::wstring name = Widen(key);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(k.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return std::string(fallback);
    }
    // Room for a terminator the stored value may lack, and an odd byte count.
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 2, L'\0');
    DWORD got = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    if (RegQueryValueExW(k.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &got) !=
        ERROR_SUCCESS) {
        return std::string(fallback);
    }
    const std::wstring_view text(buffer.data(), got / sizeof(wchar_t));
    return Narrow(text.substr(0, text.find(L'\0')));
}

void WinSettingsStore::SaveSetting(std::string_view app, std::string_view section, std::string_view key,
                                   std::string_view value) {
    UniqueHkey k;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, KeyPath(app, section).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, k.put(),
                        nullptr) != ERROR_SUCCESS) {
        return;
    }
    const std::wstring text = Widen(value);
    RegSetValueExW(k.get(), Widen(key).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

}  // namespace platform
