#pragma once
// Which browser the route planner opens, and opening it.
//
// The setting "Browser" names it: "edge", "chrome", "ie" or the path of a
// Chromium-family program. Without it: Microsoft Edge, else Google Chrome
// (each found through the registry's "App Paths" or in its usual folders),
// else Internet Explorer.
#include <string>
#include <string_view>

#include "platform/Automation.h"
#include "browser/Browser.h"

namespace platform {

struct BrowserProgram {
    bool internetExplorer = false;
    std::wstring path;  // a Chromium-family program
};

// Raises AppError when the browser named is not there.
BrowserProgram ChooseBrowser(std::string_view option);

// The program of Edge ("msedge.exe") or Chrome ("chrome.exe"), or "".
std::wstring FindBrowserProgram(const std::wstring& exeName, const std::wstring& vendorFolder);

class WinBrowserFactory : public IBrowserFactory {
public:
    // Internet Explorer is created through `automation`.
    explicit WinBrowserFactory(IAutomation& automation) : m_Automation(automation) {}
    BrowserPtr Create(const BrowserOptions& options) override;

private:
    IAutomation& m_Automation;
};

}  // namespace platform
