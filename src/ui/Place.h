#pragma once
// A control's place in its window.
#include "ui/Twips.h"

namespace ui {

// Twips from the client area's top left corner.
struct Place {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Place&) const = default;
};

// A place laid out in pixels at 96 DPI, for windows drawn that way.
constexpr Place PlaceInPixels(int x, int y, int width, int height) {
    constexpr int px = kTwipsPerPixelAt96Dpi;
    return {x * px, y * px, width * px, height * px};
}

}  // namespace ui
