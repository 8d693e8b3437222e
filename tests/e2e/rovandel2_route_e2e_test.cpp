// The real rovandel2.exe beside the ACT! stand-in, its Start button pressed
// from here: Debian's Chromium is found through an "App Paths" entry, the
// route page stand-in tells what reached the page, and the browser is still
// open after Rovandel2 has ended.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "driver/BoxDriver_win.h"
#include "browser/ChromiumStart_win.h"
#include "platform/WinText_win.h"
#include "routepages/LinuxBrowser_win.h"
#include "routepages/RoutePageServer_win.h"
#include "routeplanner/Rovandel2Controls.h"
#include "support/ActStandin_win.h"
#include "support/BrowserTest_win.h"
#include "support/Process_win.h"
#include "support/RegistrySnapshot_win.h"

using support::ChildProcess;
namespace c = Rovandel2Controls;

namespace {

constexpr wchar_t kSettingsRoot[] = L"Software\\VB and VBA Program Settings\\Rovandel2";

class Rovandel2Route : public testing::Test {
protected:
    static void SetUpTestSuite() {
        if (routepages::LinuxChromium().empty()) return;
        ASSERT_TRUE(support::ActStandin::Register());
        routepages::EndBrowsers(platform::BrowserProfileFolder());
        s_Pages = new routepages::RoutePageServer();
    }
    static void TearDownTestSuite() {
        routepages::EndBrowsers(platform::BrowserProfileFolder());
        EXPECT_TRUE(routepages::BrowserProcesses(platform::BrowserProfileFolder()).empty());
        delete s_Pages;
        s_Pages = nullptr;
    }
    void SetUp() override {
        if (s_Pages == nullptr) GTEST_SKIP() << "Debian's Chromium (/usr/bin/chromium) is not installed";
        support::DeleteTree(HKEY_CURRENT_USER, kSettingsRoot);
        routepages::WriteRovandelOption(L"BrowserArgumente", routepages::LocalBrowserArguments());
        routepages::WriteRovandelOption(L"AutoStart", "1");
        routepages::WriteRovandelOption(L"AutoZiel", "1");
        ASSERT_TRUE(m_Act.Start());
    }
    void TearDown() override {
        if (m_Rovandel) m_Rovandel->Kill();
        m_Act.Close();
        support::DeleteTree(HKEY_CURRENT_USER, kSettingsRoot);
    }

    // Rovandel2 on the route page of `kind`, its Start button clicked as the user clicks it.
    ChildProcess& Start(std::string_view kind) { return StartAt(s_Pages->Url(kind)); }
    ChildProcess& StartAt(const std::string& url) {
        routepages::WriteRovandelOption(L"URL", url);
        m_Rovandel.emplace(ChildProcess::Start(support::ProgramFolder() + L"rovandel2.exe", L""));
        HWND window = support::WaitForWindow(std::wstring(c::kClassName), m_Rovandel->Id(), 15000);
        EXPECT_NE(window, nullptr);
        PostMessageW(GetDlgItem(window, c::cmdBrowse.id), BM_CLICK, 0, 0);
        return *m_Rovandel;
    }
    static bool Shows(const std::string& url) {
        const auto urls = routepages::BrowserPageUrls(platform::BrowserProfileFolder());
        return std::find(urls.begin(), urls.end(), url) != urls.end();
    }

    static routepages::RoutePageServer* s_Pages;
    routepages::AppPathsEntry m_Chrome{L"chrome.exe", routepages::LinuxChromium()};
    support::ActStandin m_Act;
    std::optional<ChildProcess> m_Rovandel;
};

routepages::RoutePageServer* Rovandel2Route::s_Pages = nullptr;

TEST_F(Rovandel2Route, StartTakesBothAddressesFromActFillsThePageClicksAndLeavesTheBrowserOpen) {
    const auto asked = [] {
        const auto requests = s_Pages->Requests();
        return std::count(requests.begin(), requests.end(), "GET /baseservices/do/routeService");
    };
    const auto before = asked();
    ChildProcess& rovandel = Start("route");
    EXPECT_EQ(rovandel.WaitForExit(30000), std::optional<DWORD>(0));
    const auto report = s_Pages->WaitForReport("normal", true, 5000);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->start, "Schloßstraße 7, 80331 München, DEU");
    EXPECT_EQ(report->dest, "Hauptstraße 12b, 50667 Köln, DEU");
    EXPECT_EQ(report->changes, 2);
    EXPECT_EQ(asked(), before + 1) << "the window opens on the page: it is not loaded twice";
    EXPECT_TRUE(Shows(s_Pages->Url("route"))) << "the browser shows the route after Rovandel2 ended";
    const auto browser = routepages::BrowserProcesses(platform::BrowserProfileFolder());
    ASSERT_FALSE(browser.empty());
    EXPECT_TRUE(routepages::LinuxProcessAlive(browser.front()));
}

TEST_F(Rovandel2Route, AFormThePageRendersAgainWhenAFieldChangesGetsBothLinesOnceMoreBeforeTheClick) {
    ChildProcess& rovandel = Start("rerendered");
    EXPECT_EQ(rovandel.WaitForExit(30000), std::optional<DWORD>(0));
    const auto report = s_Pages->WaitForReport("rerendered", true, 5000);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->start, "Schloßstraße 7, 80331 München, DEU");
    EXPECT_EQ(report->dest, "Hauptstraße 12b, 50667 Köln, DEU");
    EXPECT_EQ(report->changes, 4) << "both lines written twice";
}

