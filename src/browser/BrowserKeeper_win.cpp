#include "browser/BrowserKeeper_win.h"

#include <cstdint>
#include <cwchar>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "base/AppError.h"
#include "base/UiTexts.h"
#include "browser/BrowserConnection.h"
#include "browser/KeeperRoutes.h"
#include "browser/PipeChannel_win.h"
#include "platform/MessagePump_win.h"
#include "platform/UserSecurity_win.h"

namespace platform {

namespace {

constexpr std::wstring_view kPipePrefix = L"\\\\.\\pipe\\Rovandel2-Browser-";
constexpr DWORD kBufferBytes = 64 * 1024;
constexpr DWORD kPipeMode = PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS;
// A client that takes nothing for this long is treated as gone.
constexpr DWORD kClientWriteTimeoutMs = 10000;
// Clients served at once; the next one waits for a place (ConnectKeeper).
constexpr DWORD kMaxClients = 8;
// A run of Rovandel2 sends its first command as soon as it has connected. A
// client that has sent no whole message by then holds no place any longer.
constexpr DWORD kFirstMessageMs = 3000;

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

UniqueKernelHandle NewEvent(BOOL manualReset = TRUE) {
    return UniqueKernelHandle(CreateEventW(nullptr, manualReset, FALSE, nullptr));
}

// One client on its instance of the keeper's pipe.
struct Connection {
    KeeperRoutes::Client id = 0;
    UniqueFile pipe;
    UniqueKernelHandle stop = NewEvent();  // the browser's side has given up on it
};

// What the browser's side and every client share.
struct Relay {
    HANDLE toBrowser = nullptr;
    HANDLE fromBrowser = nullptr;
    std::mutex mutex;  // the routes and the clients
    KeeperRoutes routes;
    std::map<KeeperRoutes::Client, std::shared_ptr<Connection>> clients;
    std::mutex toBrowserMutex;  // one whole message at a time
    UniqueKernelHandle browserGone = NewEvent();
    UniqueKernelHandle placeFree = NewEvent(FALSE);
};

// Waits for one of the handles; its index, or -1 when the time ran out or the wait failed.
int WaitAny(std::initializer_list<HANDLE> handles, DWORD timeoutMs = INFINITE) {
    const std::vector<HANDLE> list(handles);
    const DWORD result = WaitForMultipleObjects(static_cast<DWORD>(list.size()), list.data(), FALSE, timeoutMs);
    if (result >= WAIT_OBJECT_0 + list.size()) return -1;
    return static_cast<int>(result - WAIT_OBJECT_0);
}

// From the browser to the client whose message it is; what belongs to none is dropped.
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
        for (const std::string& message : messages) {
            std::shared_ptr<Connection> to;
            std::string text;
            {
                std::lock_guard lock(relay.mutex);
                std::optional<KeeperRoutes::Delivery> delivery = relay.routes.FromBrowser(message);
                const auto client = delivery ? relay.clients.find(delivery->client) : relay.clients.end();
                if (client == relay.clients.end()) continue;
                to = client->second;
                text = std::move(delivery->message);
            }
            text += '\0';
            if (!WriteAll(to->pipe.get(), text, writeEvent.get(), kClientWriteTimeoutMs)) SetEvent(to->stop.get());
        }
    }
    SetEvent(relay.browserGone.get());
}

// The client's whole messages to the browser under the keeper's numbers.
// False when one is no command, or the browser takes nothing more.
bool Forward(Relay& relay, KeeperRoutes::Client client, const std::vector<std::string>& messages, HANDLE event) {
    for (const std::string& message : messages) {
        std::optional<std::string> routed;
        {
            std::lock_guard lock(relay.mutex);
            routed = relay.routes.FromClient(client, message);
        }
        if (!routed) return false;
        *routed += '\0';
        std::lock_guard lock(relay.toBrowserMutex);
        if (!WriteAll(relay.toBrowser, *routed, event, INFINITE)) return false;
    }
    return true;
}

