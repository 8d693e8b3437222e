// The browser's control pipe under Wine: the stand-in browser
// (tools/pipebrowser) started with its two C runtime descriptors and
// nothing else, the pipe channel's framing and limits against a pipe of the
// test's own, and the keeper: reached again by a second opening, relaying
// only whole messages, serving several clients, closed to other users, no
// port, ending with the browser.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

#include "base/AppError.h"
#include "browser/BrowserConnection.h"
#include "browser/BrowserKeeper_win.h"
#include "browser/ChromiumStart_win.h"
#include "browser/PipeChannel_win.h"
#include "platform/FileSystem_win.h"
#include "platform/ProcessStart_win.h"
#include "platform/UserSecurity_win.h"
#include "platform/WinText_win.h"
#include "support/PipeBrowser_win.h"
#include "support/Process_win.h"

using nlohmann::json;
using platform::UniqueFile;
using platform::UniqueKernelHandle;

namespace {

std::wstring TempFolder(const wchar_t* name) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + name;
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

std::string Hex(HANDLE handle) {
    char text[24];
    std::snprintf(text, sizeof text, "%llx", static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(handle)));
    return text;
}

// Writes `bytes` to a pipe opened for overlapped I/O.
void Send(HANDLE pipe, const std::string& bytes) {
    DWORD moved = 0;
    OVERLAPPED overlapped{};
    overlapped.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    WriteFile(pipe, bytes.data(), static_cast<DWORD>(bytes.size()), nullptr, &overlapped);
    GetOverlappedResult(pipe, &overlapped, &moved, TRUE);
    CloseHandle(overlapped.hEvent);
}

// The log line that `wanted` accepts, waiting for it up to `timeoutMs`.
bool WaitForLog(const std::wstring& profile, const std::string& line, DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    do {
        const auto log = support::PipeBrowserLog(profile);
        if (support::CountLog(log, line) > 0) return true;
        Sleep(20);
    } while (GetTickCount64() < end);
    return false;
}

TEST(BrowserStart, TheBrowserGetsDescriptorsThreeAndFourAndNoOtherHandleAndEndsWhenItsPipeCloses) {
    const std::wstring profile = TempFolder(L"pipebrowser-start");
    support::EndPipeBrowsers(profile);
    UniqueKernelHandle browserReads, toBrowser, fromBrowser, browserWrites;
    ASSERT_TRUE(CreatePipe(browserReads.put(), toBrowser.put(), nullptr, 0));
    ASSERT_TRUE(CreatePipe(fromBrowser.put(), browserWrites.put(), nullptr, 0));
    // Inheritable, but not handed on: the browser may not see it.
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    UniqueKernelHandle stray(CreateEventW(&inheritable, TRUE, FALSE, nullptr));
    const std::wstring line = L"\"" + support::PipeBrowserProgram() + L"\" --remote-debugging-pipe --user-data-dir=\"" +
                              profile + L"\" --probe-handle=" + platform::Widen(Hex(stray.get()));
    platform::StartedProcess browser =
        platform::StartInheriting(line, {browserReads.get(), browserWrites.get()},
                                  {nullptr, nullptr, nullptr, browserReads.get(), browserWrites.get()});
    browserReads.reset();
    browserWrites.reset();

    const std::string command = std::string(R"({"id":7,"method":"Target.getTargets"})") + '\0';
    DWORD moved = 0;
    ASSERT_TRUE(WriteFile(toBrowser.get(), command.data(), static_cast<DWORD>(command.size()), &moved, nullptr));
    std::string reply;
    char buffer[4096];
    while (reply.find('\0') == std::string::npos && ReadFile(fromBrowser.get(), buffer, sizeof buffer, &moved, nullptr))
        reply.append(buffer, moved);
    const json answer = json::parse(reply.substr(0, reply.find('\0')));
    EXPECT_EQ(answer["id"], 7);
    EXPECT_EQ(answer["result"]["targetInfos"][0]["type"], "page");

    toBrowser.reset();
    EXPECT_EQ(WaitForSingleObject(browser.process.get(), 3000), WAIT_OBJECT_0) << "the browser ends with its pipe";
    const auto log = support::PipeBrowserLog(profile);
    EXPECT_EQ(support::CountLog(log, "probe closed"), 1) << "a handle not handed on stays out of the browser";
    EXPECT_EQ(support::CountLog(log, "exit pipe closed"), 1);
}

