#pragma once
// A picture box. What is drawn into its surface stays (the surface is a
// bitmap of the box's size, shown whenever the box paints), or the owner
// draws the box itself on every paint (onPaint), or the box shows a picture
// of its own stretched over itself (ShowStretched). A click is reported.
#include <functional>
#include <optional>

#include "platform/Handles_win.h"
#include "ui/Control_win.h"

namespace ui {

class PictureBox : public Control {
public:
    PictureBox(Window& owner, std::string name, Place place, bool border = false);

    // The box's drawing surface, made (white) at the box's pixel size when
    // first asked for; drawing there shows at the next Refresh.
    HDC Surface();
    // Empties the surface to the given colour.
    void ClearSurface(COLORREF colour = RGB(255, 255, 255));
    // Shows the surface now.
    void Refresh();
    // The surface's pixel, or CLR_INVALID outside it.
    COLORREF SurfacePixel(int x, int y);
    SIZE PixelSize() const;
    // Keeps `picture` and shows it, stretched to the box, on every paint
    // (unless onPaint draws the box).
    void ShowStretched(platform::UniqueBitmap picture);

    // Draws the box on every paint instead of showing the surface.
    std::function<void(HDC dc, const RECT& rc)> onPaint;
    std::function<void()> onClick;

    void Layout(UINT dpi) override;

protected:
    bool OnCommand(UINT code) override;
    bool OnDrawItem(const DRAWITEMSTRUCT& item) override;

private:
    platform::UniqueDC m_SurfaceDC;
    platform::UniqueBitmap m_SurfaceBitmap;
    std::optional<platform::SelectedObject> m_Selection;
    SIZE m_SurfaceSize{};
    platform::UniqueBitmap m_Stretched;
};

}  // namespace ui
