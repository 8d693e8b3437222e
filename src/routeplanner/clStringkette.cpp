#include "routeplanner/clStringkette.h"

#include <limits>

#include "base/AppError.h"
#include "base/Utf8.h"

namespace {

// The byte offset one character after `pos`.
std::size_t NextCharacter(std::string_view text, std::size_t pos) {
    return pos >= text.size() ? text.size() + 1 : pos + utf8::SequenceLength(text, pos);
}

// The byte offset of `separator` in `text` from `from` on, npos when none.
// UTF-8 never matches inside another character, so bytes compare as characters.
std::size_t Find(std::string_view text, std::string_view separator, std::size_t from) {
    return from > text.size() ? std::string_view::npos : text.find(separator, from);
}

}  // namespace

std::int16_t clStringkette::Anzahl() const {
    if (Kette.empty()) return 0;
    if (Trennzeichen.empty()) return 1;
    std::int32_t count = 1;
    for (std::size_t hit = Find(Kette, Trennzeichen, NextCharacter(Kette, 0)); hit != std::string_view::npos;
         hit = Find(Kette, Trennzeichen, NextCharacter(Kette, hit))) {
        if (++count > std::numeric_limits<std::int16_t>::max()) Raise(ErrorNumber::Overflow);
    }
    return static_cast<std::int16_t>(count);
}

std::string clStringkette::Element(std::int32_t Index) const {
    if (Index < 1 || Index > Anzahl()) return {};
    if (Trennzeichen.empty()) return Kette;
    std::size_t begin = 0;
    std::size_t hit = Find(Kette, Trennzeichen, 0);
    for (std::int32_t i = 1; i < Index; ++i) {
        if (hit == std::string_view::npos) return {};
        begin = NextCharacter(Kette, hit);
        hit = Find(Kette, Trennzeichen, begin);
    }
    const std::size_t end = hit == std::string_view::npos ? Kette.size() : hit;
    return end <= begin ? std::string() : Kette.substr(begin, end - begin);
}

std::vector<std::string> clStringkette::Elemente() const {
    const std::int16_t count = Anzahl();
    if (Trennzeichen.empty()) return count == 0 ? std::vector<std::string>() : std::vector<std::string>{Kette};
    std::vector<std::string> parts;
    parts.reserve(static_cast<std::size_t>(count));
    std::size_t begin = 0;
    std::size_t hit = Find(Kette, Trennzeichen, 0);
    for (std::int16_t i = 1; i <= count; ++i) {
        if (begin == std::string_view::npos) {
            parts.emplace_back();
            continue;
        }
        const std::size_t end = hit == std::string_view::npos ? Kette.size() : hit;
        parts.push_back(end <= begin ? std::string() : Kette.substr(begin, end - begin));
        if (hit == std::string_view::npos) {
            begin = std::string_view::npos;
        } else {
            begin = NextCharacter(Kette, hit);
            hit = Find(Kette, Trennzeichen, begin);
        }
    }
    return parts;
}

void clStringkette::Anhängen(std::string_view Teil) {
    if (!Kette.empty()) Kette += Trennzeichen;
    Kette += Teil;
}
