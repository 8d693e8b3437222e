#pragma once
// Window layouts are given in twips (1440 to the inch), as the form designer had them.
#include <cstdint>

constexpr int TwipsToPixels(int twips, unsigned dpi) {
    return static_cast<int>((static_cast<std::int64_t>(twips) * dpi + 720) / 1440);
}