// The check of the keeper test below sees a port: a browser asked for one
// shows among the listeners of this Wine environment.
TEST(BrowserStart, ABrowserStartedWithAPortShowsAmongTheListeners) {
    const std::wstring profile = TempFolder(L"pipebrowser-port");
    support::EndPipeBrowsers(profile);
    const auto before = support::TcpListeners();
    platform::StartedProcess browser = platform::StartInheriting(
        L"\"" + support::PipeBrowserProgram() + L"\" --remote-debugging-port=0 --user-data-dir=\"" + profile + L"\"",
        {});
    ASSERT_TRUE(WaitForLog(profile, "listening", 5000));
    int added = 0;
    for (const std::string& listener : support::TcpListeners()) added += before.count(listener) == 0 ? 1 : 0;
    EXPECT_EQ(added, 1);
    TerminateProcess(browser.process.get(), 9);
    WaitForSingleObject(browser.process.get(), 5000);
    support::EndPipeBrowsers(profile);
}

// A pipe of the test's own with the channel on its client end.
class PipeChannelTest : public testing::Test {
protected:
    void SetUp() override {
        const std::wstring name = L"\\\\.\\pipe\\pipechannel-test-" + std::to_wstring(GetCurrentProcessId());
        m_Server.reset(CreateNamedPipeW(name.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE | PIPE_WAIT, 1, 65536, 65536,
                                        0, nullptr));
        ASSERT_TRUE(m_Server);
        UniqueFile client(CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_OVERLAPPED, nullptr));
        ASSERT_TRUE(client);
        ConnectNamedPipe(m_Server.get(), nullptr);
        m_Channel = std::make_unique<platform::PipeChannel>(std::move(client));
    }
    void Write(const std::string& bytes) {
        DWORD moved = 0;
        ASSERT_TRUE(WriteFile(m_Server.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &moved, nullptr));
    }
    std::string ReadServer() {
        std::string got;
        char buffer[4096];
        DWORD moved = 0;
        while (got.find('\0') == std::string::npos &&
               ReadFile(m_Server.get(), buffer, sizeof buffer, &moved, nullptr)) {
            got.append(buffer, moved);
        }
        return got;
    }

    UniqueFile m_Server;
    std::unique_ptr<platform::PipeChannel> m_Channel;
};

TEST_F(PipeChannelTest, MessagesArePiecedTogetherSplitAtTheirEndsAndSentWithOne) {
    EXPECT_EQ(m_Channel->Receive(50), std::nullopt);
    Write(std::string("{\"a\":") + "1}" + '\0' + "{\"b\"");
    EXPECT_EQ(m_Channel->Receive(2000), std::optional<std::string>("{\"a\":1}"));
    EXPECT_EQ(m_Channel->Receive(50), std::nullopt) << "half a message is no message";
    Write(std::string(":2}") + '\0' + '\0');
    EXPECT_EQ(m_Channel->Receive(2000), std::optional<std::string>("{\"b\":2}"));
    EXPECT_EQ(m_Channel->Receive(2000), std::optional<std::string>(""));
    const std::string big(200000, 'x');
    std::thread writer([&] { m_Channel->Send(big); });
    std::string got;
    while (got.size() < big.size() + 1) {
        const std::string piece = ReadServer();
        if (piece.empty()) break;
        got += piece;
    }
    writer.join();
    EXPECT_EQ(got, big + '\0');
}

TEST_F(PipeChannelTest, AMessageBeyondTheCapEndsTheChannelAndAClosedPipeIsReportedAfterWhatCame) {
    Write(std::string("{}") + '\0');
    m_Server.reset();
    EXPECT_EQ(m_Channel->Receive(2000), std::optional<std::string>("{}"));
    try {
        m_Channel->Receive(2000);
        ADD_FAILURE() << "no error";
    } catch (const AppError& e) {
        EXPECT_EQ(e.number(), platform::kBrowserConnectionLost);
    }
    EXPECT_THROW(m_Channel->Send("{}"), AppError);

    SetUp();
    const std::string megabyte(1u << 20, 'x');
    std::thread writer([&] {
        for (std::size_t sent = 0; sent <= platform::kMaxMessageBytes; sent += megabyte.size()) {
            DWORD moved = 0;
            if (!WriteFile(m_Server.get(), megabyte.data(), static_cast<DWORD>(megabyte.size()), &moved, nullptr))
                break;
        }
    });
    try {
        while (!m_Channel->Receive(5000)) {}
        ADD_FAILURE() << "no error";
    } catch (const AppError& e) {
        EXPECT_EQ(e.number(), platform::kBrowserBadAnswer);
    }
    m_Channel.reset();
    m_Server.reset();
    writer.join();
}

