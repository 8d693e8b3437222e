#include "browser/BrowserFactory_win.h"

#include "browser/BrowserChoice.h"
#include "browser/BrowserProfile.h"
#include "browser/ChromiumStart_win.h"
#include "browser/IeBrowser.h"
#include "platform/WinText_win.h"

namespace platform {

BrowserPtr WinBrowserFactory::Create(const BrowserOptions& options) {
    const BrowserProgram program =
        BrowserChoice({m_Services.registry, m_Services.files, m_Services.environment}).Choose(options.browser);
    if (program.internetExplorer) return std::make_shared<IeBrowser>(m_Services.automation);
    return OpenChromium(m_Services.files, Widen(program.path),
                        BrowserProfileFolder(m_Services.shellFolders, m_Services.environment), options.arguments,
                        options.firstUrl);
}

}  // namespace platform
