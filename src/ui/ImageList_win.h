#pragma once
// Pictures kept for drawing, counted from 1 and found by key; not shown
// themselves. Each picture can also be had as an icon (for status panels).
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/Handles_win.h"

namespace ui {

class ImageList {
public:
    void Add(std::string key, platform::UniqueBitmap picture);
    int Count() const { return static_cast<int>(m_Pictures.size()); }
    // 1-based; null outside the list.
    HBITMAP Picture(int index) const;
    HBITMAP Picture(std::string_view key) const;
    SIZE Size(int index) const;
    // The picture as an icon, made once and kept with the list.
    HICON Icon(int index);
    HICON Icon(std::string_view key);
    int IndexOf(std::string_view key) const;
    // Copies part of picture `index` to `dc` at (x, y), one pixel to one pixel.
    void Draw(int index, HDC dc, int x, int y, int width, int height, int srcX, int srcY) const;

private:
    struct Entry {
        std::string key;
        platform::UniqueBitmap picture;
        platform::UniqueIcon icon;
    };
    std::vector<Entry> m_Pictures;
};

}  // namespace ui
