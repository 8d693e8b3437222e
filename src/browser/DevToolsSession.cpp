#include "browser/DevToolsSession.h"

#include <chrono>

#include "base/AppError.h"
#include "base/UiTexts.h"

namespace platform {

using nlohmann::json;

std::optional<std::string> MessageAssembly::Add(std::string_view piece, bool last) {
    if (piece.size() > kMaxMessageBytes - m_Message.size()) {
        std::string().swap(m_Message);
        Raise(kBrowserBadAnswer, std::string(texts::kBrowserMessageTooLong));
    }
    m_Message.append(piece);
    if (!last) return std::nullopt;
    std::string message = std::move(m_Message);
    m_Message.clear();
    return message;
}

DevToolsSession::DevToolsSession(std::unique_ptr<IDevToolsChannel> channel, std::int64_t firstId)
    : m_Channel(std::move(channel)), m_NextId(firstId) {}

std::int64_t DevToolsSession::Post(std::string_view method, const json& params) {
    const std::int64_t id = m_NextId++;
    const json message = {{"id", id}, {"method", method}, {"params", params}};
    // Texts are UTF-8 inside; a stray byte goes as U+FFFD instead of failing.
    m_Channel->Send(message.dump(-1, ' ', false, json::error_handler_t::replace));
    m_Pending.emplace(id, std::string(method));
    return id;
}

bool DevToolsSession::TakeMessage(int timeoutMs) {
    std::optional<std::string> text = m_Channel->Receive(timeoutMs);
    if (!text) return false;
    json message = json::parse(*text, nullptr, false);
    if (message.is_discarded() || !message.is_object()) {
        Raise(kBrowserBadAnswer, std::string(texts::kBrowserBadAnswer));
    }
    const auto id = message.find("id");
    if (id == message.end() || !id->is_number_integer()) return true;  // an event
    const std::int64_t number = id->get<std::int64_t>();
    if (m_Forgotten.erase(number) > 0) {
        m_Pending.erase(number);
        return true;
    }
    m_Replies.insert_or_assign(number, std::move(message));
    return true;
}

json DevToolsSession::ResultOf(std::int64_t id, json reply) {
    const std::string method = m_Pending[id];
    m_Pending.erase(id);
    if (const auto error = reply.find("error"); error != reply.end()) {
        std::int32_t code = 0;
        std::string message;
        if (error->is_object()) {
            if (const auto c = error->find("code"); c != error->end() && c->is_number_integer()) {
                code = c->get<std::int32_t>();
            }
            if (const auto m = error->find("message"); m != error->end() && m->is_string())
                message = m->get<std::string>();
        }
        Raise(code, std::string(texts::kBrowserRejected1) + method + std::string(texts::kBrowserRejected2) + message);
    }
    const auto result = reply.find("result");
    return result != reply.end() ? std::move(*result) : json::object();
}

json DevToolsSession::Call(std::string_view method, const json& params, int timeoutMs) {
    const std::int64_t id = Post(method, params);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (auto it = m_Replies.find(id); it != m_Replies.end()) {
            json reply = std::move(it->second);
            m_Replies.erase(it);
            return ResultOf(id, std::move(reply));
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || !TakeMessage(static_cast<int>(left.count()))) {
            Forget(id);
            Raise(kBrowserTimeout, std::string(texts::kBrowserTimeout));
        }
    }
}

std::optional<json> DevToolsSession::Poll(std::int64_t id) {
    while (m_Replies.find(id) == m_Replies.end()) {
        if (!TakeMessage(0)) return std::nullopt;
    }
    auto it = m_Replies.find(id);
    json reply = std::move(it->second);
    m_Replies.erase(it);
    return ResultOf(id, std::move(reply));
}

void DevToolsSession::Forget(std::int64_t id) {
    if (m_Replies.erase(id) > 0 || m_Pending.find(id) == m_Pending.end()) {
        m_Pending.erase(id);
        return;
    }
    m_Forgotten.insert(id);
}

}  // namespace platform
