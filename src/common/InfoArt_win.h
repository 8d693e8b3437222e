#pragma once
// Drawing the pictures of an About window.
#include <windows.h>

#include <string_view>

#include "platform/Handles_win.h"

// The credit text as a picture for the About window's viewport, 140 x 420
// pixels: one line per "\n"-separated line of `credits`, centred; a line
// that starts with "#" is a heading, drawn bold in `headingInk`; an empty
// line is a gap.
platform::UniqueBitmap DrawCreditImage(std::string_view credits, COLORREF paper, COLORREF ink, COLORREF headingInk);

inline constexpr int kCreditWidth = 140;
inline constexpr int kCreditHeight = 420;
