// The real rovandel2.exe beside the ACT! stand-in with a Windows browser:
// the stand-in browser (tools/pipebrowser) named by the option "Browser" is
// driven over its control pipe, stays open through Rovandel2's keeper after
// Rovandel2 has ended, is reused by the next run through that keeper, opens
// no port, and its end ends the keeper.
#include <windows.h>

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "browser/ChromiumStart_win.h"
#include "driver/BoxDriver_win.h"
#include "platform/WinText_win.h"
#include "routepages/LinuxBrowser_win.h"
#include "routeplanner/Rovandel2Controls.h"
#include "support/ActStandin_win.h"
#include "support/PipeBrowser_win.h"
#include "support/Process_win.h"
#include "support/RegistrySnapshot_win.h"

using nlohmann::json;
using support::ChildProcess;
namespace c = Rovandel2Controls;

namespace {

constexpr wchar_t kSettingsRoot[] = L"Software\\VB and VBA Program Settings\\Rovandel2";
constexpr char kPage[] = "http://127.0.0.1:9/baseservices/do/routeService";

class Rovandel2Pipe : public testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(support::ActStandin::Register()); }
    void SetUp() override {
        EndBrowser();
        support::DeleteTree(HKEY_CURRENT_USER, kSettingsRoot);
        routepages::WriteRovandelOption(L"Browser", platform::Narrow(support::PipeBrowserProgram()));
        routepages::WriteRovandelOption(L"URL", kPage);
        routepages::WriteRovandelOption(L"AutoStart", "1");
        routepages::WriteRovandelOption(L"AutoZiel", "1");
        ASSERT_TRUE(m_Act.Start());
    }
    void TearDown() override {
        if (m_Rovandel) m_Rovandel->Kill();
        m_Act.Close();
        EndBrowser();
        support::DeleteTree(HKEY_CURRENT_USER, kSettingsRoot);
    }
    void EndBrowser() {
        support::EndPipeBrowsers(m_Profile);
        for (DWORD keeper : support::ProcessesNamed(L"rovandel2.exe")) support::WaitForProcessEnd(keeper, 3000);
    }
    // One run: Start clicked, and its exit code.
    std::optional<DWORD> Run() {
        m_Rovandel.emplace(ChildProcess::Start(support::ProgramFolder() + L"rovandel2.exe", L""));
        HWND window = support::WaitForWindow(std::wstring(c::kClassName), m_Rovandel->Id(), 15000);
        EXPECT_NE(window, nullptr);
        PostMessageW(GetDlgItem(window, c::cmdBrowse.id), BM_CLICK, 0, 0);
        return m_Rovandel->WaitForExit(30000);
    }
    std::vector<json> Reports() const {
        std::vector<json> reports;
        for (const std::string& line : support::PipeBrowserLog(m_Profile)) {
            if (line.starts_with("report ")) reports.push_back(json::parse(line.substr(7)));
        }
        return reports;
    }

    std::wstring m_Profile = platform::BrowserProfileFolder();
    support::ActStandin m_Act;
    std::optional<ChildProcess> m_Rovandel;
};

TEST_F(Rovandel2Pipe, TheBrowserIsDrivenOverItsPipeStaysOpenIsReusedOpensNoPortAndItsEndEndsTheKeeper) {
    const auto listenersBefore = support::TcpListeners();
    ASSERT_EQ(Run(), std::optional<DWORD>(0));
    auto reports = Reports();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0]["url"], kPage);
    EXPECT_EQ(reports[0]["start"], "Schloßstraße 7, 80331 München, DEU");
    EXPECT_EQ(reports[0]["dest"], "Hauptstraße 12b, 50667 Köln, DEU");

    const auto browsers = support::ProcessesNamed(L"pipebrowser.exe");
    const auto keepers = support::ProcessesNamed(L"rovandel2.exe");
    ASSERT_EQ(browsers.size(), 1u);
    ASSERT_EQ(keepers.size(), 1u) << "Rovandel2 has ended; its keeper runs";
    Sleep(300);
    EXPECT_FALSE(support::WaitForProcessEnd(browsers[0], 0)) << "the browser is open after Rovandel2 ended";
    const auto log = support::PipeBrowserLog(m_Profile);
    ASSERT_FALSE(log.empty());
    EXPECT_NE(log.front().find("--remote-debugging-pipe"), std::string::npos);
    EXPECT_EQ(log.front().find("--remote-debugging-port"), std::string::npos);
    EXPECT_NE(log.front().find(std::string("-- \"") + kPage + "\""), std::string::npos) << "it opened on the page";
    EXPECT_EQ(support::CountLog(log, "Page.navigate"), 0);
    for (const std::string& listener : support::TcpListeners()) {
        EXPECT_EQ(listenersBefore.count(listener), 1u) << "a socket listens since the browser started: " << listener;
    }

    ASSERT_EQ(Run(), std::optional<DWORD>(0));
    reports = Reports();
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[1]["dest"], "Hauptstraße 12b, 50667 Köln, DEU");
    EXPECT_EQ(support::CountLog(support::PipeBrowserLog(m_Profile), "start "), 1) << "the second run reused it";
    EXPECT_EQ(support::ProcessesNamed(L"pipebrowser.exe"), browsers);
    EXPECT_EQ(support::ProcessesNamed(L"rovandel2.exe"), keepers);

    support::EndPipeBrowsers(m_Profile);
    EXPECT_TRUE(support::WaitForProcessEnd(keepers[0], 3000)) << "the keeper ends with the browser";
}

TEST_F(Rovandel2Pipe, AProgramThatNeverAnswersOnItsPipeIsReportedAndEndedAndItsKeeperWithIt) {
    routepages::WriteRovandelOption(L"BrowserArgumente", "--silent");
    m_Rovandel.emplace(ChildProcess::Start(support::ProgramFolder() + L"rovandel2.exe", L""));
    HWND window = support::WaitForWindow(std::wstring(c::kClassName), m_Rovandel->Id(), 15000);
    ASSERT_NE(window, nullptr);
    PostMessageW(GetDlgItem(window, c::cmdBrowse.id), BM_CLICK, 0, 0);
    HWND box = driver::FindMessageBox(m_Rovandel->Id(), L"Rovandel2", 40000);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(
        driver::ReadMessageBox(box).text,
        L"Fehler in openWebseite\r\nFehlernummer: 193\r\nFehlerbeschreibung: Das Programm " +
            support::PipeBrowserProgram() +
            L" ist kein unterstützter Browser. Es hat innerhalb von 20 Sekunden keine Steuerverbindung geöffnet.");
    EXPECT_TRUE(support::ProcessesNamed(L"pipebrowser.exe").empty()) << "what could not be driven was ended";
    driver::Press(box, IDOK);
    EXPECT_EQ(m_Rovandel->WaitForExit(15000), std::optional<DWORD>(1));
    for (DWORD keeper : support::ProcessesNamed(L"rovandel2.exe")) {
        EXPECT_TRUE(support::WaitForProcessEnd(keeper, 3000)) << "the keeper ends with the browser";
    }
}

}  // namespace
