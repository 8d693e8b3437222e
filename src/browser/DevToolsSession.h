#pragma once
// One connection to a page of a Chromium-family browser, speaking the
// DevTools protocol: JSON commands {"id", "method", "params"} whose replies
// carry the same id; every other message is an event and is dropped.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <map>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace platform {

// The numbers of the browser's faults, as WinHTTP numbers them.
inline constexpr std::int32_t kBrowserTimeout = 12002;  // ERROR_WINHTTP_TIMEOUT
inline constexpr std::int32_t kBrowserCannotConnect = 12029;  // ERROR_WINHTTP_CANNOT_CONNECT
inline constexpr std::int32_t kBrowserConnectionLost = 12030;  // ERROR_WINHTTP_CONNECTION_ERROR
inline constexpr std::int32_t kBrowserBadAnswer = 12152;  // ERROR_WINHTTP_INVALID_SERVER_RESPONSE

// The longest message taken from a browser. A reply of the run is a few
// kilobytes; an endpoint that sends more (a stale port now held by another
// program, a message without end) is cut off here instead of filling memory.
inline constexpr std::size_t kMaxMessageBytes = 8u << 20;

// A message that arrives in pieces (WebSocket fragments, buffer loads).
class MessageAssembly {
public:
    // The whole message once `last` is set, else nothing. Raises AppError
    // (kBrowserBadAnswer) as soon as it grows beyond kMaxMessageBytes; what
    // came of it is dropped.
    std::optional<std::string> Add(std::string_view piece, bool last);

private:
    std::string m_Message;
};

// Text messages over a WebSocket (or a test's script).
class IDevToolsChannel {
public:
    virtual ~IDevToolsChannel() = default;
    // Raises AppError when the connection is gone.
    virtual void Send(std::string_view message) = 0;
    // The next message that came, waiting up to `timeoutMs` for one (0: only
    // what is there already); nothing when none came in that time. Raises
    // AppError once the connection is closed and every message was taken.
    virtual std::optional<std::string> Receive(int timeoutMs) = 0;
};

class DevToolsSession {
public:
    static constexpr int kCallTimeoutMs = 10000;

    // Commands are numbered from `firstId`: over a connection that an earlier
    // client used, a late reply to one of its commands must not pass for the
    // reply to one of this session's.
    explicit DevToolsSession(std::unique_ptr<IDevToolsChannel> channel, std::int64_t firstId = 1);

    // Sends the command and waits for its reply; its "result". Raises
    // AppError when the browser rejects the command, gives no reply in
    // time, or the connection breaks.
    nlohmann::json Call(std::string_view method, const nlohmann::json& params = nlohmann::json::object(),
                        int timeoutMs = kCallTimeoutMs);
    // Sends the command without waiting; the reply is kept for Poll.
    std::int64_t Post(std::string_view method, const nlohmann::json& params = nlohmann::json::object());
    // The result of a posted command once its reply has come, without
    // waiting; raises as Call does when it was rejected.
    std::optional<nlohmann::json> Poll(std::int64_t id);
    // The reply of a posted command is not wanted.
    void Forget(std::int64_t id);

private:
    // Takes one message (waiting up to timeoutMs); false when none came.
    bool TakeMessage(int timeoutMs);
    nlohmann::json ResultOf(std::int64_t id, nlohmann::json reply);

    std::unique_ptr<IDevToolsChannel> m_Channel;
    std::int64_t m_NextId = 1;
    std::map<std::int64_t, std::string> m_Pending;  // id -> method, for the messages
    std::map<std::int64_t, nlohmann::json> m_Replies;
    std::set<std::int64_t> m_Forgotten;
};

}  // namespace platform
