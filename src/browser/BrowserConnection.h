#pragma once
// The browser's whole DevTools connection as one channel (Chromium's
// --remote-debugging-pipe, here through Rovandel2's browser keeper): NUL-ended
// messages, and the page sessions that share the connection, told apart by
// the "sessionId" that Target.attachToTarget (flatten) gave them.
#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "browser/DevToolsSession.h"

namespace platform {

// Cuts a byte stream into its NUL-ended messages. A message that grows beyond
// kMaxMessageBytes raises AppError (kBrowserBadAnswer) and is dropped; the
// stream then is no connection the program can work with.
class NulFraming {
public:
    // The messages that `bytes` completes, in order; a part of one is kept
    // for the next call.
    std::vector<std::string> Add(std::string_view bytes);
    // Bytes of a message not yet ended.
    bool Partial() const { return m_Partial; }

private:
    MessageAssembly m_Assembly;
    bool m_Partial = false;
};

// One connection to the browser, shared by the browser's own endpoint and its
// attached pages. Each message that arrives goes to the channel of its
// session; messages of a session nobody holds a channel for are dropped.
class DevToolsRouter : public std::enable_shared_from_this<DevToolsRouter> {
public:
    static std::shared_ptr<DevToolsRouter> Over(std::unique_ptr<IDevToolsChannel> connection);

    // The browser's endpoint (messages without a session).
    std::unique_ptr<IDevToolsChannel> BrowserChannel();
    // A page attached with flatten: its commands carry the session id, and it
    // sees only its own messages. Once the browser reports the session
    // detached (the page closed), the channel counts as closed.
    std::unique_ptr<IDevToolsChannel> SessionChannel(const std::string& sessionId);

    class Channel;

private:
    explicit DevToolsRouter(std::unique_ptr<IDevToolsChannel> connection) : m_Connection(std::move(connection)) {}

    struct Queue {
        std::vector<std::string> messages;  // taken from the front
        std::size_t next = 0;
        std::size_t bytes = 0;
        bool detached = false;
        bool overflowed = false;
        int holders = 0;
    };
    void Send(const std::string& sessionId, std::string_view message);
    std::optional<std::string> Receive(const std::string& sessionId, int timeoutMs);
    void Route(std::string message);
    void Open(const std::string& sessionId);
    void Close(const std::string& sessionId);

    std::unique_ptr<IDevToolsChannel> m_Connection;
    std::map<std::string, Queue> m_Queues;
};

}  // namespace platform
