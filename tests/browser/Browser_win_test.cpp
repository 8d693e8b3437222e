// The browser seam against Debian's Chromium under Wine, found through an
// "App Paths" entry, started on Rovandel2's profile and driven over the
// DevTools protocol; the route page server tells what reached the page.
#include <winsock2.h>
#include <windows.h>
#include <wincrypt.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <thread>

#include "base/AppError.h"
#include "browser/BrowserChoice.h"
#include "browser/BrowserFactory_win.h"
#include "browser/DevToolsSession.h"
#include "browser/WebSocketChannel_win.h"
#include "platform/Automation_win.h"
#include "platform/Environment_win.h"
#include "platform/FileSystem_win.h"
#include "platform/Handles_win.h"
#include "platform/Registry_win.h"
#include "platform/WinText_win.h"
#include "support/BrowserTest_win.h"
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

// The choice's cases are the native tests'; here the real registry and
// files: a per-user entry whose path holds characters that the code page lacks.
TEST(BrowserSearch, AnEntryBeyondTheCodePageIsFoundThroughTheRealRegistryAndFiles) {
    platform::WinRegistry registry;
    platform::WinFileSystem files;
    platform::WinEnvironment environment;
    const std::string folder = environment.TemporaryFolder() + "Браузер Ä";
    const std::string program = folder + "\\chrome.exe";
    files.CreateFolders(folder);
    files.OpenWrite(program)->Write(std::vector<std::uint8_t>{'M', 'Z'});
    {
        routepages::AppPathsEntry entry(L"chrome.exe", L"\"" + platform::Widen(program) + L"\"");
        EXPECT_EQ(platform::BrowserChoice({registry, files, environment}).Choose("chrome").path, program);
    }
    files.RemoveFile(program);
    RemoveDirectoryW(platform::Widen(folder).c_str());
}

class ChromiumPage : public ChromiumTest {};


TEST_F(ChromiumPage, APageThatCouldNotBeLoadedSaysWhyWhetherTheWindowWasOpenedOnItOrSentThere) {
    using Kind = platform::LoadFailureKind;
    struct Case {
        std::string url;
        std::optional<platform::LoadFailure> failure;
    };
    const Case cases[] = {
        {support::ClosedPortUrl(), platform::LoadFailure{Kind::ConnectionRefused, "ERR_CONNECTION_REFUSED"}},
        // The tests' browser resolves no name but 127.0.0.1.
        {"https://www.fahrtweg.example/baseservices/do/routeService",
         platform::LoadFailure{Kind::NameNotResolved, "ERR_NAME_NOT_RESOLVED"}},
        {Pages().Url("fehlt"), platform::LoadFailure{Kind::HttpStatus, "404"}},
        {Pages().Url("normal"), std::nullopt},
    };
    for (bool openedOn : {true, false}) {
        for (const Case& c : cases) {
            SCOPED_TRACE((openedOn ? "opened on " : "sent to ") + c.url);
            platform::BrowserOptions options = Options();
            if (openedOn) options.firstUrl = c.url;
            platform::BrowserPtr browser = m_Factory.Create(options);
            Load(*browser, c.url);
            EXPECT_EQ(browser->FailedLoad(), c.failure);
        }
    }
}

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

TEST_F(ChromiumPage, FieldsReadBackTheirValuesAndAFormThePageReplacedReadsAsGone) {
    platform::BrowserPtr browser = Open();
    Load(*browser, Pages().Url("replaced"));
    const auto field = [&](std::string_view id) {
        const BrowserElementPtr form = browser->Document()->GetElementById("header_form_route");
        EXPECT_NE(form, nullptr);
        const auto all = form->All();
        for (int i = 0; i < all->Length(); ++i) {
            if (BrowserElementPtr element = all->Item(i); element->Id() == id) return element;
        }
        return BrowserElementPtr();
    };
    const BrowserElementPtr start = field("input_adress_start");
    ASSERT_NE(start, nullptr);
    start->SetValue("Ring 5, 8001 Zürich, CHE");
    EXPECT_EQ(start->Value(), std::optional<std::string>("Ring 5, 8001 Zürich, CHE"));
    EXPECT_EQ(field("btn_calculate_route")->Value(), std::optional<std::string>(""))
        << "a button's value is its value attribute";
    EXPECT_EQ(browser->Document()->GetElementById("planner")->Value(), std::nullopt) << "a <div> has no value";

    Sleep(800);
    EXPECT_EQ(start->Value(), std::nullopt) << "the page replaced its form";
    const BrowserElementPtr fresh = field("input_adress_start");
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(fresh->Value(), std::optional<std::string>(""));
}

