#pragma once
// Which browser the route planner opens.
//
// The setting "Browser" names it: "edge", "chrome", "ie" or the path of a
// Chromium-family program. Without it: Microsoft Edge, else Google Chrome
// (each found through the registry's "App Paths" or in its usual folders),
// else Internet Explorer.
#include <string>
#include <string_view>

#include "platform/Environment.h"
#include "platform/FileSystem.h"
#include "platform/Registry.h"

namespace platform {

struct BrowserProgram {
    bool internetExplorer = false;
    std::string path;  // a Chromium-family program
    bool operator==(const BrowserProgram&) const = default;
};

class BrowserChoice {
public:
    // The "App Paths" entries, the program files, and the variables that
    // name the usual folders and stand in expandable entries.
    struct Services {
        IRegistry& registry;
        IFileSystem& files;
        IEnvironment& environment;
    };
    explicit BrowserChoice(const Services& services) : m_Services(services) {}

    // Raises AppError when the browser named is not there.
    BrowserProgram Choose(std::string_view option);
    // The program of Edge ("msedge.exe") or Chrome ("chrome.exe") in the
    // vendor's folder below a usual one ("Microsoft\Edge"), or "".
    std::string FindProgram(std::string_view exeName, std::string_view vendorFolder);

private:
    std::string FromAppPaths(std::string_view exeName);
    bool IsFile(const std::string& path);

    Services m_Services;
};

}  // namespace platform
