// The browser seam against Debian's Chromium under Wine, found through an
// "App Paths" entry, started on Rovandel2's profile and driven over the
// DevTools protocol; the route page server tells what reached the page.
#include <winsock2.h>
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "base/AppError.h"
#include "platform/Automation_win.h"
#include "platform/DevToolsSession.h"
#include "platform/Handles_win.h"
#include "platform/BrowserFactory_win.h"
#include "platform/WinText_win.h"
#include "support/BrowserTest_win.h"
#include "support/Listener_win.h"
#include "support/TestWindow_win.h"

using platform::BrowserElementPtr;
using support::ChromiumTest;

namespace {

AppError ErrorOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const AppError& e) {
        return e;
    }
    return AppError(0, "no error");
}

class BrowserSearch : public ChromiumTest {};

TEST_F(BrowserSearch, TheOptionNamesTheBrowserAndWithoutItTheFirstOneFoundIsTaken) {
    const std::wstring chromium = routepages::LinuxChromium();
    EXPECT_EQ(platform::ChooseBrowser("").path, chromium) << "no Edge here: Chrome through its App Paths entry";
    EXPECT_EQ(platform::ChooseBrowser(" Chrome ").path, chromium);
    EXPECT_TRUE(platform::ChooseBrowser("IE").internetExplorer);
    EXPECT_EQ(platform::ChooseBrowser(platform::Narrow(chromium)).path, chromium);
    EXPECT_EQ(platform::ChooseBrowser("\"" + platform::Narrow(chromium) + "\"").path, chromium);

    const AppError edge = ErrorOf([] { platform::ChooseBrowser("edge"); });
    EXPECT_EQ(edge.number(), 53);
    EXPECT_EQ(edge.description(), "Der Browser Microsoft Edge wurde nicht gefunden.");
    const AppError path = ErrorOf([] { platform::ChooseBrowser("C:\\fehlt\\chrome.exe"); });
    EXPECT_EQ(path.number(), 53);
    EXPECT_EQ(path.description(), "Das Browserprogramm wurde nicht gefunden: C:\\fehlt\\chrome.exe");

    {
        // A quoted entry per user wins over the one above.
        routepages::AppPathsEntry quoted(L"msedge.exe", L"\"" + chromium + L"\"");
        EXPECT_EQ(platform::ChooseBrowser("edge").path, chromium);
        EXPECT_EQ(platform::ChooseBrowser("").path, chromium);
    }
    routepages::AppPathsEntry missing(L"chrome.exe", L"C:\\fehlt\\chrome.exe");
    EXPECT_TRUE(platform::ChooseBrowser("").internetExplorer) << "an entry naming no file does not count";
    EXPECT_EQ(ErrorOf([] { platform::ChooseBrowser("chrome"); }).description(),
              "Der Browser Google Chrome wurde nicht gefunden.");
}

class ChromiumPage : public ChromiumTest {};

TEST_F(ChromiumPage, ValuesReachThePageExactlyWithTheirEventsAndTheClickIsSeen) {
    platform::BrowserPtr browser = Open();
    browser->SetVisible(true);
    Load(*browser, Pages().Url("route"));
    const unsigned long pid = BrowserPid();
    ASSERT_NE(pid, 0u);

    BrowserElementPtr form = browser->Document()->GetElementById("header_form_route");
    ASSERT_NE(form, nullptr);
    auto all = form->All();
    std::vector<std::string> ids;
    for (int i = 0; i < all->Length(); ++i) ids.push_back(all->Item(i)->Id());
    EXPECT_EQ(all->Item(-1), nullptr);
    EXPECT_EQ(all->Item(all->Length()), nullptr);
    EXPECT_NE(std::find(ids.begin(), ids.end(), ""), ids.end()) << "labels and rows carry no id";
    const auto at = [&](std::string_view id) {
        return all->Item(static_cast<std::int32_t>(std::find(ids.begin(), ids.end(), id) - ids.begin()));
    };

    std::string start = "\"Zitat\" 'Apostroph' C:\\Pfad\\ </script><script>alert(1)</script> Größe Äpfelstraße ß ";
    while (start.size() < 1000) start += "0123456789";
    const std::string dest = "Ring 5, 8001 Zürich, CHE";
    at("input_adress_start")->SetValue(start);
    at("input_adress_dest")->SetValue(dest);
    at("btn_calculate_route")->Click();

    const auto report = Pages().WaitForReport("normal", true, 5000);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->start, start);
    EXPECT_EQ(report->dest, dest);
    EXPECT_EQ(report->inputs, 2);
    EXPECT_EQ(report->changes, 2);

    browser.reset();
    form.reset();
    all.reset();
    Sleep(200);
    EXPECT_TRUE(routepages::LinuxProcessAlive(pid)) << "letting the browser go leaves it open";
    const auto urls = PageUrls();
    EXPECT_NE(std::find(urls.begin(), urls.end(), Pages().Url("route")), urls.end());
}