TEST_F(ChromiumPage, AnElementInsideIsFoundInOneCallInAnyLetterCase) {
    platform::BrowserPtr browser = Open();
    Load(*browser, Pages().Url("case"));
    const BrowserElementPtr form = browser->Document()->GetElementById("header_form_route");
    ASSERT_NE(form, nullptr);
    for (const char* id : {"input_adress_start", "INPUT_ADRESS_START", "Input_Adress_Start"}) {
        SCOPED_TRACE(id);
        const BrowserElementPtr start = form->FindInside(id);
        ASSERT_NE(start, nullptr);
        EXPECT_EQ(start->Id(), "Input_Adress_Start");
    }
    ASSERT_NE(form->FindInside("btn_calculate_route"), nullptr);
    EXPECT_EQ(form->FindInside("btn_calculate_route")->Id(), "Btn_Calculate_Route");
    EXPECT_EQ(form->FindInside("input_adress"), nullptr) << "the whole id, not a part";
    EXPECT_EQ(form->FindInside("planner"), nullptr) << "only inside the form";
    EXPECT_EQ(form->FindInside("header_form_route"), nullptr) << "not the form itself";
    EXPECT_EQ(form->FindInside("Größe"), nullptr) << "an id beyond ASCII is looked for by the walk";

    const BrowserElementPtr body = browser->Document()->GetElementById("planner");
    ASSERT_NE(body, nullptr);
    const BrowserElementPtr inBody = body->FindInside("HEADER_FORM_ROUTE");
    ASSERT_NE(inBody, nullptr);
    EXPECT_EQ(inBody->Id(), "header_form_route");
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

TEST_F(ChromiumPage, AWindowOpenedOnItsFirstAddressLoadsThatPageOnceWhetherStartedOrRunning) {
    routepages::EndBrowsers(platform::BrowserProfileFolder());
    const auto opened = [&](const std::string& url) {
        platform::BrowserOptions options = Options();
        options.firstUrl = url;
        platform::BrowserPtr browser = m_Factory.Create(options);
        Load(*browser, url);
        EXPECT_NE(browser->Document()->GetElementById("header_form_route"), nullptr) << url;
        const std::string path = url.substr(url.find("/route/"));
        const auto requests = Pages().Requests();
        EXPECT_EQ(std::count(requests.begin(), requests.end(), "GET " + path), 1) << url;
        return browser;
    };
    const platform::BrowserPtr started = opened(Pages().Url("normal") + "?erster=gestartet");
    const platform::BrowserPtr running = opened(Pages().Url("normal") + "?erster=laufend");
    // Only the first navigation is the opened one.
    Load(*running, Pages().Url("case"));
    EXPECT_NE(running->Document()->GetElementById("Input_Adress_Start"), nullptr);
    EXPECT_EQ(started->Document()->GetElementById("Input_Adress_Start"), nullptr);
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

// A socket listening on 127.0.0.1 at a free port: the system takes the
// connections, nobody answers unless the test does.
SOCKET Listening(std::uint16_t& port) {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    const SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{AF_INET, 0, {}, {}};
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof address;
    bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
    listen(listener, 8);
    getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
    port = ntohs(address.sin_port);
    return listener;
}

TEST_F(ChromiumPage, AStalePortFileOfASilentProgramLeadsToAFreshBrowserWhileTheWindowAnswers) {
    routepages::EndBrowsers(platform::BrowserProfileFolder());
    std::uint16_t port = 0;
    const SOCKET silent = Listening(port);
    const std::string file = std::to_string(port) + "\n/devtools/browser/0a1b2c\n";
    FILE* out = _wfopen((platform::BrowserProfileFolder() + L"\\DevToolsActivePort").c_str(), L"wb");
    std::fputs(file.c_str(), out);
    std::fclose(out);
    support::TestWindow window(L"Rovandel2WaitTest", L"Warten");
    support::AnswerWatch watch(window.hwnd());

    platform::BrowserPtr browser = Open();
    Load(*browser, Pages().Url("normal"));
    EXPECT_NE(BrowserPid(), 0u) << "a browser of its own was started";
    EXPECT_LT(watch.LongestMs(), 1000u) << "the window did not answer while the program waited";
    closesocket(silent);
}

// A program that is no Chromium-family browser is named as such and never
// started; one that is and never answers on its pipe is the pipe test's
// (rovandel2_pipe_e2e_test.cpp).
TEST_F(ChromiumPage, AProgramThatIsNoChromiumFamilyBrowserIsNamedAsNoBrowserAndNotStarted) {
    wchar_t windows[MAX_PATH] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    const std::string notepad = platform::Narrow(windows) + "\\notepad.exe";
    routepages::EndBrowsers(platform::BrowserProfileFolder());  // else the running one gets the window
    ASSERT_EQ(FindWindowW(L"Notepad", nullptr), nullptr);
    EXPECT_EQ(ErrorOf([&] {
                  m_Factory.Create({notepad, ""});
              }).description(),
              "Das Programm " + notepad +
                  " ist kein unterstützter Browser. Seine Versionsangaben nennen keinen Browser der Chromium-Familie "
                  "(Edge, Chrome, Chromium, Brave, Vivaldi, Opera); Rovandel2 startet es nicht.");
    Sleep(300);
    EXPECT_EQ(FindWindowW(L"Notepad", nullptr), nullptr) << "started all the same";
}

// One text message in 1 MB frames that never ends (64 MB of it, so that a
// reader without a cap fails the test rather than the machine).
TEST(DevToolsEndpoint, AMessageWithoutEndIsCutOffAtTheCap) {
    std::uint16_t port = 0;
    const SOCKET listener = Listening(port);
    std::thread endpoint([listener] {
        const SOCKET client = accept(listener, nullptr, nullptr);
        std::string head(4096, '\0');
        head.resize(static_cast<std::size_t>(std::max(recv(client, head.data(), 4096, 0), 0)));
        const std::size_t at = head.find("Sec-WebSocket-Key: ") + 19;
        const std::string key = head.substr(at, head.find("\r\n", at) - at) + "258EAFA5-E914-47DA-95CA-C5AB0DC85B11";
        BYTE digest[20] = {};
        DWORD size = sizeof digest;
        char accept[40] = {};
        DWORD length = sizeof accept;
        HCRYPTPROV provider = 0;
        HCRYPTHASH hash = 0;
        CryptAcquireContextW(&provider, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT);
        CryptCreateHash(provider, CALG_SHA1, 0, 0, &hash);
        CryptHashData(hash, reinterpret_cast<const BYTE*>(key.data()), static_cast<DWORD>(key.size()), 0);
        CryptGetHashParam(hash, HP_HASHVAL, digest, &size, 0);
        CryptBinaryToStringA(digest, size, CRYPT_STRING_BASE64 | CRYPT_STRING_NOCRLF, accept, &length);
        std::string out =
            "HTTP/1.1 101 Switching Protocols\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
            "Sec-WebSocket-Accept: " +
            std::string(accept) + "\r\n\r\n";
        for (int i = 0; i < 64 && send(client, out.data(), static_cast<int>(out.size()), 0) > 0; ++i) {
            out = std::string(i == 0 ? "\x01\x7F" : std::string("\x00\x7F", 2)) + std::string("\0\0\0\0\0\x10\0\0", 8) +
                  std::string(1u << 20, 'x');  // text, then continuations, never the last
        }
        recv(client, head.data(), 1, 0);  // until the channel goes
        closesocket(client);
        CryptDestroyHash(hash);
        CryptReleaseContext(provider, 0);
    });
    {
        platform::WebSocketChannel channel(port, "/devtools/page/endless");
        const ULONGLONG end = GetTickCount64() + 20000;
        const AppError error = ErrorOf([&] {
            while (GetTickCount64() < end) channel.Receive(200);
        });
        EXPECT_EQ(error.number(), platform::kBrowserBadAnswer);
        EXPECT_EQ(error.description(),
                  "Der Browser hat eine zu lange Nachricht geschickt (über 8 MB); die Verbindung wurde getrennt.");
    }
    endpoint.join();
    closesocket(listener);
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
