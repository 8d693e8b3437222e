#include "browser/BrowserConnection.h"

#include <chrono>

#include <nlohmann/json.hpp>

#include "base/AppError.h"
#include "base/UiTexts.h"

namespace platform {

using nlohmann::json;

std::vector<std::string> NulFraming::Add(std::string_view bytes) {
    std::vector<std::string> messages;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\0');
        const bool last = end != std::string_view::npos;
        const std::string_view piece = bytes.substr(0, last ? end : bytes.size());
        std::optional<std::string> message;
        try {
            message = m_Assembly.Add(piece, last);
        } catch (const AppError&) {
            m_Partial = false;
            throw;
        }
        m_Partial = !last;
        if (message) messages.push_back(std::move(*message));
        bytes.remove_prefix(last ? end + 1 : bytes.size());
    }
    return messages;
}

class DevToolsRouter::Channel : public IDevToolsChannel {
public:
    Channel(std::shared_ptr<DevToolsRouter> router, std::string sessionId)
        : m_Router(std::move(router)), m_SessionId(std::move(sessionId)) {
        m_Router->Open(m_SessionId);
    }
    ~Channel() override { m_Router->Close(m_SessionId); }
    Channel(const Channel&) = delete;
    Channel& operator=(const Channel&) = delete;

    void Send(std::string_view message) override { m_Router->Send(m_SessionId, message); }
    std::optional<std::string> Receive(int timeoutMs) override { return m_Router->Receive(m_SessionId, timeoutMs); }

private:
    std::shared_ptr<DevToolsRouter> m_Router;
    std::string m_SessionId;
};

std::shared_ptr<DevToolsRouter> DevToolsRouter::Over(std::unique_ptr<IDevToolsChannel> connection) {
    return std::shared_ptr<DevToolsRouter>(new DevToolsRouter(std::move(connection)));
}

std::unique_ptr<IDevToolsChannel> DevToolsRouter::BrowserChannel() {
    return std::make_unique<Channel>(shared_from_this(), std::string());
}

std::unique_ptr<IDevToolsChannel> DevToolsRouter::SessionChannel(const std::string& sessionId) {
    if (sessionId.empty()) Raise(kBrowserBadAnswer, std::string(texts::kBrowserBadAnswer));
    return std::make_unique<Channel>(shared_from_this(), sessionId);
}

void DevToolsRouter::Open(const std::string& sessionId) { ++m_Queues[sessionId].holders; }

void DevToolsRouter::Close(const std::string& sessionId) {
    const auto it = m_Queues.find(sessionId);
    if (it != m_Queues.end() && --it->second.holders <= 0) m_Queues.erase(it);
}

void DevToolsRouter::Send(const std::string& sessionId, std::string_view message) {
    if (const auto it = m_Queues.find(sessionId); it != m_Queues.end() && it->second.detached) {
        Raise(kBrowserConnectionLost, std::string(texts::kBrowserConnectionLost));
    }
    if (sessionId.empty()) return m_Connection->Send(message);
    // DevToolsSession writes one JSON object; the session id joins it as its
    // last member, so the rest goes to the browser byte for byte.
    if (message.size() < 2 || message.front() != '{' || message.back() != '}') {
        Raise(ErrorNumber::NotSupported, std::string(texts::kBrowserBadAnswer));
    }
    std::string routed(message.substr(0, message.size() - 1));
    routed += message.size() > 2 ? ",\"sessionId\":" : "\"sessionId\":";
    routed += json(sessionId).dump();
    routed += '}';
    m_Connection->Send(routed);
}

void DevToolsRouter::Route(std::string message) {
    const json parsed = json::parse(message, nullptr, false);
    if (parsed.is_discarded() || !parsed.is_object()) {
        Raise(kBrowserBadAnswer, std::string(texts::kBrowserBadAnswer));
    }
    std::string sessionId;
    if (const auto id = parsed.find("sessionId"); id != parsed.end() && id->is_string()) sessionId = *id;
    // The page's session ends with its page; waiting for its replies would
    // only run into the time limit.
    if (sessionId.empty() && parsed.value("method", std::string()) == "Target.detachedFromTarget") {
        const auto params = parsed.find("params");
        if (params != parsed.end() && params->is_object()) {
            const auto detached = params->find("sessionId");
            if (detached != params->end() && detached->is_string()) {
                if (const auto it = m_Queues.find(*detached); it != m_Queues.end()) it->second.detached = true;
            }
        }
    }
    const auto it = m_Queues.find(sessionId);
    if (it == m_Queues.end()) return;
    Queue& queue = it->second;
    if (queue.overflowed) return;
    // A holder that does not read (the browser's endpoint once the page is
    // attached) may not fill memory with what it never takes.
    if (message.size() > kMaxMessageBytes - queue.bytes) {
        queue.messages.clear();
        queue.next = 0;
        queue.bytes = 0;
        queue.overflowed = true;
        return;
    }
    queue.bytes += message.size();
    queue.messages.push_back(std::move(message));
}

std::optional<std::string> DevToolsRouter::Receive(const std::string& sessionId, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs);
    for (;;) {
        Queue& queue = m_Queues[sessionId];
        if (queue.overflowed) Raise(kBrowserBadAnswer, std::string(texts::kBrowserMessageTooLong));
        if (queue.next < queue.messages.size()) {
            std::string message = std::move(queue.messages[queue.next++]);
            queue.bytes -= message.size();
            if (queue.next == queue.messages.size()) {
                queue.messages.clear();
                queue.next = 0;
            }
            return message;
        }
        if (queue.detached) Raise(kBrowserConnectionLost, std::string(texts::kBrowserConnectionLost));
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        std::optional<std::string> message =
            m_Connection->Receive(left.count() > 0 ? static_cast<int>(left.count()) : 0);
        if (!message) return std::nullopt;
        Route(std::move(*message));
    }
}

}  // namespace platform
