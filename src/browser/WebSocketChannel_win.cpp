#include "browser/WebSocketChannel_win.h"

#include <chrono>
#include <optional>

#include "base/AppError.h"
#include "base/UiTexts.h"
#include "browser/MessageInbox_win.h"
#include "platform/MessagePump_win.h"
#include "platform/SystemLibrary_win.h"
#include "platform/WinText_win.h"

namespace platform {

namespace {

// WinHTTP is loaded when a browser is first reached over a port, not at
// every start of the program: a Windows browser is driven over its pipe.
template <class F>
F Entry(const char* name) {
    return SystemEntry<F>(L"winhttp.dll", name);
}

struct WinHttpApi {
    decltype(&WinHttpCloseHandle) CloseHandle = Entry<decltype(&WinHttpCloseHandle)>("WinHttpCloseHandle");
    decltype(&WinHttpConnect) Connect = Entry<decltype(&WinHttpConnect)>("WinHttpConnect");
    decltype(&WinHttpOpen) Open = Entry<decltype(&WinHttpOpen)>("WinHttpOpen");
    decltype(&WinHttpOpenRequest) OpenRequest = Entry<decltype(&WinHttpOpenRequest)>("WinHttpOpenRequest");
    decltype(&WinHttpQueryHeaders) QueryHeaders = Entry<decltype(&WinHttpQueryHeaders)>("WinHttpQueryHeaders");
    decltype(&WinHttpReadData) ReadData = Entry<decltype(&WinHttpReadData)>("WinHttpReadData");
    decltype(&WinHttpReceiveResponse) ReceiveResponse =
        Entry<decltype(&WinHttpReceiveResponse)>("WinHttpReceiveResponse");
    decltype(&WinHttpSendRequest) SendRequest = Entry<decltype(&WinHttpSendRequest)>("WinHttpSendRequest");
    decltype(&WinHttpSetOption) SetOption = Entry<decltype(&WinHttpSetOption)>("WinHttpSetOption");
    decltype(&WinHttpSetTimeouts) SetTimeouts = Entry<decltype(&WinHttpSetTimeouts)>("WinHttpSetTimeouts");
    decltype(&WinHttpWebSocketCompleteUpgrade) WebSocketCompleteUpgrade =
        Entry<decltype(&WinHttpWebSocketCompleteUpgrade)>("WinHttpWebSocketCompleteUpgrade");
    decltype(&WinHttpWebSocketReceive) WebSocketReceive =
        Entry<decltype(&WinHttpWebSocketReceive)>("WinHttpWebSocketReceive");
    decltype(&WinHttpWebSocketSend) WebSocketSend = Entry<decltype(&WinHttpWebSocketSend)>("WinHttpWebSocketSend");
    decltype(&WinHttpWebSocketShutdown) WebSocketShutdown =
        Entry<decltype(&WinHttpWebSocketShutdown)>("WinHttpWebSocketShutdown");
};

// Raises AppError when the system lacks WinHTTP; the next call tries again.
const WinHttpApi& Http() {
    static const WinHttpApi api;
    return api;
}

}  // namespace

void CloseInternet(HINTERNET handle) noexcept {
    try {
        Http().CloseHandle(handle);
    } catch (...) {
        // without WinHTTP no handle of it was ever made
    }
}

struct WebSocketChannel::Shared {
    MessageInbox inbox;
    UniqueInternet socket;
};

namespace {

constexpr int kConnectTimeoutMs = 5000;

[[noreturn]] void RaiseCannotConnect(DWORD error) {
    Raise(error == ERROR_WINHTTP_TIMEOUT ? kBrowserTimeout : kBrowserCannotConnect,
          std::string(texts::kBrowserCannotConnect));
}

UniqueInternet OpenSession(int timeoutMs) {
    UniqueInternet session(
        Http().Open(L"Rovandel2", WINHTTP_ACCESS_TYPE_NO_PROXY, WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
    if (!session) RaiseCannotConnect(GetLastError());
    Http().SetTimeouts(session.get(), timeoutMs, timeoutMs, timeoutMs, timeoutMs);
    return session;
}

UniqueInternet Connect(HINTERNET session, std::uint16_t port) {
    // The DevTools server listens on IPv4 only: not "localhost".
    UniqueInternet connection(Http().Connect(session, L"127.0.0.1", port, 0));
    if (!connection) RaiseCannotConnect(GetLastError());
    return connection;
}

// Sends a GET (no Origin header: the browser refuses foreign origins) and
// waits for the answer's head; `upgrade` asks for a WebSocket.
UniqueInternet Request(HINTERNET connection, std::string_view path, bool upgrade, int timeoutMs) {
    UniqueInternet request(Http().OpenRequest(connection, L"GET", Widen(path).c_str(), nullptr, WINHTTP_NO_REFERER,
                                              WINHTTP_DEFAULT_ACCEPT_TYPES, 0));
    if (!request) RaiseCannotConnect(GetLastError());
    // The wait for the answer's head has a limit of its own, apart from the
    // session's; without it Wine waits for a silent port for ever.
    DWORD responseTimeout = static_cast<DWORD>(timeoutMs);
    Http().SetOption(request.get(), WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &responseTimeout, sizeof responseTimeout);
    if (upgrade && !Http().SetOption(request.get(), WINHTTP_OPTION_UPGRADE_TO_WEB_SOCKET, nullptr, 0)) {
        RaiseCannotConnect(GetLastError());
    }
    if (!Http().SendRequest(request.get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0, 0) ||
        !Http().ReceiveResponse(request.get(), nullptr)) {
        RaiseCannotConnect(GetLastError());
    }
    DWORD status = 0;
    DWORD size = sizeof status;
    if (!Http().QueryHeaders(request.get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                             WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX) ||
        status != (upgrade ? 101u : 200u)) {
        Raise(kBrowserBadAnswer, std::string(texts::kBrowserBadAnswer));
    }
    return request;
}

// Takes whole messages until the connection closes. A message beyond the
// cap, or more unread messages than the cap holds, end the connection: the
// endpoint is no browser the program can work with.
void ReadMessages(const std::shared_ptr<WebSocketChannel::Shared>& shared, HINTERNET socket) {
    MessageAssembly assembly;
    std::string buffer(64 * 1024, '\0');
    std::optional<AppError> failure;
    for (;;) {
        DWORD got = 0;
        WINHTTP_WEB_SOCKET_BUFFER_TYPE type{};
        const DWORD error =
            Http().WebSocketReceive(socket, buffer.data(), static_cast<DWORD>(buffer.size()), &got, &type);
        if (error != ERROR_SUCCESS || type == WINHTTP_WEB_SOCKET_CLOSE_BUFFER_TYPE) break;
        const bool last = type == WINHTTP_WEB_SOCKET_UTF8_MESSAGE_BUFFER_TYPE ||
                          type == WINHTTP_WEB_SOCKET_BINARY_MESSAGE_BUFFER_TYPE;
        try {
            if (std::optional<std::string> message = assembly.Add(std::string_view(buffer.data(), got), last)) {
                shared->inbox.Add(std::move(*message));
            }
        } catch (const AppError& e) {
            failure = e;
            break;
        }
    }
    shared->inbox.End(std::move(failure));
}

}  // namespace

std::string LocalHttpGet(std::uint16_t port, std::string_view path, int timeoutMs) {
    // WinHTTP's time limits bound each step; the window answers meanwhile.
    return RunPumping([&] {
        UniqueInternet session = OpenSession(timeoutMs);
        UniqueInternet connection = Connect(session.get(), port);
        UniqueInternet request = Request(connection.get(), path, false, timeoutMs);
        std::string body;
        char buffer[8192];
        for (;;) {
            DWORD got = 0;
            if (!Http().ReadData(request.get(), buffer, sizeof buffer, &got)) RaiseCannotConnect(GetLastError());
            if (got == 0) break;
            if (got > kMaxMessageBytes - body.size())
                Raise(kBrowserBadAnswer, std::string(texts::kBrowserMessageTooLong));
            body.append(buffer, got);
        }
        return body;
    });
}

WebSocketChannel::WebSocketChannel(std::uint16_t port, std::string_view path)
    : m_Session(OpenSession(kConnectTimeoutMs)),
      m_Connection(Connect(m_Session.get(), port)),
      m_Shared(std::make_shared<Shared>()) {
    // Connecting and the upgrade wait for the other side within WinHTTP's
    // time limits; the window answers meanwhile.
    m_Shared->socket.reset(RunPumping([&] {
        UniqueInternet request = Request(m_Connection.get(), path, true, kConnectTimeoutMs);
        HINTERNET socket = Http().WebSocketCompleteUpgrade(request.get(), 0);
        if (socket == nullptr) RaiseCannotConnect(GetLastError());
        return socket;
    }));
    // The socket waits for messages as long as the page lives: no receive timeout.
    Http().SetTimeouts(m_Shared->socket.get(), kConnectTimeoutMs, kConnectTimeoutMs, kConnectTimeoutMs, 0);
    m_Reader = std::thread([shared = m_Shared, socket = m_Shared->socket.get()] { ReadMessages(shared, socket); });
}

WebSocketChannel::~WebSocketChannel() {
    // A close frame ends the reader when the browser answers it; closing
    // the socket handle cancels a receive that still waits.
    Http().WebSocketShutdown(m_Shared->socket.get(), WINHTTP_WEB_SOCKET_SUCCESS_CLOSE_STATUS, nullptr, 0);
    if (!m_Shared->inbox.WaitEnded(1000)) {
        Http().CloseHandle(m_Shared->socket.release());
        if (!m_Shared->inbox.WaitEnded(1000)) {
            // It holds only the shared state: let it end on its own.
            m_Reader.detach();
            return;
        }
    }
    m_Reader.join();
}

void WebSocketChannel::Send(std::string_view message) {
    {
        if (m_Shared->inbox.Ended()) RaiseConnectionLost();
    }
    const DWORD error = Http().WebSocketSend(m_Shared->socket.get(), WINHTTP_WEB_SOCKET_UTF8_MESSAGE_BUFFER_TYPE,
                                             const_cast<char*>(message.data()), static_cast<DWORD>(message.size()));
    if (error != ERROR_SUCCESS) RaiseConnectionLost();
}

std::optional<std::string> WebSocketChannel::Receive(int timeoutMs) { return m_Shared->inbox.Take(timeoutMs); }

}  // namespace platform
