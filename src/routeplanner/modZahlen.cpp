#include "routeplanner/modZahlen.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "base/Ascii.h"

namespace modZahlen {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The length of the number at the start of `text` (0: none) and its value.
std::size_t ReadNumber(std::string_view text, double& value) {
    std::size_t pos = 0;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
    const std::size_t digits = pos;
    while (pos < text.size() && IsDigit(text[pos])) ++pos;
    if (pos == digits) return 0;
    std::size_t end = pos;
    if (pos + 1 < text.size() && (text[pos] == ',' || text[pos] == '.') && IsDigit(text[pos + 1])) {
        end = pos + 1;
        while (end < text.size() && IsDigit(text[end])) ++end;
    }
    // from_chars wants a point and no plus sign.
    std::string normal(text.substr(text[0] == '+' ? 1 : 0, end - (text[0] == '+' ? 1 : 0)));
    for (char& c : normal) {
        if (c == ',') c = '.';
    }
    const auto result = std::from_chars(normal.data(), normal.data() + normal.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Without an exponent only a whole part of over 300 digits is too
        // large; a fraction too small to hold is 0, not infinite.
        const bool tiny =
            normal.find_first_not_of("-0", 0) == std::string::npos || normal[normal.find_first_not_of("-0")] == '.';
        const double magnitude = tiny ? 0.0 : std::numeric_limits<double>::infinity();
        value = normal[0] == '-' ? -magnitude : magnitude;
    } else if (result.ec != std::errc()) {
        return 0;
    }
    return end;
}

}  // namespace

std::optional<double> ZahlAus(std::string_view text) {
    const std::string_view trimmed = ascii::TrimBlanks(text);
    double value = 0;
    const std::size_t length = ReadNumber(trimmed, value);
    if (length == 0 || length != trimmed.size()) return std::nullopt;
    return value;
}

double FuehrendeZahl(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size() && text[start] == ' ') ++start;
    double value = 0;
    return ReadNumber(text.substr(start), value) == 0 ? 0.0 : value;
}

std::optional<std::int32_t> Gerundet(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    const double rounded = std::round(value);
    if (rounded < std::numeric_limits<std::int32_t>::min() || rounded > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(rounded);
}

}  // namespace modZahlen
