#include "ui/Paint_win.h"

#include "platform/Handles_win.h"

namespace ui {

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
