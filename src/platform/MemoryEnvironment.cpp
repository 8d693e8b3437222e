#include "platform/MemoryEnvironment.h"

#include "base/Ascii.h"

namespace platform {

void MemoryEnvironment::Set(std::string_view name, std::string value) {
    m_Variables[ascii::Lower(name)] = std::move(value);
}

// A reference whose name is not set is copied whole and the text goes on
// after its closing percent sign; a percent sign without a partner stays.
std::string MemoryEnvironment::Expand(std::string_view text) {
    std::string out;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t open = text.find('%', pos);
        const std::size_t close = open == std::string_view::npos ? open : text.find('%', open + 1);
        if (close == std::string_view::npos) {
            out += text.substr(pos);
            break;
        }
        out += text.substr(pos, open - pos);
        const auto value = m_Variables.find(ascii::Lower(text.substr(open + 1, close - open - 1)));
        out += value != m_Variables.end() ? std::string_view(value->second) : text.substr(open, close - open + 1);
        pos = close + 1;
    }
    return out;
}

}  // namespace platform
