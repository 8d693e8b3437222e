#pragma once
// Reading numbers out of texts that users and the settings store hold. With
// German users in mind the decimal separator may be a comma or a point
// ("31,4" and "31.4" both read 31.4); there is no thousands grouping, so
// "1.000" is one, not a thousand.
#include <cstdint>
#include <optional>
#include <string_view>

namespace modZahlen {

// The number that the whole text is, blanks around it allowed: an optional
// sign, digits, and optionally one separator followed by digits.
// Nothing when the text is anything else.
std::optional<double> ZahlAus(std::string_view text);
inline bool IstZahl(std::string_view text) { return ZahlAus(text).has_value(); }

// The number at the text's start, after leading blanks, in the same form;
// what follows it is ignored, and a text without one reads 0.
double FuehrendeZahl(std::string_view text);

// To the nearest whole number, halves away from zero; nothing when that
// lies outside the 32-bit range.
std::optional<std::int32_t> Gerundet(double value);

}  // namespace modZahlen
