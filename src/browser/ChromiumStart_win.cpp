#include "browser/ChromiumStart_win.h"

#include <windows.h>

#include <cstdint>
#include <cwchar>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/AppError.h"
#include "base/Ascii.h"
#include "base/ScopeExit.h"
#include "base/UiTexts.h"
#include "browser/BrowserChoice.h"
#include "browser/BrowserConnection.h"
#include "browser/BrowserKeeper_win.h"
#include "browser/ChromiumBrowser.h"
#include "browser/PipeChannel_win.h"
#include "browser/WebSocketChannel_win.h"
#include "platform/Environment_win.h"
#include "platform/FileSystem_win.h"
#include "platform/Handles_win.h"
#include "platform/MessagePump_win.h"
#include "platform/ProcessStart_win.h"
#include "platform/ShellFolders_win.h"
#include "platform/SystemLibrary_win.h"
#include "platform/WinText_win.h"

namespace platform {

using nlohmann::json;

namespace {

constexpr int kStartTimeoutMs = 20000;
constexpr int kProbeTimeoutMs = 2000;
constexpr std::int32_t kProfileInUse = ERROR_SHARING_VIOLATION;
constexpr std::int32_t kNotABrowser = ERROR_BAD_EXE_FORMAT;

std::string ReadSmallFile(const std::wstring& path) {
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return {};
    std::string content;
    char buffer[1024];
    DWORD got = 0;
    while (content.size() < 64 * 1024 && ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) {
        content.append(buffer, got);
    }
    return content;
}

// Wine's kernel32 names the Linux path of a Windows path; Windows has no such export.
using UnixFileNameFn = char*(CDECL*)(LPCWSTR);
UnixFileNameFn WineUnixFileName() {
    return reinterpret_cast<UnixFileNameFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
}

// The first bytes of a program file, which tell what kind of program it is.
std::string Head(const std::wstring& program) { return ReadSmallFile(program).substr(0, 4); }

bool EndsWith(const std::wstring& text, std::wstring_view end) {
    return text.size() >= end.size() &&
           CompareStringOrdinal(text.c_str() + text.size() - end.size(), static_cast<int>(end.size()), end.data(),
                                static_cast<int>(end.size()), TRUE) == CSTR_EQUAL;
}

// Under Wine, a Linux program (an ELF file or a script such as Debian's
// /usr/bin/chromium): a Linux browser.
bool IsLinuxProgram(const std::wstring& program) {
    if (WineUnixFileName() == nullptr) return false;
    const std::string head = Head(program);
    return head.starts_with(
               "\x7F"
               "ELF") ||
           head.starts_with("#!");
}

// The texts a program's version resource names it by, in its first language.
std::vector<std::string> VersionTexts(const std::wstring& program) {
    using SizeFn = DWORD(WINAPI*)(LPCWSTR, LPDWORD);
    using InfoFn = BOOL(WINAPI*)(LPCWSTR, DWORD, DWORD, LPVOID);
    using QueryFn = BOOL(WINAPI*)(LPCVOID, LPCWSTR, LPVOID*, PUINT);
    const auto size = SystemEntry<SizeFn>(L"version.dll", "GetFileVersionInfoSizeW");
    const auto info = SystemEntry<InfoFn>(L"version.dll", "GetFileVersionInfoW");
    const auto query = SystemEntry<QueryFn>(L"version.dll", "VerQueryValueW");
    DWORD ignored = 0;
    const DWORD bytes = size(program.c_str(), &ignored);
    if (bytes == 0) return {};
    std::vector<std::uint8_t> block(bytes);
    if (!info(program.c_str(), 0, bytes, block.data())) return {};
    struct Translation {
        WORD language, codePage;
    };
    Translation* translations = nullptr;
    UINT length = 0;
    if (!query(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<LPVOID*>(&translations), &length) ||
        length < sizeof(Translation)) {
        return {};
    }
    wchar_t prefix[40] = {};
    swprintf(prefix, 40, L"\\StringFileInfo\\%04x%04x\\", translations->language, translations->codePage);
    std::vector<std::string> texts;
    for (const wchar_t* name : {L"ProductName", L"FileDescription", L"CompanyName", L"OriginalFilename"}) {
        wchar_t* text = nullptr;
        UINT chars = 0;
        if (query(block.data(), (std::wstring(prefix) + name).c_str(), reinterpret_cast<LPVOID*>(&text), &chars) &&
            text != nullptr && chars > 0) {
            texts.push_back(Narrow(std::wstring_view(text, chars - 1)));
        }
    }
    return texts;
}

// What can be a Chromium-family browser: a Windows program whose version
// resource says so, or a Linux one under Wine (only Wine starts those). A
// batch file or a document would be run by another program that never
// opens a control connection; another program would run whatever the
// settings hand it.
std::optional<std::string_view> WhyNoBrowser(const std::wstring& program) {
    if (IsLinuxProgram(program)) return std::nullopt;
    if (!EndsWith(program, L".exe") || !Head(program).starts_with("MZ")) return texts::kBrowserNoProgram;
    if (!NamesChromiumFamily(VersionTexts(program))) return texts::kBrowserNotChromiumFamily;
    return std::nullopt;
}

[[noreturn]] void RaiseNoBrowser(const std::wstring& program, std::string_view why) {
    Raise(kNotABrowser, std::string(texts::kBrowserUnsupported1) + Narrow(program) +
                            std::string(texts::kBrowserUnsupported2) + std::string(why));
}

[[noreturn]] void RaiseProfileInUse(const std::string& profile) {
    Raise(kProfileInUse, std::string(texts::kBrowserProfileInUse) + profile);
}

// A browser that was started and cannot be driven would stay behind unseen.
void EndIfRunning(HANDLE process) {
    if (process != nullptr && WaitForSingleObject(process, 0) == WAIT_TIMEOUT) TerminateProcess(process, 1);
}

// The profile folder as the browser must be told it.
std::wstring FolderForProgram(const std::string& profile, bool linuxProgram) {
    const std::wstring folder = Widen(profile);
    if (!linuxProgram) return folder;
    char* unix = WineUnixFileName()(folder.c_str());
    if (unix == nullptr) return folder;
    std::wstring path = Widen(unix);
    HeapFree(GetProcessHeap(), 0, unix);
    return path;
}

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

bool Answers(std::uint16_t port) {
    try {
        LocalHttpGet(port, "/json/version", kProbeTimeoutMs);
        return true;
    } catch (const AppError&) {
        return false;
    }
}

// Only a web address is handed over with the window; anything else (a file,
// a browser's own page) is navigated to as before. As the last argument
// after "--" the address can never be taken for a switch of the browser.
std::string OpeningAddress(std::string_view firstUrl) {
    const std::string lower = ascii::Lower(firstUrl);
    if (!lower.starts_with("http://") && !lower.starts_with("https://")) return {};
    if (firstUrl.find_first_of("\" \t\r\n") != std::string_view::npos) return {};
    return std::string(firstUrl);
}

BrowserPtr BrowserOnPage(std::uint16_t port, const std::string& pagePath, const std::string& openedOn) {
    auto session = std::make_shared<DevToolsSession>(std::make_unique<WebSocketChannel>(port, pagePath));
    return std::make_shared<ChromiumBrowser>(std::move(session), openedOn);
}

// A new window of a running browser, through its own endpoint, opened on `openedOn`.
BrowserPtr NewWindow(const DevToolsPort& running, const std::string& openedOn) {
    DevToolsSession browser(std::make_unique<WebSocketChannel>(running.port, running.browserPath));
    const json target = browser.Call("Target.createTarget",
                                     {{"url", openedOn.empty() ? "about:blank" : openedOn}, {"newWindow", true}});
    const std::string id = target.value("targetId", std::string());
    if (id.empty()) Raise(kBrowserBadAnswer, std::string(texts::kBrowserBadAnswer));
    return BrowserOnPage(running.port, "/devtools/page/" + id, openedOn);
}

// The window a freshly started browser opened (on `openedOn`, else about:blank).
BrowserPtr FirstWindow(const DevToolsPort& started, const std::string& openedOn) {
    const ULONGLONG end = GetTickCount64() + kStartTimeoutMs;
    do {
        const json targets = json::parse(LocalHttpGet(started.port, "/json/list", kProbeTimeoutMs), nullptr, false);
        if (targets.is_array()) {
            for (const json& target : targets) {
                if (!target.is_object() || target.value("type", std::string()) != "page") continue;
                const std::string socket = target.value("webSocketDebuggerUrl", std::string());
                const std::size_t path = socket.find("/devtools/");
                if (path != std::string::npos) return BrowserOnPage(started.port, socket.substr(path), openedOn);
            }
        }
        WaitPumping(nullptr, 50);
    } while (GetTickCount64() < end);
    return NewWindow(started, openedOn);
}

UniqueProcess StartBrowser(const std::wstring& program, const std::string& profile, std::string_view arguments,
                           const std::string& openedOn) {
    std::wstring commandLine = Quoted(program) + L" --remote-debugging-port=0 --user-data-dir=" +
                               Quoted(FolderForProgram(profile, IsLinuxProgram(program))) +
                               L" --no-first-run --no-default-browser-check";
    if (!arguments.empty()) commandLine += L" " + Widen(arguments);
    commandLine += openedOn.empty() ? std::wstring(L" about:blank") : L" -- " + Quoted(Widen(openedOn));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        const DWORD error = GetLastError();
        Raise(static_cast<std::int32_t>(error), std::string(texts::kBrowserNotStarted) + Narrow(program));
    }
    // For a Linux program Wine gives no process handle and leaves garbage
    // where the thread handle belongs: closing that closed another handle
    // of this process (seen: the registry's HKEY_CURRENT_USER).
    if (info.hProcess != nullptr && info.hThread != nullptr) CloseHandle(info.hThread);
    return UniqueProcess(info.hProcess);  // null for a Linux program under Wine
}

DevToolsPort WaitForPort(IFileSystem& files, const std::string& profile, const std::wstring& program,
                         const UniqueProcess& process) {
    const ULONGLONG end = GetTickCount64() + kStartTimeoutMs;
    for (;;) {
        if (auto port = ReadDevToolsPort(files, profile)) return *port;
        // A browser that ends without a port handed its start over to another
        // window already open on the profile without a debugging port.
        if (process && WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0) {
            if (auto port = ReadDevToolsPort(files, profile)) return *port;
            RaiseProfileInUse(profile);
        }
        if (GetTickCount64() >= end) RaiseNoBrowser(program, texts::kBrowserNoPort);
        WaitPumping(nullptr, 25);
    }
}

// The browser's control pipe and its keeper.

constexpr DWORD kKeeperConnectTimeoutMs = 5000;

std::wstring Hex(HANDLE handle) {
    wchar_t text[24] = {};
    std::swprintf(text, 24, L"%llx", static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(handle)));
    return text;
}

