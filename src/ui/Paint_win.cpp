#include "ui/Paint_win.h"

#include "platform/Handles_win.h"

namespace ui {

platform::UniqueBitmap MakePicture(int width, int height, const std::function<void(HDC dc)>& draw) {
    const platform::UniqueDC dc(CreateCompatibleDC(nullptr));
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    platform::UniqueBitmap picture(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dc || !picture) return {};
    {
        const platform::SelectedObject selected(dc.get(), picture.get());
        FillColour(dc.get(), {0, 0, width, height}, RGB(255, 255, 255));
        draw(dc.get());
        GdiFlush();
    }
    return picture;
}

void FillColour(HDC dc, const RECT& rc, COLORREF colour) {
    const platform::UniqueBrush brush(CreateSolidBrush(colour));
    FillRect(dc, &rc, brush.get());
}

void DrawStretched(HDC dc, const RECT& rc, HBITMAP picture) {
    if (picture == nullptr) return;
    BITMAP info{};
    GetObjectW(picture, sizeof(info), &info);
    const platform::UniqueDC source(CreateCompatibleDC(dc));
    const platform::SelectedObject selected(source.get(), picture);
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, source.get(), 0, 0, info.bmWidth,
               info.bmHeight, SRCCOPY);
}

}  // namespace ui
