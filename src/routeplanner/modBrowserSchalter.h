#pragma once
// What the setting "BrowserArgumente" may not hold: a switch that opens or
// changes the browser's control channel or its profile. Rovandel2 talks to
// the browser over a private pipe in a profile of its own; a debugging
// port would open that door to every program and user of the machine, and
// another profile would hand the user's own cookies and logins to it.
#include <optional>
#include <string>
#include <string_view>

namespace modBrowserSchalter {

// The first such switch as it stands in `arguments` (split as Windows
// splits a command line; "--", "-" and "/" before it, any letter case,
// with or without "=" and a value), or nothing.
std::optional<std::string> Verboten(std::string_view arguments);

}  // namespace modBrowserSchalter
