#include "browser/KeeperRoutes.h"

#include <cstdint>
#include <limits>

namespace platform {

using nlohmann::json;

namespace {

// The browser takes 32-bit command numbers.
constexpr std::int64_t kLastId = std::numeric_limits<std::int32_t>::max();

std::optional<json> ObjectOf(std::string_view message) {
    json parsed = json::parse(message, nullptr, false);
    if (parsed.is_discarded() || !parsed.is_object()) return std::nullopt;
    return parsed;
}

std::string TextAt(const json& object, const char* key) {
    const auto it = object.find(key);
    return it != object.end() && it->is_string() ? it->get<std::string>() : std::string();
}

std::string Dump(const json& message) { return message.dump(-1, ' ', false, json::error_handler_t::replace); }

}  // namespace

std::int64_t KeeperRoutes::NextId() {
    std::int64_t id = 0;
    do {
        id = m_NextId;
        m_NextId = m_NextId == kLastId ? 1 : m_NextId + 1;
    } while (m_Pending.contains(id));
    return id;
}

std::optional<std::string> KeeperRoutes::FromClient(Client client, std::string_view message) {
    std::optional<json> command = ObjectOf(message);
    if (!command) return std::nullopt;
    const auto id = command->find("id");
    if (id == command->end() || !id->is_number_integer()) return std::nullopt;
    const std::int64_t ours = NextId();
    m_Pending.insert_or_assign(ours, Pending{client, *id, TextAt(*command, "method") == "Target.attachToTarget"});
    *id = ours;
    return Dump(*command);
}

std::optional<KeeperRoutes::Delivery> KeeperRoutes::FromBrowser(std::string_view message) {
    std::optional<json> parsed = ObjectOf(message);
    if (!parsed) return std::nullopt;
    if (const auto id = parsed->find("id"); id != parsed->end()) {
        const auto pending = id->is_number_integer() ? m_Pending.find(id->get<std::int64_t>()) : m_Pending.end();
        if (pending == m_Pending.end()) return std::nullopt;
        const Pending to = pending->second;
        m_Pending.erase(pending);
        if (const auto result = parsed->find("result"); to.attaches && result != parsed->end() && result->is_object()) {
            if (std::string page = TextAt(*result, "sessionId"); !page.empty()) m_Pages[page] = to.client;
        }
        *id = to.id;
        return Delivery{to.client, Dump(*parsed)};
    }
    // An event: of a page, or the report that a page was detached, which
    // comes on the browser's own endpoint and names the page's session.
    std::string page = TextAt(*parsed, "sessionId");
    const bool detached = page.empty() && TextAt(*parsed, "method") == "Target.detachedFromTarget";
    if (detached) {
        if (const auto params = parsed->find("params"); params != parsed->end() && params->is_object()) {
            page = TextAt(*params, "sessionId");
        }
    }
    const auto owner = m_Pages.find(page);
    if (page.empty() || owner == m_Pages.end()) return std::nullopt;
    Delivery delivery{owner->second, std::string(message)};
    if (detached) m_Pages.erase(owner);
    return delivery;
}

void KeeperRoutes::Gone(Client client) {
    std::erase_if(m_Pending, [client](const auto& entry) { return entry.second.client == client; });
    std::erase_if(m_Pages, [client](const auto& entry) { return entry.second == client; });
}

}  // namespace platform
