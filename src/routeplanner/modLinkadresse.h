#pragma once
// Route planners that take start and destination in the web address itself
// (for example "https://www.openstreetmap.org/directions?from={start}&to={ziel}"):
// the address lines are put into the address in place of the placeholders,
// so that no form on the page has to be found and filled.
#include <string>
#include <string_view>

namespace modLinkadresse {

inline constexpr std::string_view kStart = "{start}";
inline constexpr std::string_view kZiel = "{ziel}";

// Whether `URL` carries one of the placeholders; such an address is opened
// as it is, with the addresses in it, and no form is looked for.
bool HatPlatzhalter(std::string_view URL);

// Every "{start}" and "{ziel}" of `URL` replaced by the percent-encoded
// UTF-8 bytes of `Start` and `Ziel`. The rest of the address stays as it
// is, and a line that itself holds a placeholder's text is not read again.
std::string Einsetzen(std::string_view URL, std::string_view Start, std::string_view Ziel);

// The text with every byte outside the unreserved characters of web
// addresses (letters, digits, "-", ".", "_", "~") written as "%XX", so it
// stands as one value in a query: a blank becomes "%20", never "+".
std::string Prozentkodiert(std::string_view text);

// Whether the option "Browser" asks for the user's default browser ("standard").
bool IstStandardbrowser(std::string_view browser);

}  // namespace modLinkadresse
