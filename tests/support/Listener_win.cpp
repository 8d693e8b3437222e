#include "support/Listener_win.h"

#include <windows.h>

namespace support {

Listener::Listener(Serve serve) : m_Serve(std::move(serve)) {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    m_Socket = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof address;
    bind(m_Socket, reinterpret_cast<sockaddr*>(&address), sizeof address);
    listen(m_Socket, 8);
    getsockname(m_Socket, reinterpret_cast<sockaddr*>(&address), &length);
    m_Port = ntohs(address.sin_port);
    m_Acceptor = std::thread([this] {
        for (;;) {
            const SOCKET client = accept(m_Socket, nullptr, nullptr);
            if (client == INVALID_SOCKET) return;
            std::lock_guard lock(m_Mutex);
            m_Clients.push_back(client);
            m_Threads.emplace_back([this, client] { m_Serve(client, m_Stop); });
        }
    });
}

Listener::~Listener() {
    m_Stop = true;
    closesocket(m_Socket);
    m_Acceptor.join();
    for (SOCKET client : m_Clients) shutdown(client, SD_BOTH);
    for (std::thread& thread : m_Threads) thread.join();
    for (SOCKET client : m_Clients) closesocket(client);
    WSACleanup();
}

void ServeSilently(SOCKET, const std::atomic<bool>& stop) {
    while (!stop) Sleep(20);
}

}  // namespace support
