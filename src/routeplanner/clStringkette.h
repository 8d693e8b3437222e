#pragma once
// A text seen as a list of parts divided by a separator: "a b c" with the
// separator " " has the parts "a", "b" and "c". Positions and lengths count
// characters, not bytes; every search compares characters exactly.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class clStringkette {
public:
    std::string Kette;  // the whole text
    std::string Trennzeichen;  // the separator

    // 0 for an empty text; otherwise one more than the separators found from
    // the second character on, each search starting one character after the
    // start of the previous hit. More parts than a 16-bit count holds raise
    // AppError 6 (overflow). An empty separator divides nothing: one part.
    std::int16_t Anzahl() const;
    // Part `Index` (from 1), "" outside 1 to Anzahl. It begins one character
    // after the start of the (Index - 1)-th separator, found from the first
    // character on, and ends just before the Index-th, or at the end.
    std::string Element(std::int32_t Index) const;
    // Element(1) to Element(Anzahl) in one walk through the text.
    std::vector<std::string> Elemente() const;
    // Appends a part, with the separator before it unless the text is empty.
    void Anhängen(std::string_view Teil);
};
