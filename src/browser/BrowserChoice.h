#pragma once
// Which browser the route planner opens.
//
// The setting "Browser" names it: one of the known browsers ("edge",
// "chrome"), "ie", or the path of a Chromium-family program. Without it:
// the known browsers of the automatic choice in their order (Microsoft
// Edge, else Google Chrome), else Internet Explorer.
#include <span>
#include <string>
#include <string_view>

#include "platform/Environment.h"
#include "platform/FileSystem.h"
#include "platform/Registry.h"

namespace platform {

// A Chromium-family browser the option "Browser" can name, and where it
// is found: through "App Paths" by its program's name, else in its vendor's
// folder below one of the usual folders.
struct KnownBrowser {
    std::string_view option;  // "edge"
    std::string_view exeName;  // "msedge.exe"
    std::string_view vendorFolder;  // "Microsoft\Edge"
    std::string_view name;  // how the messages name it
    bool automatic;  // tried, in the table's order, when the option names no browser
};

// The browsers Rovandel2 knows by name, the automatic choice's in its order.
std::span<const KnownBrowser> KnownBrowsers();

// Whether the texts of a program's version resource (its product name,
// description, maker, file name) name a Chromium-family browser: Microsoft
// Edge, Google Chrome, Chromium, Brave, Vivaldi or Opera. Only such a
// program is started: any other (cmd.exe with "/c ..." in the browser's
// arguments) would run whatever the settings say.
bool NamesChromiumFamily(std::span<const std::string> versionTexts);

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
    // Whether Internet Explorer's automation object is registered.
    bool InternetExplorerThere();

private:
    std::string FromAppPaths(std::string_view exeName);
    bool IsFile(const std::string& path);

    Services m_Services;
};

}  // namespace platform
