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
#include "routeplanner/EinstellungenControls.h"
#include "routeplanner/Rovandel2Controls.h"
#include "support/ActStandin_win.h"
#include "support/BrowserTest_win.h"
#include "support/Process_win.h"
#include "support/RegistrySnapshot_win.h"

using support::ChildProcess;
namespace c = Rovandel2Controls;

namespace {

constexpr wchar_t kSettingsRoot[] = L"Software\\VB and VBA Program Settings\\Rovandel2";
constexpr wchar_t kPolicies[] = L"Software\\Policies\\Brannock-Heyl";

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
        support::DeleteTree(HKEY_CURRENT_USER, kPolicies);
    }

    // Rovandel2 on the route page of `kind`, its Start button clicked as the user clicks it.
    ChildProcess& Start(std::string_view kind) { return StartAt(s_Pages->Url(kind)); }
    ChildProcess& StartAt(const std::string& url) {
        routepages::WriteRovandelOption(L"URL", url);
        PostMessageW(GetDlgItem(Launch(), c::cmdBrowse.id), BM_CLICK, 0, 0);
        return *m_Rovandel;
    }
    // Rovandel2's window, nothing pressed.
    HWND Launch() {
        m_Rovandel.emplace(ChildProcess::Start(support::ProgramFolder() + L"rovandel2.exe", L""));
        HWND window = support::WaitForWindow(std::wstring(c::kClassName), m_Rovandel->Id(), 15000);
        EXPECT_NE(window, nullptr);
        return window;
    }
    // The settings window opened as the keyboard opens it: Alt+N.
    HWND OpenSettings(HWND window) {
        PostMessageW(window, WM_SYSCHAR, 'n', 1 << 29);
        return driver::FindWindowOfClass(std::wstring(EinstellungenControls::kClassName), m_Rovandel->Id(),
                                         L"Einstellungen", 10000);
    }
    static void ChoosePlanner(HWND settings, int index) {
        HWND list = GetDlgItem(settings, EinstellungenControls::cbxRoutenplaner.id);
        SendMessageW(list, CB_SETCURSEL, index, 0);
        SendMessageW(settings, WM_COMMAND, MAKEWPARAM(EinstellungenControls::cbxRoutenplaner.id, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
    }
    // Presses the button and waits until the window is gone.
    static bool Leave(HWND settings, ui::ButtonId button) {
        PostMessageW(GetDlgItem(settings, button.id), BM_CLICK, 0, 0);
        for (int waited = 0; waited < 10000 && IsWindow(settings); waited += 20) Sleep(20);
        return !IsWindow(settings);
    }
    // Answers every box with its first button until Rovandel2 ends; its exit code.
    std::optional<DWORD> AnswerUntilEnd(std::vector<std::wstring>& texts) {
        for (int round = 0; round < 10; ++round) {
            if (auto code = m_Rovandel->WaitForExit(500)) return code;
            HWND box = driver::FindMessageBox(m_Rovandel->Id(), L"Rovandel2", 5000);
            if (box == nullptr) continue;
            const driver::BoxInfo info = driver::ReadMessageBox(box);
            texts.push_back(info.text);
            driver::Press(box, info.buttons.front());
        }
        return m_Rovandel->WaitForExit(15000);
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
    EXPECT_EQ(rovandel.WaitForExit(15000), std::optional<DWORD>(1)) << "no route was calculated";
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

// The settings window from the keyboard: Abbrechen writes nothing; a preset
// chosen and OK write its address, and the next Start opens it with both
// addresses in it (this machine reaches no planner: the address the browser
// was sent to tells).
TEST_F(Rovandel2Route, ThePlannerChosenInTheSettingsWindowIsTheOneTheNextStartOpens) {
    HWND window = Launch();
    HWND settings = OpenSettings(window);
    ASSERT_NE(settings, nullptr);
    ChoosePlanner(settings, 2);
    ASSERT_TRUE(Leave(settings, EinstellungenControls::cmdAbbrechen));
    EXPECT_FALSE(routepages::ReadRovandelOption(L"URL").has_value());

    settings = OpenSettings(window);
    ASSERT_NE(settings, nullptr);
    ChoosePlanner(settings, 1);
    ASSERT_TRUE(Leave(settings, EinstellungenControls::cmdOK));
    const std::string osm = "https://www.openstreetmap.org/directions?from={start}&to={ziel}";
    EXPECT_EQ(routepages::ReadRovandelOption(L"URL"), std::optional<std::string>(osm));
    EXPECT_FALSE(routepages::ReadRovandelOption(L"Browser").has_value()) << "only what changed is written";

    PostMessageW(GetDlgItem(window, c::cmdBrowse.id), BM_CLICK, 0, 0);
    std::vector<std::wstring> boxes;
    EXPECT_TRUE(AnswerUntilEnd(boxes).has_value());
    EXPECT_TRUE(
        Shows("https://www.openstreetmap.org/directions"
              "?from=Schlo%C3%9Fstra%C3%9Fe%207%2C%2080331%20M%C3%BCnchen%2C%20DEU"
              "&to=Hauptstra%C3%9Fe%2012b%2C%2050667%20K%C3%B6ln%2C%20DEU"))
        << testing::PrintToString(routepages::BrowserPageUrls(platform::BrowserProfileFolder()));
}

// A planner an administrator set: the settings window shows it locked, and
// Start opens it although the user chose another.
TEST_F(Rovandel2Route, APlannerTheAdministratorSetIsLockedInTheSettingsAndWinsAtStart) {
    const std::string planner = s_Pages->Url("directions") + "?from={start}&to={ziel}";
    routepages::WriteUserText(std::wstring(kPolicies) + L"\\Rovandel2", L"URL", platform::Widen(planner));
    routepages::WriteRovandelOption(L"URL", "https://www.openstreetmap.org/directions?from={start}&to={ziel}");
    HWND window = Launch();
    HWND settings = OpenSettings(window);
    ASSERT_NE(settings, nullptr);
    const auto text = [settings](int id) {
        wchar_t buffer[512] = {};
        SendMessageW(GetDlgItem(settings, id), WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buffer));
        return std::wstring(buffer);
    };
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(settings, EinstellungenControls::cbxRoutenplaner.id)));
    EXPECT_EQ(text(EinstellungenControls::lbRoutenplanerGesperrt.id), L"vom Administrator festgelegt");
    EXPECT_EQ(text(EinstellungenControls::txbURL.id), platform::Widen(planner));
    ASSERT_TRUE(Leave(settings, EinstellungenControls::cmdOK));

    PostMessageW(GetDlgItem(window, c::cmdBrowse.id), BM_CLICK, 0, 0);
    EXPECT_EQ(m_Rovandel->WaitForExit(30000), std::optional<DWORD>(0));
    const auto requests = s_Pages->Requests();
    EXPECT_TRUE(std::any_of(requests.begin(), requests.end(), [](const std::string& r) {
        return r.starts_with("GET /route/directions?from=Schlo");
    })) << testing::PrintToString(requests);
    EXPECT_EQ(routepages::ReadRovandelOption(L"URL"),
              std::optional<std::string>("https://www.openstreetmap.org/directions?from={start}&to={ziel}"))
        << "the user's own value stays";
}

}  // namespace
