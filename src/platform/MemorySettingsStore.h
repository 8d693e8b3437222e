#pragma once
// Settings in memory, with every write recorded in order.
#include <map>
#include <string>
#include <vector>

#include "platform/SettingsStore.h"

namespace platform {

class MemorySettingsStore : public ISettingsStore {
public:
    struct Write {
        std::string app, section, key, value;
        bool operator==(const Write&) const = default;
    };

    std::string GetSetting(std::string_view app, std::string_view section, std::string_view key,
                           std::string_view fallback) override;
    void SaveSetting(std::string_view app, std::string_view section, std::string_view key,
                     std::string_view value) override;

    bool IsLocked(std::string_view app, std::string_view section, std::string_view key) override {
        return m_Locked.contains(Path(app, section, key));
    }
    // Test side: a value an administrator set; it wins over the user's own.
    void Lock(std::string_view app, std::string_view section, std::string_view key, std::string_view value) {
        m_Locked[Path(app, section, key)] = std::string(value);
    }
    // Test side: a value as if stored before, without a recorded write.
    void Put(std::string_view app, std::string_view section, std::string_view key, std::string_view value);
    bool Has(std::string_view app, std::string_view section, std::string_view key) const;
    const std::vector<Write>& Writes() const { return m_Writes; }
    // The keys read, in order (app|section|key).
    const std::vector<std::string>& Reads() const { return m_Reads; }
    void ClearLog() {
        m_Writes.clear();
        m_Reads.clear();
    }

private:
    static std::string Path(std::string_view app, std::string_view section, std::string_view key);
    std::map<std::string, std::string> m_Values;  // by lower-cased path, as the registry compares names
    std::map<std::string, std::string> m_Locked;
    std::vector<Write> m_Writes;
    std::vector<std::string> m_Reads;
};

}  // namespace platform
