#pragma once
// Rovandel2's own browser profile, on which Edge, Chrome and Chromium run
// for it: where it lies, and the file in which a browser started with a
// debugging port tells that port (DevToolsActivePort).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Environment.h"
#include "platform/FileSystem.h"
#include "platform/ShellFolders.h"

namespace platform {

// %LOCALAPPDATA%\Rovandel2\Browserprofil; below the temporary folder when
// the shell names no local application data.
std::string BrowserProfileFolder(IShellFolders& shellFolders, IEnvironment& environment);

// Makes the folder where it is missing. One that cannot be made is left to
// the browser, which reports what stops it.
void MakeBrowserProfileFolder(IFileSystem& files, std::string_view profileFolder);

struct DevToolsPort {
    std::uint16_t port = 0;
    std::string browserPath;  // the browser's own endpoint, /devtools/browser/...
    bool operator==(const DevToolsPort&) const = default;
};

// The port file's content: the port on its first line, the browser's
// endpoint on the second; nothing while the file is incomplete (a browser
// that is still writing it) or holds anything else.
std::optional<DevToolsPort> ParseDevToolsPort(std::string_view content);

// The profile's port file, when it is there and complete.
std::optional<DevToolsPort> ReadDevToolsPort(IFileSystem& files, std::string_view profileFolder);

// Deletes the port file that a browser left behind, so that only a fresh
// start's is read; one that cannot be deleted stays.
void ForgetDevToolsPort(IFileSystem& files, std::string_view profileFolder);

}  // namespace platform