// One client, from its connection to its end, on a thread of its own. A
// client that ends in the middle of a message leaves nothing of it.
void ServeClient(const std::shared_ptr<Relay>& relay, const std::shared_ptr<Connection>& connection) {
    NulFraming framing;
    std::string buffer(kBufferBytes, '\0');
    UniqueKernelHandle readEvent = NewEvent();
    UniqueKernelHandle writeEvent = NewEvent();
    const ULONGLONG firstBy = GetTickCount64() + kFirstMessageMs;
    bool heard = false;
    for (;;) {
        const ULONGLONG now = GetTickCount64();
        const DWORD timeout = heard ? INFINITE : static_cast<DWORD>(firstBy > now ? firstBy - now : 0);
        const std::optional<DWORD> got = PipeTransfer(connection->pipe.get(), false, buffer.data(), kBufferBytes,
                                                      readEvent.get(), timeout, false, nullptr, connection->stop.get());
        if (!got || *got == 0) break;
        std::vector<std::string> messages;
        try {
            messages = framing.Add(std::string_view(buffer.data(), *got));
        } catch (const AppError&) {
            break;  // a client beyond the cap is dropped; the browser stays
        }
        if (!Forward(*relay, connection->id, messages, writeEvent.get())) break;
        heard = heard || !messages.empty();
    }
    {
        std::lock_guard lock(relay->mutex);
        relay->routes.Gone(connection->id);
        relay->clients.erase(connection->id);
    }
    SetEvent(relay->placeFree.get());
}

// Takes clients as they come, each on its own instance of the pipe, until the browser ends.
void AcceptClients(const std::shared_ptr<Relay>& relay, HANDLE browser, UniqueFile instance, const std::wstring& name,
                   SECURITY_ATTRIBUTES* security) {
    UniqueKernelHandle event = NewEvent();
    KeeperRoutes::Client next = 1;
    for (;;) {
        if (!instance) {
            instance.reset(CreateNamedPipeW(name.c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED, kPipeMode,
                                            kMaxClients, kBufferBytes, kBufferBytes, 0, security));
            if (!instance) {
                // Every place is taken: until one is free, a client finds the pipe busy.
                if (WaitAny({relay->placeFree.get(), browser, relay->browserGone.get()}, 500) > 0) return;
                continue;
            }
        }
        ResetEvent(event.get());
        OVERLAPPED overlapped{};
        overlapped.hEvent = event.get();
        if (!ConnectNamedPipe(instance.get(), &overlapped)) {
            const DWORD error = GetLastError();
            if (error == ERROR_IO_PENDING) {
                if (WaitAny({event.get(), browser, relay->browserGone.get()}) != 0) return;
            } else if (error != ERROR_PIPE_CONNECTED) {
                // A client that came and went before it was taken (ERROR_NO_DATA)
                // holds the instance until it is disconnected.
                DisconnectNamedPipe(instance.get());
                Sleep(20);
                continue;
            }
        }
        auto connection = std::make_shared<Connection>();
        connection->id = next++;
        connection->pipe = std::move(instance);
        {
            std::lock_guard lock(relay->mutex);
            relay->clients[connection->id] = connection;
        }
        std::thread([relay, connection] { ServeClient(relay, connection); }).detach();
    }
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
    UniqueFile first(CreateNamedPipeW(name.c_str(),
                                      PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
                                      kPipeMode, kMaxClients, kBufferBytes, kBufferBytes, 0, security.get()));
    if (!first) return kKeeperNoPipe;

    // Shared with the threads, which may still wait on their pipes when this
    // run returns: the process ends with it, and their handles go with it.
    auto relay = std::make_shared<Relay>();
    relay->toBrowser = toBrowser.release();
    relay->fromBrowser = fromBrowser.release();
    std::thread([relay] { RelayFromBrowser(*relay); }).detach();
    // It waits nearly all its life: what start-up touched need not stay in memory.
    SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
    AcceptClients(relay, browser.get(), std::move(first), name, security.get());
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
            if (error == ERROR_PIPE_BUSY) Raise(ERROR_PIPE_BUSY, std::string(texts::kBrowserKeeperBusy));
            Raise(kBrowserCannotConnect, std::string(texts::kBrowserCannotConnect));
        }
        WaitPumping(nullptr, 20);
    }
}

}  // namespace platform
