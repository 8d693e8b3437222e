#pragma once
// The registry with a step of Pacing before every call: reading or writing
// a large command table (and backing it up, restoring it, putting a change
// back) is a long run of registry calls, and so lets the windows' events run
// while it works, wherever it is made. Beneath the registry journal, so that
// the journal's own reads and its putting back pace too.
#include "platform/Pacing.h"
#include "platform/Registry.h"

namespace platform {

class PacedRegistry : public IRegistry {
public:
    PacedRegistry(IRegistry& inner, Pacing& pacing) : m_Inner(inner), m_Pacing(pacing) {}

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

private:
    IRegistry& m_Inner;
    Pacing& m_Pacing;
};

}  // namespace platform
