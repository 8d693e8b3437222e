#pragma once
#include "platform/Registry.h"

namespace platform {

// The registry through advapi32's single-byte functions; texts that must
// keep every character through the wide ones.
class WinRegistry : public IRegistry {
public:
    long OpenKey(RegKey root, std::string_view path, std::uint32_t access, RegKey& key) override;
    long QueryValue(RegKey key, std::string_view name, std::uint32_t& type, std::span<std::uint8_t> buffer,
                    std::uint32_t& size) override;
    long QueryText(RegKey key, std::string_view name, std::uint32_t& type, std::string& text) override;
    long CreateKey(RegKey root, std::string_view path, std::uint32_t access, RegKey& key) override;
    long SetValue(RegKey key, std::string_view name, std::uint32_t type, std::span<const std::uint8_t> data) override;
    long CloseKey(RegKey key) override;
    long DeleteValue(RegKey key, std::string_view name) override;
    long DeleteKey(RegKey root, std::string_view path) override;
    long EnumKey(RegKey key, std::uint32_t index, std::string& name) override;
    long EnumValue(RegKey key, std::uint32_t index, std::string& name, std::uint32_t& type,
                   std::vector<std::uint8_t>& data) override;
};

}  // namespace platform
