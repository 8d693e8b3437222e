#pragma once
// A 32-bit top-down bitmap selected into a memory context: something to draw
// into and read the pixels of, as they would show on screen.
#include <windows.h>

#include <cstdint>
#include <optional>

#include "platform/Handles_win.h"

namespace ui {

class Canvas {
public:
    Canvas(int width, int height);
    Canvas(Canvas&&) = delete;

    HDC dc() const { return m_Dc.get(); }
    int Width() const { return m_Width; }
    int Height() const { return m_Height; }
    explicit operator bool() const { return m_Bits != nullptr; }

    void Fill(COLORREF colour);
    // RGB() of the pixel, CLR_INVALID outside the canvas.
    COLORREF Pixel(int x, int y) const;

private:
    int m_Width;
    int m_Height;
    platform::UniqueDC m_Dc;
    platform::UniqueBitmap m_Bitmap;
    std::optional<platform::SelectedObject> m_Selection;
    const std::uint32_t* m_Bits = nullptr;
};

}  // namespace ui
