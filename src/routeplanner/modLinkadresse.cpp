#include "routeplanner/modLinkadresse.h"

#include "base/Ascii.h"

namespace modLinkadresse {
namespace {

bool Unreserved(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_' || c == '~';
}

}  // namespace

bool HatPlatzhalter(std::string_view URL) {
    return URL.find(kStart) != std::string_view::npos || URL.find(kZiel) != std::string_view::npos;
}

std::string Prozentkodiert(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    encoded.reserve(text.size() * 3);
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (Unreserved(c)) {
            encoded += ch;
        } else {
            encoded += '%';
            encoded += kHex[c >> 4];
            encoded += kHex[c & 0x0F];
        }
    }
    return encoded;
}

std::string Einsetzen(std::string_view URL, std::string_view Start, std::string_view Ziel) {
    const std::string start = Prozentkodiert(Start);
    const std::string ziel = Prozentkodiert(Ziel);
    std::string result;
    result.reserve(URL.size() + start.size() + ziel.size());
    while (!URL.empty()) {
        if (URL.starts_with(kStart)) {
            result += start;
            URL.remove_prefix(kStart.size());
        } else if (URL.starts_with(kZiel)) {
            result += ziel;
            URL.remove_prefix(kZiel.size());
        } else {
            result += URL.front();
            URL.remove_prefix(1);
        }
    }
    return result;
}

bool IstStandardbrowser(std::string_view browser) { return ascii::Lower(ascii::TrimBlanks(browser)) == "standard"; }

}  // namespace modLinkadresse
