#pragma once
// Drawing a picture into a rectangle.
#include <windows.h>

namespace ui {

// The whole picture, stretched (smoothly) to fill `rc`.
void DrawStretched(HDC dc, const RECT& rc, HBITMAP picture);

}  // namespace ui
