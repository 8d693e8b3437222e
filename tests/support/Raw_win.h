#pragma once
// Files and registry values read and written straight through Win32, to set
// up and check what the programs find and leave, bypassing their own code.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace support {

using Bytes = std::vector<std::uint8_t>;

bool WriteFileBytes(const std::wstring& path, const Bytes& bytes);
std::optional<Bytes> ReadFileBytes(const std::wstring& path);

struct RawValue {
    DWORD type = REG_NONE;
    Bytes data;
    bool operator==(const RawValue&) const = default;
};

// Under HKEY_CURRENT_USER; names in the code page, as ACT! writes them.
std::optional<RawValue> ReadValue(const std::string& key, const std::string& name);
void WriteValue(const std::string& key, const std::string& name, DWORD type, const Bytes& data);
void WriteDword(const std::string& key, const std::string& name, DWORD value);
// The bytes of a binary value; nothing when missing.
std::optional<Bytes> ReadBytes(const std::string& key, const std::string& name);

}  // namespace support
