#pragma once
// Opening the browser that the setting "Browser" chooses (BrowserChoice.h):
// Internet Explorer through its automation object, Edge, Chrome or Chromium
// on Rovandel2's own profile.
#include "browser/Browser.h"
#include "platform/Automation.h"
#include "platform/Environment.h"
#include "platform/FileSystem.h"
#include "platform/Registry.h"
#include "platform/ShellFolders.h"

namespace platform {

class WinBrowserFactory : public IBrowserFactory {
public:
    // Internet Explorer is created through `automation`; the choice reads the
    // registry, the files and the environment; the profile lies in the
    // shell's local application data.
    struct Services {
        IAutomation& automation;
        IRegistry& registry;
        IFileSystem& files;
        IEnvironment& environment;
        IShellFolders& shellFolders;
    };
    explicit WinBrowserFactory(const Services& services) : m_Services(services) {}
    BrowserPtr Create(const BrowserOptions& options) override;

private:
    Services m_Services;
};

}  // namespace platform
