#pragma once
#include "platform/SettingsStore.h"

namespace platform {

// Where classic Windows programs keep such settings: one string value per
// key under HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<app>\<section>.
class WinSettingsStore : public ISettingsStore {
public:
    std::string GetSetting(std::string_view app, std::string_view section, std::string_view key,
                           std::string_view fallback) override;
    void SaveSetting(std::string_view app, std::string_view section, std::string_view key,
                     std::string_view value) override;
};

}  // namespace platform
