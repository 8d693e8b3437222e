#pragma once
// Tessivar's own pictures, drawn by code: the About window's art and credit
// text, and the picture of the list window's Info button.
#include <windows.h>

#include "common/frmInfo_win.h"
#include "platform/Handles_win.h"
#include "platform/MessageBoxes.h"
#include "platform/Shell.h"

// The background of the About window, 320 x 182 pixels.
platform::UniqueBitmap DrawTessivarInfoArt();

// The Info button's picture: a round "i", `side` pixels square, on the
// button's face colour.
platform::UniqueBitmap DrawInfoButtonPicture(int side);

// What Tessivar's About window shows; its link goes through LaunchURL with
// the desktop window as owner and the show state the program chooses.
InfoContent TessivarInfoContent();
