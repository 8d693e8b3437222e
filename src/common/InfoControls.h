#pragma once
// The controls of the About window (frmInfo), laid over its art: the
// version, the rights notice, the link to the maker's web site, the one to
// the third-party notices and the viewport in which the credit text scrolls.
#include "ui/ControlTable.h"

namespace InfoControls {

inline constexpr ui::LabelId lbVersion{301};
inline constexpr ui::LabelId lbCopyright{302};
inline constexpr ui::LabelId lbBH{303};
inline constexpr ui::PictureId picScrollText{304};
inline constexpr ui::LabelId lbDrittanbieter{305};

ui::ControlTable All();

// The art, and so the client area, in pixels at 96 DPI.
inline constexpr int kWidth = 320, kHeight = 182;
// The viewport, one picture pixel to one pixel at 96 DPI.
inline constexpr int kViewportWidth = 140, kViewportHeight = 41;

}  // namespace InfoControls
