#include "support/Raw_win.h"

#include "platform/Handles_win.h"

namespace support {

bool WriteFileBytes(const std::wstring& path, const Bytes& bytes) {
    const platform::UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    if (!file) return false;
    DWORD written = 0;
    return WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

std::optional<Bytes> ReadFileBytes(const std::wstring& path) {
    const platform::UniqueFile file(
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return std::nullopt;
    Bytes bytes(GetFileSize(file.get(), nullptr));
    DWORD got = 0;
    if (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr)) return std::nullopt;
    bytes.resize(got);
    return bytes;
}

std::optional<RawValue> ReadValue(const std::string& key, const std::string& name) {
    platform::UniqueHkey k;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, k.put()) != ERROR_SUCCESS) return std::nullopt;
    RawValue value;
    DWORD size = 0;
    if (RegQueryValueExA(k.get(), name.c_str(), nullptr, &value.type, nullptr, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    value.data.resize(size);
    if (size > 0 &&
        RegQueryValueExA(k.get(), name.c_str(), nullptr, &value.type, value.data.data(), &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    value.data.resize(size);
    return value;
}

std::optional<Bytes> ReadBytes(const std::string& key, const std::string& name) {
    auto value = ReadValue(key, name);
    if (!value) return std::nullopt;
    return value->data;
}

void WriteValue(const std::string& key, const std::string& name, DWORD type, const Bytes& data) {
    platform::UniqueHkey k;
    RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, k.put(), nullptr);
    RegSetValueExA(k.get(), name.c_str(), 0, type, data.data(), static_cast<DWORD>(data.size()));
}

void WriteDword(const std::string& key, const std::string& name, DWORD value) {
    WriteValue(key, name, REG_DWORD,
               {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)});
}

}  // namespace support
