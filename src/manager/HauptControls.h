#pragma once
// The controls of the progress window (frmHaupt) of the install and removal
// runs: the banner, the run's message and the OK button that closes it.
#include <string_view>

#include "ui/ControlTable.h"

namespace HauptControls {

// Identifiers that drivers of the window from outside rely on.
inline constexpr ui::PictureId imBanner{100};
inline constexpr ui::LabelId lbInfo{101};
inline constexpr ui::ButtonId cmdOK{1};  // IDOK

// In the window's order, which is also the order of the Tab key.
ui::ControlTable All();

// The client area, in twips.
inline constexpr int kInnerWidth = 3990;
inline constexpr int kInnerHeight = 2220;

}  // namespace HauptControls
