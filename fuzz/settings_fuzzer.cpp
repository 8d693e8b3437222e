// Any text in Rovandel2's settings (edited with regedit, or left by an
// older installation). Numbers are read as a second, plain reader reads
// them: blanks, a sign, digits, and one comma or point with digits after
// it; nothing else is a number. A field number is then the default or the
// text's number rounded; a list position is the number the text starts
// with, or nothing when it does not fit 32 bits; nothing raises.
//
// The input is four texts, separated by NUL bytes: the four field numbers
// as the store holds them (the first also read as a number on its own).
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/MemorySettingsStore.h"
#include "routeplanner/modOptionen.h"
#include "routeplanner/modZahlen.h"
#include "Property.h"

namespace {

bool Digit(char c) { return c >= '0' && c <= '9'; }

// The length of the number at the text's start, 0 for none.
std::size_t NumberLength(std::string_view text) {
    std::size_t at = 0;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
    const std::size_t digits = at;
    while (at < text.size() && Digit(text[at])) ++at;
    if (at == digits) return 0;
    if (at + 1 < text.size() && (text[at] == ',' || text[at] == '.') && Digit(text[at + 1])) {
        at += 2;
        while (at < text.size() && Digit(text[at])) ++at;
    }
    return at;
}

double ValueOf(std::string_view number) {
    std::string text(number);
    for (char& c : text) {
        if (c == ',') c = '.';
    }
    return std::strtod(text.c_str(), nullptr);  // the "C" locale: a point
}

std::optional<double> Plain(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    const std::size_t length = NumberLength(text);
    if (length == 0 || length != text.size()) return std::nullopt;
    return ValueOf(text);
}

std::optional<std::int32_t> Rounded(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    const double r = std::round(value);
    if (r < -2147483648.0 || r > 2147483647.0) return std::nullopt;
    return static_cast<std::int32_t>(r);
}

void OneText(std::string_view text) {
    const std::optional<double> expected = Plain(text);
    const std::optional<double> got = modZahlen::ZahlAus(text);
    Check(got.has_value() == expected.has_value());
    if (got) Check(*got == *expected);

    const std::int32_t standard = 30;
    const std::int32_t field = modOptionen::Feldnummer(text, standard);
    const std::optional<std::int32_t> rounded = expected ? Rounded(*expected) : std::nullopt;
    Check(field == rounded.value_or(standard));

    std::string_view start = text;
    while (!start.empty() && start.front() == ' ') start.remove_prefix(1);
    const std::size_t length = NumberLength(start);
    const double leading = length == 0 ? 0.0 : ValueOf(start.substr(0, length));
    Check(modZahlen::FuehrendeZahl(text) == leading);
    Check(modOptionen::Position(text) == Rounded(leading));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string_view> texts;
    for (std::size_t at = 0; texts.size() < 4;) {
        const std::size_t cut = input.find('\0', at);
        texts.push_back(input.substr(at, cut == std::string_view::npos ? std::string_view::npos : cut - at));
        if (cut == std::string_view::npos) break;
        at = cut + 1;
    }
    OneText(texts[0]);

    platform::MemorySettingsStore store;
    const std::string_view keys[] = {modOptionen::kIDOrt, modOptionen::kIDStrasse, modOptionen::kIDPLZ,
                                     modOptionen::kIDLand};
    for (std::size_t i = 0; i < texts.size(); ++i) {
        store.Put(modOptionen::kApplikation, modOptionen::kAbschnitt, keys[i], texts[i]);
    }
    const modOptionen::Feldnummern read = modOptionen::LeseFeldnummern(store);
    const std::int32_t got[] = {read.Ort, read.Strasse, read.PLZ, read.Land};
    const std::int32_t standards[] = {modOptionen::kStandardOrt, modOptionen::kStandardStrasse,
                                      modOptionen::kStandardPLZ, modOptionen::kStandardLand};
    for (std::size_t i = 0; i < 4; ++i) {
        const std::optional<double> value = i < texts.size() ? Plain(texts[i]) : std::nullopt;
        const std::optional<std::int32_t> rounded = value ? Rounded(*value) : std::nullopt;
        Check(got[i] == rounded.value_or(standards[i]));
    }
    return 0;
}
