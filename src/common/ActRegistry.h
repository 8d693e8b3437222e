#pragma once
// Where ACT! keeps its user-defined commands and toolbars, under the
// current user's key.
#include <cstdint>
#include <string>
#include <string_view>

namespace actregistry {

inline constexpr std::string_view kMenuConfig = "Software\\Symantec\\ACT!\\TBarMenuConfig\\ACT!";
inline constexpr std::string_view kCustomCommands = "Software\\Symantec\\ACT!\\TBarMenuConfig\\ACT!\\CustomCommands";
inline constexpr std::string_view kToolbarSummary =
    "Software\\Symantec\\ACT!\\TBarMenuConfig\\ACT!\\ActToolBars-Summary";
inline constexpr std::string_view kToolbarPrefix = "Software\\Symantec\\ACT!\\TBarMenuConfig\\ACT!\\ActToolBars-Bar";

// The lock that every change of this configuration holds from its first
// read to its last write, and how long a second change waits for it.
inline constexpr std::string_view kConfigurationLock = "Tessivar.ACT-Konfiguration";
inline constexpr std::uint32_t kConfigurationLockWaitMs = 5000;

// The key of toolbar number n.
inline std::string ToolbarKey(long long n) { return std::string(kToolbarPrefix) + std::to_string(n); }

}  // namespace actregistry
