#pragma once
// The registry as the routines of modRegistry see it: the single-byte (A)
// operations. Key paths, value names and text data cross this interface in
// the system's single-byte code page; conversion from and to UTF-8 happens
// in modRegistry, above it. Only QueryText reads a text as the system holds
// it, characters beyond the code page included (paths of programs and
// folders, which may hold any character).
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/UniqueHandle.h"

namespace platform {

using RegKey = std::uintptr_t;  // HKEY value

inline constexpr RegKey kHKeyClassesRoot = 0x80000000u;
inline constexpr RegKey kHKeyCurrentUser = 0x80000001u;
inline constexpr RegKey kHKeyLocalMachine = 0x80000002u;
inline constexpr RegKey kHKeyUsers = 0x80000003u;

inline constexpr std::uint32_t kKeyRead = 0x20019u;  // KEY_READ
inline constexpr std::uint32_t kKeyAllAccess = 0x2001Fu;  // what the write routine asks for
inline constexpr std::uint32_t kKeyQueryValue = 0x1u;  // KEY_QUERY_VALUE
// Added to the access of OpenKey and CreateKey: which of 64-bit Windows'
// two registry views a key is taken from (KEY_WOW64_64KEY, KEY_WOW64_32KEY).
// In the 32-bit view HKLM\Software is its subkey WOW6432Node.
inline constexpr std::uint32_t kKeyWow64_64Key = 0x100u;
inline constexpr std::uint32_t kKeyWow64_32Key = 0x200u;

inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegMultiSz = 7;

inline constexpr long kErrorSuccess = 0;
inline constexpr long kErrorFileNotFound = 2;
inline constexpr long kErrorAccessDenied = 5;
inline constexpr long kErrorInvalidHandle = 6;
inline constexpr long kErrorInvalidParameter = 87;
inline constexpr long kErrorMoreData = 234;
inline constexpr long kErrorNoMoreItems = 259;

class IRegistry {
public:
    virtual ~IRegistry() = default;

    // RegOpenKeyExA: opens an existing key.
    virtual long OpenKey(RegKey root, std::string_view path, std::uint32_t access, RegKey& key) = 0;
    // RegQueryValueExA: with an empty buffer only type and size are reported;
    // otherwise the data is copied and size set to the bytes copied.
    // A buffer too small gives kErrorMoreData.
    virtual long QueryValue(RegKey key, std::string_view name, std::uint32_t& type, std::span<std::uint8_t> buffer,
                            std::uint32_t& size) = 0;
    // RegQueryValueExW of a text value (kRegSz, kRegExpandSz): `text` is its
    // text in UTF-8, up to its first NUL, unexpanded. A value of another
    // type gives its type and no text.
    virtual long QueryText(RegKey key, std::string_view name, std::uint32_t& type, std::string& text) = 0;
    // RegCreateKeyExA: opens the key, creating it and any missing parents.
    virtual long CreateKey(RegKey root, std::string_view path, std::uint32_t access, RegKey& key) = 0;
    // RegSetValueExA.
    virtual long SetValue(RegKey key, std::string_view name, std::uint32_t type,
                          std::span<const std::uint8_t> data) = 0;
    // RegCloseKey.
    virtual long CloseKey(RegKey key) = 0;
    // RegDeleteValueA.
    virtual long DeleteValue(RegKey key, std::string_view name) = 0;
    // RegDeleteKeyA: a key without subkeys, with its values.
    virtual long DeleteKey(RegKey root, std::string_view path) = 0;
    // RegEnumKeyExA: the name of subkey number `index` of an open key;
    // kErrorNoMoreItems past the last.
    virtual long EnumKey(RegKey key, std::uint32_t index, std::string& name) = 0;
    // RegEnumValueA: name, type and data of value number `index`;
    // kErrorNoMoreItems past the last.
    virtual long EnumValue(RegKey key, std::uint32_t index, std::string& name, std::uint32_t& type,
                           std::vector<std::uint8_t>& data) = 0;
};

// Closes a key through the interface it came from.
struct RegistryKeyTraits {
    using Handle = RegKey;
    IRegistry* registry = nullptr;
    static RegKey Invalid() noexcept { return 0; }
    void Close(RegKey key) const noexcept {
        try {
            registry->CloseKey(key);
        } catch (...) {}  // closing never throws out of a destructor
    }
};
using RegistryKey = UniqueHandle<RegistryKeyTraits>;

inline RegistryKey OwnKey(IRegistry& registry, RegKey key) { return RegistryKey(key, {&registry}); }

}  // namespace platform
