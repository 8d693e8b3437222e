#include "support/BrowserTest_win.h"

#include "base/AppError.h"
#include "browser/BrowserChoice.h"
#include "platform/WinText_win.h"

namespace support {

std::string ClosedPortUrl() {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    const SOCKET probe = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{AF_INET, 0, {}, {}};
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof address;
    bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address);
    getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length);
    closesocket(probe);
    return "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/baseservices/do/routeService";
}

routepages::RoutePageServer* ChromiumTest::s_Pages = nullptr;
routepages::AppPathsEntry* ChromiumTest::s_Entry = nullptr;

void ChromiumTest::SetUpTestSuite() {
    if (routepages::LinuxChromium().empty()) return;
    routepages::EndBrowsers(platform::BrowserProfileFolder());
    s_Pages = new routepages::RoutePageServer();
    s_Entry = new routepages::AppPathsEntry(L"chrome.exe", routepages::LinuxChromium());
}

void ChromiumTest::TearDownTestSuite() {
    if (s_Pages == nullptr) return;
    routepages::EndBrowsers(platform::BrowserProfileFolder());
    EXPECT_TRUE(routepages::BrowserProcesses(platform::BrowserProfileFolder()).empty())
        << "a browser outlived the tests";
    delete s_Entry;
    delete s_Pages;
    s_Entry = nullptr;
    s_Pages = nullptr;
}

void ChromiumTest::SetUp() {
    if (s_Pages == nullptr) GTEST_SKIP() << "Debian's Chromium (/usr/bin/chromium) is not installed";
    // Never Wine's Internet Explorer instead: it answers "not implemented" and stays behind.
    ASSERT_EQ(platform::Widen(platform::BrowserChoice({m_Registry, m_Files, m_Environment}).Choose("").path),
              routepages::LinuxChromium())
        << "the browser search does not find Chromium";
}

platform::BrowserOptions ChromiumTest::Options() { return {"", routepages::LocalBrowserArguments()}; }

platform::BrowserPtr ChromiumTest::Open() { return m_Factory.Create(Options()); }

void ChromiumTest::Load(platform::IBrowser& browser, const std::string& url) {
    browser.Navigate(url);
    const ULONGLONG end = GetTickCount64() + 10000;
    while (browser.Busy()) {
        ASSERT_LT(GetTickCount64(), end) << "still busy with " << url;
        Sleep(20);
    }
    for (;;) {
        const platform::BrowserDocumentPtr document = browser.Document();
        if (document && document->ReadyState() == "complete") return;
        ASSERT_LT(GetTickCount64(), end) << "not complete: " << url;
        Sleep(20);
    }
}

std::vector<std::string> ChromiumTest::PageUrls() {
    return routepages::BrowserPageUrls(platform::BrowserProfileFolder());
}

unsigned long ChromiumTest::BrowserPid() {
    const std::vector<unsigned long> processes = routepages::BrowserProcesses(platform::BrowserProfileFolder());
    return processes.empty() ? 0 : processes.front();
}

}  // namespace support