// The first command number of this run's commands to the browser itself. A
// keeper of an earlier version hands the browser's own endpoint to all runs
// alike, and a run ended in the middle of a command (Escape) leaves its reply
// on the way to the next run.
// Page sessions are new for each run and need no such care. The browser takes
// 32-bit numbers.
std::int64_t FirstBrowserCommandId() {
    const std::uint64_t mixed =
        (GetTickCount64() << 12) ^ (static_cast<std::uint64_t>(GetCurrentProcessId()) * 2654435761u);
    return 1 + static_cast<std::int64_t>(mixed % 1000000000u);
}

// A page of the browser behind `router`, attached as a session of its own.
BrowserPtr AttachedPage(const std::shared_ptr<DevToolsRouter>& router, DevToolsSession& browser,
                        const std::string& targetId, const std::string& openedOn) {
    const json attached = browser.Call("Target.attachToTarget", {{"targetId", targetId}, {"flatten", true}});
    const std::string sessionId = attached.value("sessionId", std::string());
    if (sessionId.empty()) Raise(kBrowserBadAnswer, std::string(texts::kBrowserBadAnswer));
    return std::make_shared<ChromiumBrowser>(std::make_shared<DevToolsSession>(router->SessionChannel(sessionId)),
                                             openedOn);
}

