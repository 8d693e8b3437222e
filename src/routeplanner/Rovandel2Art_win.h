#pragma once
// Rovandel2's own pictures, drawn here: the banner, the Info button's
// picture, the two status pictures of ilBH ("off", "on") and the status
// panel's starting picture.
#include <windows.h>

#include "common/frmInfo_win.h"
#include "platform/Handles_win.h"
#include "platform/Shell.h"

// The banner into `rc`, at whatever size the window gives it.
void PaintRovandelBanner(HDC dc, const RECT& rc);
// A 16 x 16 "i" in a blue disc on the button face.
platform::UniqueBitmap CreateInfoPicture();
// 32 x 16: a signal lamp out or lit, for the waiting animation.
platform::UniqueBitmap CreateStatusPicture(bool lit);
// 32 x 16: a small route from pin to pin, shown before the status text at start.
platform::UniqueBitmap CreateStartPicture();
// The About window's background, 320 x 182: a road through the evening
// towards the goal, with the program's name.
platform::UniqueBitmap CreateRovandelInfoArt();
// What Rovandel2's About window shows. Its link is handed to the shell
// directly, without a verb, the About window as owner, as a normal window;
// a failure of the shell shows nothing.
InfoContent Rovandel2InfoContent();
