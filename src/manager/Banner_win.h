#pragma once
// The program's banner, 153 x 25 pixels, drawn once at start.
#include "platform/Handles_win.h"

platform::UniqueBitmap CreateTessivarBanner();