TEST_F(ChromiumPage, ElementsThatTakeNoValueAreRefusedAndMissingOnesAreNothing) {
    platform::BrowserPtr browser = Open();
    Load(*browser, Pages().Url("normal"));
    auto document = browser->Document();
    EXPECT_EQ(document->GetElementById("fehlt"), nullptr);
    EXPECT_EQ(document->GetElementById("HEADER_FORM_ROUTE"), nullptr) << "the document's lookup minds letter case";
    const BrowserElementPtr planner = document->GetElementById("planner");
    ASSERT_NE(planner, nullptr);
    const AppError noValue = ErrorOf([&] { planner->SetValue("x"); });
    EXPECT_EQ(noValue.number(), 438);
    EXPECT_EQ(noValue.description(), "Das Element nimmt keinen Wert an.");
    EXPECT_EQ(planner->Id(), "planner");
}

TEST_F(ChromiumPage, ARunningBrowserIsReusedForASecondWindowAndQuitClosesOnlyThatWindow) {
    platform::BrowserPtr first = Open();
    Load(*first, Pages().Url("normal"));
    const unsigned long pid = BrowserPid();
    const std::size_t before = PageUrls().size();

    platform::BrowserPtr second = Open();
    EXPECT_EQ(BrowserPid(), pid) << "no second browser process";
    second->Navigate(Pages().Url("endless"));
    const ULONGLONG end = GetTickCount64() + 10000;
    while (second->Busy() && GetTickCount64() < end) Sleep(20);
    EXPECT_FALSE(second->Busy()) << "the page's answer has begun";
    Sleep(500);
    EXPECT_EQ(second->Document()->ReadyState(), "loading");
    EXPECT_EQ(PageUrls().size(), before + 1);

    second->Quit();
    Sleep(300);
    EXPECT_EQ(PageUrls().size(), before);
    EXPECT_TRUE(routepages::LinuxProcessAlive(pid));
    EXPECT_EQ(first->Document()->ReadyState(), "complete") << "the first window is untouched";
}

TEST_F(ChromiumPage, ABrowserEndedUnderTheProgramGivesAnErrorAndTheNextOpenStartsAFreshOne) {
    platform::BrowserPtr browser = Open();
    Load(*browser, Pages().Url("normal"));
    const unsigned long pid = BrowserPid();
    ASSERT_TRUE(routepages::EndLinuxProcess(pid));

    const AppError lost = ErrorOf([&] {
        for (int i = 0; i < 100; ++i) {
            browser->Document()->ReadyState();
            Sleep(20);
        }
    });
    EXPECT_TRUE(lost.number() == platform::kBrowserConnectionLost || lost.number() == platform::kBrowserTimeout)
        << lost.number() << " " << lost.description();
    EXPECT_FALSE(lost.description().empty());

    platform::BrowserPtr fresh = Open();
    Load(*fresh, Pages().Url("normal"));
    EXPECT_NE(BrowserPid(), 0u);
    EXPECT_NE(BrowserPid(), pid);
}

void WriteFileText(const std::wstring& path, const std::string& text) {
    platform::UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD put = 0;
    WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &put, nullptr);
}

int ProcessesNamed(const wchar_t* name) {
    platform::UniqueKernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry)) {
        if (_wcsicmp(entry.szExeFile, name) == 0) ++count;
    }
    return count;
}