BrowserPtr NewWindowOverPipe(const std::shared_ptr<DevToolsRouter>& router, const std::string& openedOn) {
    DevToolsSession browser(router->BrowserChannel(), FirstBrowserCommandId());
    const json target = browser.Call("Target.createTarget",
                                     {{"url", openedOn.empty() ? "about:blank" : openedOn}, {"newWindow", true}});
    const std::string id = target.value("targetId", std::string());
    if (id.empty()) Raise(kBrowserBadAnswer, std::string(texts::kBrowserBadAnswer));
    return AttachedPage(router, browser, id, openedOn);
}

// The window a freshly started browser opens (on `openedOn`, else about:blank), once it is there.
BrowserPtr FirstWindowOverPipe(const std::shared_ptr<DevToolsRouter>& router, ULONGLONG end,
                               const std::string& openedOn) {
    DevToolsSession browser(router->BrowserChannel(), FirstBrowserCommandId());
    do {
        // A browser just started may take the whole start time for its first answer.
        const auto left = static_cast<int>(end > GetTickCount64() ? end - GetTickCount64() : 1);
        const json targets = browser.Call("Target.getTargets", json::object(), left);
        if (const auto infos = targets.find("targetInfos"); infos != targets.end() && infos->is_array()) {
            for (const json& target : *infos) {
                if (!target.is_object() || target.value("type", std::string()) != "page") continue;
                const std::string id = target.value("targetId", std::string());
                if (!id.empty()) return AttachedPage(router, browser, id, openedOn);
            }
        }
        WaitPumping(nullptr, 50);
    } while (GetTickCount64() < end);
    const json target = browser.Call("Target.createTarget",
                                     {{"url", openedOn.empty() ? "about:blank" : openedOn}, {"newWindow", true}});
    return AttachedPage(router, browser, target.value("targetId", std::string()), openedOn);
}

