#pragma once
// What the tests against Debian's Chromium share: the route page server,
// the "App Paths" entry that the browser search finds Chromium through,
// and ending the browsers the tests started.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "browser/BrowserFactory_win.h"
#include "browser/ChromiumStart_win.h"
#include "platform/Automation_win.h"
#include "platform/Environment_win.h"
#include "platform/FileSystem_win.h"
#include "platform/Registry_win.h"
#include "platform/ShellFolders_win.h"
#include "routepages/RoutePageServer_win.h"
#include "routepages/LinuxBrowser_win.h"

namespace support {

// The route planner's address on a port of 127.0.0.1 that nothing listens
// on: one the system gave out and took back.
std::string ClosedPortUrl();

class ChromiumTest : public testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;

    static routepages::RoutePageServer& Pages() { return *s_Pages; }
    static platform::BrowserOptions Options();
    // A browser window through the factory, as the run opens it.
    platform::BrowserPtr Open();
    // Waits in real time until the window's page is loaded.
    static void Load(platform::IBrowser& browser, const std::string& url);
    // The browser's page targets (/json/list): their addresses.
    static std::vector<std::string> PageUrls();
    // The main browser process, 0 when none runs.
    static unsigned long BrowserPid();

    platform::WinAutomation m_Automation;
    platform::WinRegistry m_Registry;
    platform::WinFileSystem m_Files;
    platform::WinEnvironment m_Environment;
    platform::WinShellFolders m_ShellFolders;
    platform::WinBrowserFactory m_Factory{{m_Automation, m_Registry, m_Files, m_Environment, m_ShellFolders}};

private:
    static routepages::RoutePageServer* s_Pages;
    static routepages::AppPathsEntry* s_Entry;
};

}  // namespace support
