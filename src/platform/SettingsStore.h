#pragma once
// Per-user text settings by application, section and key, read with a
// default for a key that is not there.
#include <string>
#include <string_view>

namespace platform {

class ISettingsStore {
public:
    virtual ~ISettingsStore() = default;
    // The stored text, or `fallback` when the key is missing or holds no text.
    virtual std::string GetSetting(std::string_view app, std::string_view section, std::string_view key,
                                   std::string_view fallback) = 0;
    virtual void SaveSetting(std::string_view app, std::string_view section, std::string_view key,
                             std::string_view value) = 0;
    // Whether an administrator has set the key's value: GetSetting then gives
    // that value whatever the user stored, and the user cannot change it.
    virtual bool IsLocked(std::string_view /*app*/, std::string_view /*section*/, std::string_view /*key*/) {
        return false;
    }
};

}  // namespace platform
