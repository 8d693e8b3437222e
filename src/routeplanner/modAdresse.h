#pragma once
// What the address capture makes of ACT!'s fields: the house number inside
// the street text, and the country entry that a country's name selects.
#include <string>
#include <string_view>

namespace modAdresse {

// Positions of the country lists' entries "DEU", "CHE", "AUT".
inline constexpr int kDeutschland = 0;
inline constexpr int kSchweiz = 1;
inline constexpr int kOesterreich = 2;

// The house number in a street text, lower-cased, or "": the first part
// after the first that is a number, or that is one without its last
// character when it has more than two ("12a"). Parts are divided by blanks.
std::string ermittleHausnummer(std::string_view Strasse);

// The entry a country field selects: "Deutschland", "Österreich" and
// "Schweiz" in any letter case and with blanks around them; anything else
// (the empty text too) is Germany.
int LandPosition(std::string_view Land);

}  // namespace modAdresse
