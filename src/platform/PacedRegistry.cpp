#include "platform/PacedRegistry.h"

namespace platform {

long PacedRegistry::OpenKey(RegKey root, std::string_view path, std::uint32_t access, RegKey& key) {
    m_Pacing.Step();
    return m_Inner.OpenKey(root, path, access, key);
}

long PacedRegistry::QueryValue(RegKey key, std::string_view name, std::uint32_t& type, std::span<std::uint8_t> buffer,
                               std::uint32_t& size) {
    m_Pacing.Step();
    return m_Inner.QueryValue(key, name, type, buffer, size);
}

long PacedRegistry::QueryText(RegKey key, std::string_view name, std::uint32_t& type, std::string& text) {
    m_Pacing.Step();
    return m_Inner.QueryText(key, name, type, text);
}

long PacedRegistry::CreateKey(RegKey root, std::string_view path, std::uint32_t access, RegKey& key) {
    m_Pacing.Step();
    return m_Inner.CreateKey(root, path, access, key);
}

long PacedRegistry::SetValue(RegKey key, std::string_view name, std::uint32_t type,
                             std::span<const std::uint8_t> data) {
    m_Pacing.Step();
    return m_Inner.SetValue(key, name, type, data);
}

// Closing is the end of a piece of work, never worth a pause of its own.
long PacedRegistry::CloseKey(RegKey key) { return m_Inner.CloseKey(key); }

long PacedRegistry::DeleteValue(RegKey key, std::string_view name) {
    m_Pacing.Step();
    return m_Inner.DeleteValue(key, name);
}

long PacedRegistry::DeleteKey(RegKey root, std::string_view path) {
    m_Pacing.Step();
    return m_Inner.DeleteKey(root, path);
}

long PacedRegistry::EnumKey(RegKey key, std::uint32_t index, std::string& name) {
    m_Pacing.Step();
    return m_Inner.EnumKey(key, index, name);
}

long PacedRegistry::EnumValue(RegKey key, std::uint32_t index, std::string& name, std::uint32_t& type,
                              std::vector<std::uint8_t>& data) {
    m_Pacing.Step();
    return m_Inner.EnumValue(key, index, name, type, data);
}

}  // namespace platform
