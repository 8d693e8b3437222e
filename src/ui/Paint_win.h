#pragma once
// Drawing a picture into a rectangle.
#include <windows.h>

#include <functional>

#include "platform/Handles_win.h"

namespace ui {

// A picture of width x height pixels (32 bits, white at first) drawn by
// `draw` into a memory context; empty when the system refuses one.
platform::UniqueBitmap MakePicture(int width, int height, const std::function<void(HDC dc)>& draw);

// Fills a rectangle with one colour.
void FillColour(HDC dc, const RECT& rc, COLORREF colour);

// The whole picture, stretched (smoothly) to fill `rc`.
void DrawStretched(HDC dc, const RECT& rc, HBITMAP picture);

}  // namespace ui
