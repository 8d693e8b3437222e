#pragma once
// Starting or reusing a Chromium-family browser (Edge, Chrome, Chromium) on
// Rovandel2's own profile, and opening a window of its own in it.
//
// A Windows browser is started with its control connection on a pipe
// (--remote-debugging-pipe) whose ends Rovandel2's keeper process holds
// (BrowserKeeper_win.h); a browser already running on the profile is reached
// through that keeper. No port leads to it.
//
// Under Wine a Linux browser can be started too, which cannot be handed
// Windows pipes: it gets a debugging port it chooses itself
// (--remote-debugging-port=0), written to the profile's DevToolsActivePort
// file, and Linux paths; a running one is reached through that file. The
// tests drive Debian's Chromium that way.
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
