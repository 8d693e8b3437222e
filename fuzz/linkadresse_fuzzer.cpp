// Any two address lines put into a route planner's web address. Decoding
// the built address gives back both lines exactly, whatever their bytes
// (a line that itself holds "{ziel}" or "%41" included); nothing but
// A–Z a–z 0–9 - . _ ~ and "%XX" stands for a line; and an address
// without placeholders is left as it is.
//
// The input: the start line, a NUL, the destination line, a NUL, and an
// address of the user's own.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "routeplanner/modLinkadresse.h"
#include "Property.h"

namespace {

int Hex(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;  // upper case only: that is what is written
}

bool Unreserved(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_' || c == '~';
}

// The line an encoded part stands for; every byte checked on the way.
std::string Decoded(std::string_view part) {
    std::string out;
    for (std::size_t i = 0; i < part.size(); ++i) {
        if (part[i] == '%') {
            Check(i + 2 < part.size());
            const int high = Hex(part[i + 1]);
            const int low = Hex(part[i + 2]);
            Check(high >= 0 && low >= 0);
            const char byte = static_cast<char>(high * 16 + low);
            Check(!Unreserved(byte));  // what may stand as it is is not encoded
            out += byte;
            i += 2;
        } else {
            Check(Unreserved(part[i]));
            out += part[i];
        }
    }
    return out;
}

std::string_view Take(std::string_view& input) {
    const std::size_t cut = input.find('\0');
    const std::string_view part = input.substr(0, cut);
    input.remove_prefix(cut == std::string_view::npos ? input.size() : cut + 1);
    return part;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string_view start = Take(input);
    const std::string_view dest = Take(input);
    const std::string_view own = input;

    const std::string head = "https://karte.example/route?from=";
    const std::string address = modLinkadresse::Einsetzen(head + std::string(modLinkadresse::kStart) +
                                                              "&to=" + std::string(modLinkadresse::kZiel) +
                                                              "&zurueck=" + std::string(modLinkadresse::kStart),
                                                          start, dest);
    Check(address.starts_with(head));
    const std::string_view rest = std::string_view(address).substr(head.size());
    const std::size_t to = rest.find("&to=");
    Check(to != std::string_view::npos);
    const std::size_t back = rest.find("&zurueck=", to);
    Check(back != std::string_view::npos);
    Check(Decoded(rest.substr(0, to)) == start);
    Check(Decoded(rest.substr(to + 4, back - to - 4)) == dest);
    Check(Decoded(rest.substr(back + 9)) == start);

    Check(modLinkadresse::HatPlatzhalter(own) == (own.find(modLinkadresse::kStart) != std::string_view::npos ||
                                                  own.find(modLinkadresse::kZiel) != std::string_view::npos));
    if (!modLinkadresse::HatPlatzhalter(own)) Check(modLinkadresse::Einsetzen(own, start, dest) == own);
    return 0;
}
