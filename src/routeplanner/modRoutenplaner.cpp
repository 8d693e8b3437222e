#include "routeplanner/modRoutenplaner.h"

#include "base/Ascii.h"
#include "base/UiTexts.h"

namespace modRoutenplaner {
namespace {

constexpr Routenplaner kPlaner[] = {
    {texts::kPlannerFahrtweg, texts::kDefaultRouteUrl},
    {texts::kPlannerOpenStreetMap, "https://www.openstreetmap.org/directions?from={start}&to={ziel}"},
    {texts::kPlannerGoogleMaps, "https://www.google.com/maps/dir/?api=1&origin={start}&destination={ziel}"},
    {texts::kPlannerBingMaps, "https://bing.com/maps/default.aspx?rtp=adr.{start}~adr.{ziel}"},
};

// The part after "scheme://", or nothing when the scheme is not http(s).
std::string_view AfterScheme(std::string_view url) {
    const std::string lower = ascii::Lower(url.substr(0, 8));
    if (lower.starts_with("https://")) return url.substr(8);
    if (lower.starts_with("http://")) return url.substr(7);
    return {};
}

}  // namespace

std::span<const Routenplaner> Voreinstellungen() { return kPlaner; }

const Routenplaner& OpenStreetMap() { return kPlaner[1]; }

const Routenplaner* Zu(std::string_view url) {
    for (const Routenplaner& planer : kPlaner) {
        if (planer.url == url) return &planer;
    }
    return nullptr;
}

std::string Host(std::string_view url) {
    std::string_view rest = AfterScheme(url);
    rest = rest.substr(0, rest.find_first_of("/?#"));
    if (const std::size_t at = rest.rfind('@'); at != std::string_view::npos) rest.remove_prefix(at + 1);
    if (rest.starts_with('[')) {  // an IPv6 literal keeps its brackets
        const std::size_t close = rest.find(']');
        return close == std::string_view::npos ? std::string() : ascii::Lower(rest.substr(0, close + 1));
    }
    return ascii::Lower(rest.substr(0, rest.find(':')));
}

bool IstWebadresse(std::string_view url) {
    if (url.find_first_of(" \t\r\n") != std::string_view::npos) return false;
    return !Host(url).empty();
}

}  // namespace modRoutenplaner
