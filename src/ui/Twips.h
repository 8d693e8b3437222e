#pragma once
// Window layouts are given in twips (1440 to the inch), as the form designer had them.
#include <cstdint>

namespace ui {

// Layouts drawn in pixels were drawn on a screen of 96 DPI.
inline constexpr int kTwipsPerPixelAt96Dpi = 1440 / 96;

constexpr int TwipsToPixels(int twips, unsigned dpi) {
    return static_cast<int>((static_cast<std::int64_t>(twips) * dpi + 720) / 1440);
}

constexpr int PixelsToTwips(int pixels, unsigned dpi) {
    return dpi == 0 ? 0 : static_cast<int>((static_cast<std::int64_t>(pixels) * 1440 + dpi / 2) / dpi);
}

}  // namespace ui
