#pragma once
// The DevTools connection over Windows' own WebSocket client in WinHTTP, to
// a browser on this machine. A reader thread takes the messages as they
// come, so that the window thread waits only when it wants an answer.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <thread>

#include <windows.h>
#include <winhttp.h>

#include "browser/DevToolsSession.h"
#include "platform/Handles_win.h"

namespace platform {

// WinHTTP's sessions, connections, requests and WebSockets, closed through
// the WinHTTP loaded on first use.
void CloseInternet(HINTERNET handle) noexcept;
using UniqueInternet = UniqueHandle<NullTraits<HINTERNET, CloseInternet>>;

// A plain HTTP GET to 127.0.0.1:port (the DevTools endpoints /json/...):
// the body. Raises AppError when nothing answers or the status is not 200.
std::string LocalHttpGet(std::uint16_t port, std::string_view path, int timeoutMs);

class WebSocketChannel : public IDevToolsChannel {
public:
    // Connects to ws://127.0.0.1:port + path; raises AppError when it cannot.
    WebSocketChannel(std::uint16_t port, std::string_view path);
    ~WebSocketChannel() override;
    WebSocketChannel(const WebSocketChannel&) = delete;
    WebSocketChannel& operator=(const WebSocketChannel&) = delete;

    void Send(std::string_view message) override;
    std::optional<std::string> Receive(int timeoutMs) override;

    struct Shared;

private:
    UniqueInternet m_Session;
    UniqueInternet m_Connection;
    std::shared_ptr<Shared> m_Shared;
    std::thread m_Reader;
};

}  // namespace platform