std::shared_ptr<DevToolsRouter> RouterOver(UniqueFile pipe) {
    return DevToolsRouter::Over(std::make_unique<PipeChannel>(std::move(pipe)));
}

// The two anonymous pipes of the browser's control connection.
struct ControlPipes {
    UniqueKernelHandle browserReads, toBrowser;  // the browser's descriptor 3
    UniqueKernelHandle fromBrowser, browserWrites;  // the browser's descriptor 4
};

ControlPipes MakeControlPipes() {
    ControlPipes pipes;
    if (!CreatePipe(pipes.browserReads.put(), pipes.toBrowser.put(), nullptr, 0) ||
        !CreatePipe(pipes.fromBrowser.put(), pipes.browserWrites.put(), nullptr, 0)) {
        Raise(static_cast<std::int32_t>(GetLastError()), std::string(texts::kBrowserCannotConnect));
    }
    return pipes;
}

// A Windows browser: started with its control connection on a pipe that
// only its keeper holds, so no port on the machine leads to it, or reached
// through the keeper of the one already running on the profile.
BrowserPtr OpenOverPipe(const std::wstring& program, const std::string& profile, std::string_view arguments,
                        const std::string& openedOn) {
    const std::wstring pipeName = KeeperPipeName(Widen(profile));
    if (UniqueFile pipe = ConnectKeeper(pipeName, nullptr, kKeeperConnectTimeoutMs)) {
        return NewWindowOverPipe(RouterOver(std::move(pipe)), openedOn);
    }
    const ULONGLONG end = GetTickCount64() + kStartTimeoutMs;
    ControlPipes pipes = MakeControlPipes();
    std::wstring commandLine = Quoted(program) + L" --remote-debugging-pipe --user-data-dir=" + Quoted(Widen(profile)) +
                               L" --no-first-run --no-default-browser-check";
    if (!arguments.empty()) commandLine += L" " + Widen(arguments);
    commandLine += openedOn.empty() ? std::wstring(L" about:blank") : L" -- " + Quoted(Widen(openedOn));
    StartedProcess browser;
    try {
        browser = StartInheriting(commandLine, {pipes.browserReads.get(), pipes.browserWrites.get()},
                                  {nullptr, nullptr, nullptr, pipes.browserReads.get(), pipes.browserWrites.get()});
    } catch (const AppError& e) {
        Raise(e.number(), std::string(texts::kBrowserNotStarted) + Narrow(program));
    }
    // Only the browser may hold its ends: it sees the pipe close when the keeper ends.
    pipes.browserReads.reset();
    pipes.browserWrites.reset();
    // Its keeper ends with it.
    bool driven = false;
    const ScopeExit endUndriven([&] {
        if (!driven) EndIfRunning(browser.process.get());
    });
    const std::wstring keeperLine = Quoted(KeeperProgram()) + L" " + std::wstring(kKeeperSwitch) + L" " +
                                    Hex(pipes.fromBrowser.get()) + L" " + Hex(pipes.toBrowser.get()) + L" " +
                                    Hex(browser.process.get()) + L" " + pipeName;
    const StartedProcess keeper = StartInheriting(
        keeperLine, {pipes.fromBrowser.get(), pipes.toBrowser.get(), browser.process.get()}, {}, DETACHED_PROCESS);
    pipes.fromBrowser.reset();
    pipes.toBrowser.reset();
    const ULONGLONG now = GetTickCount64();
    UniqueFile pipe = ConnectKeeper(pipeName, keeper.process.get(), static_cast<DWORD>(end > now ? end - now : 0));
    if (!pipe) {
        if (WaitForSingleObject(browser.process.get(), 0) == WAIT_OBJECT_0) RaiseProfileInUse(profile);
        RaiseNoBrowser(program, texts::kBrowserNoPort);
    }
    auto router = RouterOver(std::move(pipe));
    try {
        BrowserPtr window = FirstWindowOverPipe(router, end, openedOn);
        driven = true;
        return window;
    } catch (const AppError& e) {
        // A browser that ends at once handed its start over to a window
        // already open on the profile without a control pipe.
        if (WaitForSingleObject(browser.process.get(), 0) == WAIT_OBJECT_0) RaiseProfileInUse(profile);
        if (e.number() == kBrowserTimeout) RaiseNoBrowser(program, texts::kBrowserNoPort);
        throw;
    }
}

}  // namespace

