#pragma once
// A control's place in its window.
namespace ui {

// Twips from the client area's top left corner.
struct Place {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Place&) const = default;
};

}  // namespace ui
