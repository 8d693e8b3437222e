#pragma once
// Starting or reusing a Chromium-family browser (Edge, Chrome, Chromium) on
// Rovandel2's own profile, and opening a window of its own in it.
//
// The browser is started with a debugging port it chooses itself
// (--remote-debugging-port=0) and writes the port to the profile's
// DevToolsActivePort file; a browser already running on the profile is
// reached through that file instead of being started again. Under Wine a
// Linux browser can be started too: it is handed Linux paths.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "browser/Browser.h"

namespace platform {

// %LOCALAPPDATA%\Rovandel2\Browserprofil
std::wstring BrowserProfileFolder();

struct DevToolsPort {
    std::uint16_t port = 0;
    std::string browserPath;  // the browser's own endpoint, /devtools/browser/...
};
// The profile's DevToolsActivePort file, when it is complete.
std::optional<DevToolsPort> ReadDevToolsPort(const std::wstring& profileFolder);

// A new window of the browser `program`, started with `arguments` added to
// its command line when it does not run on the profile yet. A web address
// `firstUrl` is opened with the window (see BrowserOptions). Raises AppError.
BrowserPtr OpenChromium(const std::wstring& program, std::string_view arguments, std::string_view firstUrl = {});

}  // namespace platform
