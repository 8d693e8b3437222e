#include "platform/MemorySettingsStore.h"

#include "base/Ascii.h"

namespace platform {

std::string MemorySettingsStore::Path(std::string_view app, std::string_view section, std::string_view key) {
    return ascii::Lower(std::string(app) + "|" + std::string(section) + "|" + std::string(key));
}

std::string MemorySettingsStore::GetSetting(std::string_view app, std::string_view section, std::string_view key,
                                            std::string_view fallback) {
    m_Reads.push_back(std::string(app) + "|" + std::string(section) + "|" + std::string(key));
    if (auto locked = m_Locked.find(Path(app, section, key)); locked != m_Locked.end()) return locked->second;
    auto it = m_Values.find(Path(app, section, key));
    return it == m_Values.end() ? std::string(fallback) : it->second;
}

void MemorySettingsStore::SaveSetting(std::string_view app, std::string_view section, std::string_view key,
                                      std::string_view value) {
    m_Writes.push_back({std::string(app), std::string(section), std::string(key), std::string(value)});
    m_Values[Path(app, section, key)] = std::string(value);
}

void MemorySettingsStore::Put(std::string_view app, std::string_view section, std::string_view key,
                              std::string_view value) {
    m_Values[Path(app, section, key)] = std::string(value);
}

bool MemorySettingsStore::Has(std::string_view app, std::string_view section, std::string_view key) const {
    return m_Values.contains(Path(app, section, key));
}

}  // namespace platform
