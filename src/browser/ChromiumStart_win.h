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
#include <optional>
#include <string>
#include <string_view>

#include "browser/Browser.h"
#include "browser/BrowserProfile.h"
#include "platform/FileSystem.h"

namespace platform {

// A new window of the browser `program`, started on the profile in
// `profileFolder` with `arguments` added to its command line when it does
// not run on the profile yet. A web address `firstUrl` is opened with the
// window (see BrowserOptions). The profile's folder and port file are
// reached through `files`. Raises AppError.
BrowserPtr OpenChromium(IFileSystem& files, const std::wstring& program, const std::string& profileFolder,
                        std::string_view arguments, std::string_view firstUrl = {});

// The profile folder and its port file on this machine, for tools and tests
// that look at Rovandel2's browser from outside.
std::wstring BrowserProfileFolder();
std::optional<DevToolsPort> ReadDevToolsPort(const std::wstring& profileFolder);

}  // namespace platform