// The keeper and the pipe path of the browser start, through OpenChromium as
// the run calls it, with the stand-in browser on Rovandel2's profile.
class BrowserKeeperTest : public testing::Test {
protected:
    void SetUp() override { End(); }
    void TearDown() override { End(); }
    void End() {
        support::EndPipeBrowsers(m_Profile);
        for (DWORD keeper : support::ProcessesNamed(L"rovandel2.exe")) support::WaitForProcessEnd(keeper, 3000);
    }
    static constexpr char kPage[] = "http://127.0.0.1:9/baseservices/do/routeService";
    platform::BrowserPtr Open(std::string_view firstUrl = {}) {
        return platform::OpenChromium(m_Files, support::PipeBrowserProgram(), platform::Narrow(m_Profile), "",
                                      firstUrl);
    }
    static void FillAndClick(platform::IBrowser& browser, const std::string& start) {
        browser.Navigate(kPage);
        while (browser.Busy()) Sleep(5);
        auto form = browser.Document()->GetElementById("header_form_route");
        ASSERT_NE(form, nullptr);
        form->FindInside("input_adress_start")->SetValue(start);
        form->FindInside("INPUT_ADRESS_DEST")->SetValue("Ziel");
        form->FindInside("btn_calculate_route")->Click();
    }

    platform::WinFileSystem m_Files;
    std::wstring m_Profile = platform::BrowserProfileFolder();
};

// The browser's stay, the reuse by the real program, no port and the
// keeper's end are the end-to-end test's (rovandel2_pipe_e2e_test.cpp).
TEST_F(BrowserKeeperTest, ASecondOpeningGoesThroughTheKeeperWhosePipeOnlyTheUserMayOpen) {
    const auto started = std::chrono::steady_clock::now();
    platform::BrowserPtr first = Open();
    const auto opened = std::chrono::steady_clock::now() - started;
    FillAndClick(*first, "Schloßstraße 7, 80331 München, DEU");
    first.reset();
    const auto browsers = support::ProcessesNamed(L"pipebrowser.exe");
    const auto keepers = support::ProcessesNamed(L"rovandel2.exe");
    ASSERT_EQ(browsers.size(), 1u);
    ASSERT_EQ(keepers.size(), 1u);

    platform::BrowserPtr second = Open(kPage);
    FillAndClick(*second, "Ring 5, 8001 Zürich, CHE");
    const auto log = support::PipeBrowserLog(m_Profile);
    EXPECT_EQ(support::CountLog(log, "Page.navigate"), 1) << "the new window opened on the page itself";
    EXPECT_EQ(support::CountLog(log, "start "), 1) << "the running browser was reused";
    EXPECT_EQ(support::CountLog(log, "Target.createTarget"), 1);
    EXPECT_EQ(support::CountLog(log, "Target.attachToTarget"), 2);
    ASSERT_EQ(support::CountLog(log, "report "), 2);
    const auto report =
        std::find_if(log.rbegin(), log.rend(), [](const std::string& line) { return line.starts_with("report "); });
    EXPECT_EQ(json::parse(report->substr(7)),
              (json{{"url", kPage}, {"start", "Ring 5, 8001 Zürich, CHE"}, {"dest", "Ziel"}}));

    // Round trips over the keeper, and the keeper's own start (rovandel2.exe
    // up to its switch and out again), for the record.
    const auto timed = std::chrono::steady_clock::now();
    constexpr int kTrips = 200;
    for (int i = 0; i < kTrips; ++i) second->Document()->ReadyState();
    const double tripMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - timed).count() / kTrips;
    const auto keeperStarted = std::chrono::steady_clock::now();
    platform::StartedProcess bare =
        platform::StartInheriting(L"\"" + platform::KeeperProgram() + L"\" /browserpipe", {});
    EXPECT_EQ(WaitForSingleObject(bare.process.get(), 5000), WAIT_OBJECT_0);
    const double keeperStartMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - keeperStarted).count();
    std::printf(
        "[ measured ] first opening (browser and keeper started) %.1f ms; keeper process start and end %.1f ms; "
        "round trip over the keeper %.3f ms; working set keeper %zu KB, stand-in browser %zu KB\n",
        std::chrono::duration<double, std::milli>(opened).count(), keeperStartMs, tripMs,
        support::WorkingSetOf(keepers[0]) / 1024, support::WorkingSetOf(browsers[0]) / 1024);

    second.reset();
    const UniqueFile pipe = platform::ConnectKeeper(platform::KeeperPipeName(m_Profile), nullptr, 5000);
    ASSERT_TRUE(pipe);
    const support::PipeAcl acl = support::ReadPipeAcl(pipe.get());
    ASSERT_TRUE(acl.read);
    EXPECT_TRUE(acl.onlyAllowing);
    EXPECT_EQ(acl.sids, std::vector<std::wstring>{platform::CurrentUserSid()}) << "only the user may open it";
    EXPECT_EQ(acl.owner, platform::CurrentUserSid());
}

