#include "browser/BrowserKeeper_win.h"

#include <cstdint>
#include <cwchar>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "base/AppError.h"
#include "base/UiTexts.h"
#include "browser/BrowserConnection.h"
#include "browser/PipeChannel_win.h"
#include "platform/MessagePump_win.h"
#include "platform/UserSecurity_win.h"

namespace platform {

namespace {

constexpr std::wstring_view kPipePrefix = L"\\\\.\\pipe\\Rovandel2-Browser-";
constexpr DWORD kBufferBytes = 64 * 1024;
// A client that takes nothing for this long is treated as gone.
constexpr DWORD kClientWriteTimeoutMs = 10000;

enum : int { kKeeperBrowserEnded = 0, kKeeperBadArguments = 2, kKeeperNoPipe = 3 };

bool WriteAll(HANDLE file, const std::string& bytes, HANDLE event, DWORD timeoutMs) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        const std::optional<DWORD> wrote =
            PipeTransfer(file, true, const_cast<char*>(bytes.data()) + written,
                         static_cast<DWORD>(bytes.size() - written), event, timeoutMs, false);
        if (!wrote || *wrote == 0) return false;
        written += *wrote;
    }
    return true;
}

UniqueKernelHandle NewEvent() { return UniqueKernelHandle(CreateEventW(nullptr, TRUE, FALSE, nullptr)); }

// What both directions share: the client pipe and whether a client is on it.
struct Relay {
    HANDLE server = nullptr;
    HANDLE toBrowser = nullptr;
    HANDLE fromBrowser = nullptr;
    std::mutex mutex;
    bool connected = false;
    UniqueKernelHandle clientGone = NewEvent();
    UniqueKernelHandle browserGone = NewEvent();
};

// From the browser to the client, whole messages only: what comes while no
// client is there is the answer to one that went, or an event nobody waits for.
void RelayFromBrowser(Relay& relay) {
    NulFraming framing;
    std::string buffer(kBufferBytes, '\0');
    UniqueKernelHandle readEvent = NewEvent();
    UniqueKernelHandle writeEvent = NewEvent();
    for (;;) {
        const std::optional<DWORD> got =
            PipeTransfer(relay.fromBrowser, false, buffer.data(), kBufferBytes, readEvent.get(), INFINITE, false);
        if (!got || *got == 0) break;
        std::vector<std::string> messages;
        try {
            messages = framing.Add(std::string_view(buffer.data(), *got));
        } catch (const AppError&) {
            break;  // no browser the keeper can relay
        }
        std::lock_guard lock(relay.mutex);
        for (std::string& message : messages) {
            if (!relay.connected) continue;
            message += '\0';
            if (!WriteAll(relay.server, message, writeEvent.get(), kClientWriteTimeoutMs)) {
                relay.connected = false;
                SetEvent(relay.clientGone.get());
            }
        }
    }
    SetEvent(relay.browserGone.get());
}

// Waits for one of the handles; its index, or -1 on failure.
int WaitAny(std::initializer_list<HANDLE> handles) {
    const std::vector<HANDLE> list(handles);
    const DWORD result = WaitForMultipleObjects(static_cast<DWORD>(list.size()), list.data(), FALSE, INFINITE);
    if (result >= WAIT_OBJECT_0 + list.size()) return -1;
    return static_cast<int>(result - WAIT_OBJECT_0);
}

// One client, from its connection to its end. False when the browser ended.
bool ServeClient(Relay& relay, HANDLE browser) {
    UniqueKernelHandle event = NewEvent();
    OVERLAPPED overlapped{};
    overlapped.hEvent = event.get();
    if (!ConnectNamedPipe(relay.server, &overlapped)) {
        const DWORD error = GetLastError();
        if (error == ERROR_IO_PENDING) {
            if (WaitAny({event.get(), browser, relay.browserGone.get()}) != 0) {
                CancelIoEx(relay.server, &overlapped);
                return false;
            }
        } else if (error != ERROR_PIPE_CONNECTED) {
            // A client that came and went before it was taken (ERROR_NO_DATA)
            // holds the instance until it is disconnected.
            DisconnectNamedPipe(relay.server);
            Sleep(20);
            return true;
        }
    }
    {
        std::lock_guard lock(relay.mutex);
        ResetEvent(relay.clientGone.get());
        relay.connected = true;
    }
    // From the client to the browser, whole messages only: a client that
    // ends in the middle of one must not leave half a command in front of
    // the next client's.
    NulFraming framing;
    std::string buffer(kBufferBytes, '\0');
    bool browserRuns = true;
    for (;;) {
        ResetEvent(event.get());
        OVERLAPPED read{};
        read.hEvent = event.get();
        DWORD got = 0;
        if (!ReadFile(relay.server, buffer.data(), kBufferBytes, nullptr, &read) && GetLastError() != ERROR_IO_PENDING)
            break;
        const int which = WaitAny({event.get(), browser, relay.browserGone.get(), relay.clientGone.get()});
        if (which != 0) {
            CancelIoEx(relay.server, &read);
            GetOverlappedResult(relay.server, &read, &got, TRUE);
            browserRuns = which == 3;
            break;
        }
        if (!GetOverlappedResult(relay.server, &read, &got, TRUE) || got == 0) break;
        std::vector<std::string> messages;
        try {
            messages = framing.Add(std::string_view(buffer.data(), got));
        } catch (const AppError&) {
            break;  // a client beyond the cap is dropped; the browser stays
        }
        for (std::string& message : messages) {
            message += '\0';
            if (!WriteAll(relay.toBrowser, message, event.get(), INFINITE)) {
                browserRuns = false;
                break;
            }
        }
        if (!browserRuns) break;
    }
    std::lock_guard lock(relay.mutex);
    relay.connected = false;
    DisconnectNamedPipe(relay.server);
    return browserRuns;
}

