#pragma once
// The route planners Rovandel2 offers by name: the form page it fills (the
// default), and planners that take start and destination in their web
// address. The option "URL" holds the chosen one's address; an address
// that is none of these is the user's own.
#include <span>
#include <string>
#include <string_view>

namespace modRoutenplaner {

struct Routenplaner {
    std::string_view name;  // as the settings window lists it
    std::string_view url;  // what "URL" then holds
};

// The form page first; the order of the settings window's list.
std::span<const Routenplaner> Voreinstellungen();
// The planner offered when the chosen one's page cannot be used.
const Routenplaner& OpenStreetMap();
// The preset whose address is `url` exactly, or nullptr.
const Routenplaner* Zu(std::string_view url);

// The host of an http(s) address, lower case, without port or user
// ("www.openstreetmap.org"); "" for anything else.
std::string Host(std::string_view url);
// An address that may be opened: http or https (any letter case) with a host.
bool IstWebadresse(std::string_view url);

}  // namespace modRoutenplaner