TEST_F(BrowserKeeperTest, AClientThatLeavesInTheMiddleOfAMessageLeavesNothingOfItForTheNext) {
    platform::BrowserPtr first = Open();
    first.reset();
    const std::wstring name = platform::KeeperPipeName(m_Profile);
    {
        UniqueFile half = platform::ConnectKeeper(name, nullptr, 5000);
        ASSERT_TRUE(half);
        Send(half.get(), R"({"id":1,"method":"Target.getTa)");
    }
    auto router = platform::DevToolsRouter::Over(
        std::make_unique<platform::PipeChannel>(platform::ConnectKeeper(name, nullptr, 5000)));
    platform::DevToolsSession browser(router->BrowserChannel());
    const json targets = browser.Call("Target.getTargets");
    EXPECT_EQ(targets["targetInfos"].size(), 1u) << "the next client's command arrived whole";
    EXPECT_EQ(support::CountLog(support::PipeBrowserLog(m_Profile), "exit bad message"), 0);
}

// A run that still works, a process that connected and says nothing: the
// next run is served beside them, the silent one is let go after a few
// seconds, and only a keeper whose every place is taken is said to be busy.
TEST_F(BrowserKeeperTest, ARunIsServedBesideAnotherAndASilentClientAndAFullKeeperIsSaidBusy) {
    platform::BrowserPtr first = Open();
    const std::wstring name = platform::KeeperPipeName(m_Profile);
    UniqueFile silent = platform::ConnectKeeper(name, nullptr, 5000);
    ASSERT_TRUE(silent);

    platform::BrowserPtr second = Open(kPage);
    FillAndClick(*second, "Ring 5, 8001 Zürich, CHE");
    FillAndClick(*first, "Schloßstraße 7, 80331 München, DEU");
    EXPECT_EQ(support::CountLog(support::PipeBrowserLog(m_Profile), "report "), 2);

    const auto connected = [&] { return PeekNamedPipe(silent.get(), nullptr, 0, nullptr, nullptr, nullptr) != FALSE; };
    for (const ULONGLONG by = GetTickCount64() + 8000; connected() && GetTickCount64() < by;) Sleep(50);
    EXPECT_FALSE(connected()) << "the silent client is let go";

    // Two places are the runs'; the other six are taken by clients that spoke.
    std::vector<UniqueFile> others;
    for (int i = 0; i < 6; ++i) {
        others.push_back(platform::ConnectKeeper(name, nullptr, 5000));
        Send(others.back().get(), std::string(R"({"id":1,"method":"Target.getTargets"})") + '\0');
    }
    try {
        platform::ConnectKeeper(name, nullptr, 500);
        ADD_FAILURE() << "no error";
    } catch (const AppError& e) {
        EXPECT_EQ(e.number(), ERROR_PIPE_BUSY);
        EXPECT_EQ(e.description(),
                  "Der Browser ist gerade mit anderen Aufrufen von Rovandel2 beschäftigt. Bitte versuchen Sie es "
                  "gleich noch einmal.");
    }
    others.pop_back();
    EXPECT_TRUE(platform::ConnectKeeper(name, nullptr, 5000)) << "a place became free";
}

}  // namespace

namespace {

// A Windows program whose version resource names no Chromium-family
// browser is not started, whatever it is: the system's command processor,
// or a program of ours.
TEST(BrowserProgramCheck, AProgramThatIsNoChromiumFamilyBrowserIsRefusedBeforeItStarts) {
    platform::WinFileSystem files;
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    for (const std::wstring& program :
         {std::wstring(system) + L"\\cmd.exe", support::ProgramFolder() + L"minimal.exe"}) {
        const auto before = support::ProcessesNamed(program.substr(program.rfind(L'\\') + 1));
        try {
            platform::OpenChromium(files, program, platform::Narrow(platform::BrowserProfileFolder()), "/c exit", {});
            ADD_FAILURE() << "started: " << platform::Narrow(program);
        } catch (const AppError& e) {
            EXPECT_NE(e.description().find("keinen Browser der Chromium-Familie"), std::string::npos)
                << e.description();
        }
        EXPECT_EQ(support::ProcessesNamed(program.substr(program.rfind(L'\\') + 1)), before);
    }
}

}  // namespace