HANDLE HandleArgument(const wchar_t*& text) {
    wchar_t* end = nullptr;
    const unsigned long long value = std::wcstoull(text, &end, 16);
    if (end == text) return nullptr;
    text = end;
    return reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(value));
}

// FNV-1a over the path's UTF-16 units, lowered: the same folder, however written.
std::uint64_t PathHash(const std::wstring& path) {
    std::wstring lowered = path;
    if (!lowered.empty()) CharLowerBuffW(lowered.data(), static_cast<DWORD>(lowered.size()));
    std::uint64_t hash = 1469598103934665603ull;
    for (wchar_t unit : lowered) {
        hash ^= static_cast<std::uint16_t>(unit);
        hash *= 1099511628211ull;
    }
    return hash;
}

}  // namespace

std::wstring KeeperPipeName(const std::wstring& profileFolder) {
    wchar_t hash[20] = {};
    std::swprintf(hash, 20, L"%016llx", static_cast<unsigned long long>(PathHash(profileFolder)));
    return std::wstring(kPipePrefix) + CurrentUserSid() + L"-" + hash;
}

std::wstring KeeperProgram() {
    std::wstring path(32768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(length);
    const std::size_t slash = path.find_last_of(L"\\/");
    return path.substr(0, slash == std::wstring::npos ? 0 : slash + 1) + L"rovandel2.exe";
}

int RunBrowserKeeper(std::wstring_view arguments) {
    const std::wstring text(arguments);
    const wchar_t* at = text.c_str();
    UniqueKernelHandle fromBrowser(HandleArgument(at));
    UniqueKernelHandle toBrowser(HandleArgument(at));
    UniqueKernelHandle browser(HandleArgument(at));
    while (*at == L' ') ++at;
    const std::wstring name = at;
    if (!fromBrowser || !toBrowser || !browser || !name.starts_with(kPipePrefix)) return kKeeperBadArguments;

    UserOnlySecurity security;
    // The first instance: a pipe someone else made under this name earlier
    // is no keeper of this browser.
    UniqueFile server(CreateNamedPipeW(name.c_str(),
                                       PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
                                       PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1,
                                       kBufferBytes, kBufferBytes, 0, security.get()));
    if (!server) return kKeeperNoPipe;

    // Shared with the reader, which may still wait on the browser's pipe when
    // this run returns.
    auto relay = std::make_shared<Relay>();
    relay->server = server.release();
    relay->toBrowser = toBrowser.get();
    relay->fromBrowser = fromBrowser.release();
    std::thread up([relay] { RelayFromBrowser(*relay); });
    // It waits nearly all its life: what start-up touched need not stay in memory.
    SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
    while (ServeClient(*relay, browser.get())) {}
    // The browser is gone, and the process ends with this return: the
    // reader's handles go with it.
    up.detach();
    return kKeeperBrowserEnded;
}

UniqueFile ConnectKeeper(const std::wstring& pipeName, HANDLE keeper, DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        UniqueFile pipe(CreateFileW(pipeName.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_OVERLAPPED | SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION, nullptr));
        if (pipe) {
            if (!OwnedByCurrentUser(pipe.get()))
                Raise(kBrowserCannotConnect, std::string(texts::kBrowserCannotConnect));
            return pipe;
        }
        const DWORD error = GetLastError();
        if (keeper == nullptr ? error == ERROR_FILE_NOT_FOUND : WaitForSingleObject(keeper, 0) == WAIT_OBJECT_0) {
            return {};
        }
        if (GetTickCount64() >= end) {
            if (keeper != nullptr) return {};
            Raise(kBrowserCannotConnect, std::string(texts::kBrowserCannotConnect));
        }
        WaitPumping(nullptr, 20);
    }
}

}  // namespace platform
