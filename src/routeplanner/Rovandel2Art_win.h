#pragma once
// Rovandel2's own pictures, drawn here: the banner, the Info button's
// picture, the two status pictures of ilBH ("off", "on") and the status
// panel's starting picture.
#include <windows.h>

#include "platform/Handles_win.h"

// The banner into `rc`, at whatever size the window gives it.
void PaintRovandelBanner(HDC dc, const RECT& rc);
// A 16 x 16 "i" in a blue disc on the button face.
platform::UniqueBitmap CreateInfoPicture();
// 32 x 16: a signal lamp out or lit, for the waiting animation.
platform::UniqueBitmap CreateStatusPicture(bool lit);
// 32 x 16: a small route from pin to pin, shown before the status text at start.
platform::UniqueBitmap CreateStartPicture();
