#pragma once
// Settings an administrator sets for everyone, over each user's own. Group
// Policy writes them value by value under a key of its own below
// HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER; the machine's value wins, and
// either wins over what the user stored.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Registry.h"
#include "platform/SettingsStore.h"

namespace platform {

class PolicySettingsStore : public ISettingsStore {
public:
    // Which settings an administrator may set, and where. Every other
    // setting is the user's alone. The names are ASCII: they reach the
    // registry as they stand.
    struct Scope {
        std::string app;
        std::string section;
        std::string policyKey;  // below both roots, e.g. "Software\\Policies\\Maker\\Product"
        std::vector<std::string> keys;
    };

    PolicySettingsStore(IRegistry& registry, ISettingsStore& user, Scope scope);

    std::string GetSetting(std::string_view app, std::string_view section, std::string_view key,
                           std::string_view fallback) override;
    // Always the user's own store: a locked key's value stays in force, and
    // the user's value is there again once the administrator lifts it.
    void SaveSetting(std::string_view app, std::string_view section, std::string_view key,
                     std::string_view value) override;
    bool IsLocked(std::string_view app, std::string_view section, std::string_view key) override;

    // The administrator's value, read afresh: text as stored (unexpanded),
    // a DWORD as its decimal text; nothing for a key outside the scope or
    // one that neither root sets with such a value.
    std::optional<std::string> PolicyValue(std::string_view app, std::string_view section, std::string_view key);

private:
    bool InScope(std::string_view app, std::string_view section, std::string_view key) const;
    std::optional<std::string> Read(RegKey root, std::string_view key);

    IRegistry& m_Registry;
    ISettingsStore& m_User;
    Scope m_Scope;
};

}  // namespace platform