TEST_F(Rovandel2Route, APageWithoutTheButtonIsFilledAndTheButtonMessageComesBeforeTheEnd) {
    ChildProcess& rovandel = Start("nobutton");
    HWND box = driver::FindMessageBox(rovandel.Id(), L"Rovandel2", 30000);
    ASSERT_NE(box, nullptr);
    const driver::BoxInfo info = driver::ReadMessageBox(box);
    EXPECT_EQ(info.text.substr(0, info.text.find(L'\r')),
              L"Die Schaltfläche zum Berechnen der Route konnte nicht gedrückt werden.");
    EXPECT_EQ(info.icon, "information");
    driver::Press(box, IDOK);
    EXPECT_EQ(rovandel.WaitForExit(15000), std::optional<DWORD>(0));
    const auto report = s_Pages->WaitForReportWhere(
        "nobutton", [](const routepages::Report& r) { return !r.dest.empty(); }, 5000);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->dest, "Hauptstraße 12b, 50667 Köln, DEU");
    EXPECT_TRUE(Shows(s_Pages->Url("nobutton")));
}

TEST_F(Rovandel2Route, AnAddressWithThePlaceholdersBringsBothLinesToThePlannerInItsAddress) {
    ChildProcess& rovandel = StartAt(s_Pages->Url("directions") + "?from={start}&to={ziel}");
    EXPECT_EQ(rovandel.WaitForExit(30000), std::optional<DWORD>(0));
    std::vector<std::string> asked;
    for (const std::string& request : s_Pages->Requests()) {
        if (request.starts_with("GET /route/directions?")) asked.push_back(request.substr(4));
    }
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(routepages::QueryValue(asked[0], "from"),
              std::optional<std::string>("Schloßstraße 7, 80331 München, DEU"));
    EXPECT_EQ(routepages::QueryValue(asked[0], "to"), std::optional<std::string>("Hauptstraße 12b, 50667 Köln, DEU"));
    EXPECT_TRUE(Shows(s_Pages->Url("directions") + asked[0].substr(asked[0].find('?'))))
        << "the browser stays open on the route";
}

// The planner on a port of 127.0.0.1 where nothing listens. This machine
// is offline: after Yes the address the window was sent to counts, not what
// it shows.
TEST_F(Rovandel2Route, AnUnreachablePlannerIsSaidAtOnceYesSendsTheWindowToOpenStreetMapNoEndsWithOne) {
    for (const int answer : {IDYES, IDNO}) {
        SCOPED_TRACE(answer == IDYES ? "Yes" : "No");
        const std::string url = support::ClosedPortUrl();
        ChildProcess& rovandel = StartAt(url);
        const ULONGLONG clicked = GetTickCount64();
        HWND box = driver::FindMessageBox(rovandel.Id(), L"Rovandel2", 15000);
        ASSERT_NE(box, nullptr);
        const ULONGLONG shown = GetTickCount64();
        std::printf("[ measured ] Start to the message: %llu ms\n", shown - clicked);
        EXPECT_LT(shown - clicked, 5000u);
        const driver::BoxInfo info = driver::ReadMessageBox(box);
        EXPECT_EQ(info.text,
                  L"Der Routenplaner 127.0.0.1 ist nicht erreichbar: Der Server hat die Verbindung abgelehnt.\r\n"
                  L"Route stattdessen bei OpenStreetMap anzeigen?");
        EXPECT_EQ(info.icon, "question");
        ASSERT_TRUE(driver::Press(box, answer));
        EXPECT_EQ(rovandel.WaitForExit(15000), std::optional<DWORD>(answer == IDYES ? 0 : 1));
        if (answer == IDNO) {
            EXPECT_TRUE(Shows(url));
            continue;
        }
        std::optional<std::string> route;
        for (int i = 0; i < 100 && !route; ++i) {
            for (const std::string& shown : routepages::BrowserPageUrls(platform::BrowserProfileFolder())) {
                if (shown.starts_with("https://www.openstreetmap.org/directions?")) route = shown;
            }
            if (!route) Sleep(50);
        }
        ASSERT_TRUE(route);
        const std::string target = route->substr(route->find("/directions"));
        EXPECT_EQ(routepages::QueryValue(target, "from"),
                  std::optional<std::string>("Schloßstraße 7, 80331 München, DEU"));
        EXPECT_EQ(routepages::QueryValue(target, "to"), std::optional<std::string>("Hauptstraße 12b, 50667 Köln, DEU"));
        EXPECT_FALSE(Shows(url)) << "the same window was sent on";
    }
}

TEST_F(Rovandel2Route, ABrowserOptionThatIsNoBrowserIsReportedByNameAndTheExitCodeIsOne) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring batch = std::wstring(temp) + L"rovandel2-browser.bat";
    {
        std::FILE* file = _wfopen(batch.c_str(), L"wb");
        ASSERT_NE(file, nullptr);
        std::fputs("@echo off\r\n", file);
        std::fclose(file);
    }
    routepages::WriteRovandelOption(L"Browser", platform::Narrow(batch));
    ChildProcess& rovandel = Start("route");
    HWND box = driver::FindMessageBox(rovandel.Id(), L"Rovandel2", 30000);
    ASSERT_NE(box, nullptr);
    const driver::BoxInfo info = driver::ReadMessageBox(box);
    EXPECT_EQ(info.text, L"Fehler in openWebseite\r\nFehlernummer: 193\r\nFehlerbeschreibung: Das Programm " + batch +
                             L" ist kein unterstützter Browser. Es ist kein Programm wie Edge, Chrome oder Chromium.");
    driver::Press(box, IDOK);
    EXPECT_EQ(rovandel.WaitForExit(15000), std::optional<DWORD>(1));
    DeleteFileW(batch.c_str());
}

}  // namespace
