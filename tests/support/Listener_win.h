#pragma once
// Endpoints on 127.0.0.1 that are no browser, for the tests of the DevTools
// connection: whatever listens on a port that a stale DevToolsActivePort
// names.
#include <winsock2.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace support {

// Serves one connection until `stop` is set.
using Serve = std::function<void(SOCKET client, const std::atomic<bool>& stop)>;

// Listens on a free port; every connection is handed to `serve` on a thread
// of its own and closed when the listener goes.
class Listener {
public:
    explicit Listener(Serve serve);
    ~Listener();
    Listener(const Listener&) = delete;
    Listener& operator=(const Listener&) = delete;

    std::uint16_t Port() const { return m_Port; }

private:
    Serve m_Serve;
    SOCKET m_Socket = INVALID_SOCKET;
    std::uint16_t m_Port = 0;
    std::atomic<bool> m_Stop{false};
    std::mutex m_Mutex;
    std::vector<SOCKET> m_Clients;
    std::vector<std::thread> m_Threads;
    std::thread m_Acceptor;
};

// A program that took over a stale DevTools port: it takes the connection
// and never answers.
void ServeSilently(SOCKET client, const std::atomic<bool>& stop);

}  // namespace support