TEST_F(ChromiumPage, AStalePortFileOfASilentProgramLeadsToAFreshBrowserWhileTheWindowAnswers) {
    routepages::EndBrowsers(platform::BrowserProfileFolder());
    support::Listener silent(support::ServeSilently);
    WriteFileText(platform::BrowserProfileFolder() + L"\\DevToolsActivePort",
                  std::to_string(silent.Port()) + "\n/devtools/browser/0a1b2c\n");
    support::TestWindow window(L"Rovandel2WaitTest", L"Warten");
    support::AnswerWatch watch(window.hwnd());

    const ULONGLONG start = GetTickCount64();
    platform::BrowserPtr browser = Open();
    EXPECT_LT(GetTickCount64() - start, 15000u);
    Load(*browser, Pages().Url("normal"));
    EXPECT_NE(BrowserPid(), 0u) << "a browser of its own was started";
    EXPECT_LT(watch.LongestMs(), 1000u) << "the window did not answer while the program waited";
}

// Browser options that name no browser: no message that blames the profile,
// nothing left running, and the window answering during the wait.
TEST_F(ChromiumPage, AProgramThatIsNoBrowserIsNamedAsSuchAndWhatWasStartedIsEnded) {
    const std::wstring folder = platform::BrowserProfileFolder() + L"-test";
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring batch = folder + L"\\start.bat";
    const std::wstring marker = folder + L"\\lief.txt";
    DeleteFileW(marker.c_str());
    WriteFileText(batch, "@echo lief > \"" + platform::Narrow(marker) + "\"\r\n");
    const AppError refused = ErrorOf([&] { m_Factory.Create({platform::Narrow(batch), ""}); });
    EXPECT_EQ(refused.description(), "Das Programm " + platform::Narrow(batch) +
                                         " ist kein unterstützter Browser. Es ist kein Programm wie Edge, Chrome oder "
                                         "Chromium.");
    Sleep(500);
    EXPECT_EQ(GetFileAttributesW(marker.c_str()), INVALID_FILE_ATTRIBUTES) << "the batch file was run";
    DeleteFileW(batch.c_str());
    RemoveDirectoryW(folder.c_str());

    wchar_t windows[MAX_PATH] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    const std::wstring notepad = std::wstring(windows) + L"\\notepad.exe";
    routepages::EndBrowsers(platform::BrowserProfileFolder());  // else the running one gets the window
    const int before = ProcessesNamed(L"notepad.exe");
    support::TestWindow window(L"Rovandel2WaitTest", L"Warten");
    support::AnswerWatch watch(window.hwnd());
    const AppError silent = ErrorOf([&] { m_Factory.Create({platform::Narrow(notepad), ""}); });
    EXPECT_EQ(silent.description(), "Das Programm " + platform::Narrow(notepad) +
                                        " ist kein unterstützter Browser. Es hat innerhalb von 20 Sekunden keine "
                                        "Steuerverbindung geöffnet.");
    EXPECT_LT(watch.LongestMs(), 1000u) << "the window did not answer while the program waited";
    const ULONGLONG end = GetTickCount64() + 3000;
    while (ProcessesNamed(L"notepad.exe") > before && GetTickCount64() < end) Sleep(50);
    EXPECT_EQ(ProcessesNamed(L"notepad.exe"), before) << "the program started stays running";
}

}  // namespace

namespace {

// Internet Explorer's members Visible and Value are property puts: here
// against an automation object every Windows (and Wine) has.
TEST(AutomationPut, APropertyPutSetsThePropertyAndARefusedOneRaises) {
    platform::WinAutomation automation;
    platform::AutoObjectPtr dictionary = automation.Create("Scripting.Dictionary");
    dictionary->Put("CompareMode", std::int32_t{1});
    EXPECT_EQ(platform::AsNumber(dictionary->Get("CompareMode")), 1);
    dictionary->Call("Add", {std::string("Schlüssel"), std::string("Wert")});
    const AppError refused = ErrorOf([&] { dictionary->Put("CompareMode", std::int32_t{0}); });
    EXPECT_NE(refused.number(), 0) << "the mode cannot change once the dictionary holds an entry";
    EXPECT_EQ(platform::AsNumber(dictionary->Get("CompareMode")), 1);
}

}  // namespace