BrowserPtr OpenChromium(IFileSystem& files, const std::wstring& program, const std::string& profileFolder,
                        std::string_view arguments, std::string_view firstUrl) {
    if (const auto why = WhyNoBrowser(program)) RaiseNoBrowser(program, *why);
    MakeBrowserProfileFolder(files, profileFolder);
    const std::string openedOn = OpeningAddress(firstUrl);
    // A Linux browser under Wine cannot be handed Windows pipes: the port is
    // left for it, which is how the tests reach Debian's Chromium.
    if (!IsLinuxProgram(program)) return OpenOverPipe(program, profileFolder, arguments, openedOn);
    if (auto running = ReadDevToolsPort(files, profileFolder); running && Answers(running->port)) {
        try {
            return NewWindow(*running, openedOn);
        } catch (const AppError&) {
            // The port is held by something that is not the profile's
            // browser (the file outlived it): a browser of its own instead.
        }
    }
    ForgetDevToolsPort(files, profileFolder);
    const UniqueProcess process = StartBrowser(program, profileFolder, arguments, openedOn);
    bool driven = false;
    const ScopeExit endUndriven([&] {
        if (!driven) EndIfRunning(process.get());
    });
    BrowserPtr window = FirstWindow(WaitForPort(files, profileFolder, program, process), openedOn);
    driven = true;
    return window;
}

std::wstring BrowserProfileFolder() {
    WinShellFolders shellFolders;
    WinEnvironment environment;
    return Widen(BrowserProfileFolder(shellFolders, environment));
}

std::optional<DevToolsPort> ReadDevToolsPort(const std::wstring& profileFolder) {
    WinFileSystem files;
    return ReadDevToolsPort(files, Narrow(profileFolder));
}

}  // namespace platform
