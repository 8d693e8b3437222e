#pragma once
// The controls of Tessivar's list window (frmListenansicht): the banner, the
// selected command's two pictures, the buttons, the list of commands or
// toolbars and the status bar below it.
#include "ui/ControlTable.h"

namespace ListenansichtControls {

// Identifiers that drivers of the window from outside rely on.
inline constexpr ui::PictureId imBanner{100};
inline constexpr ui::PictureId Picture1{101};
inline constexpr ui::PictureId Picture2{102};
inline constexpr ui::ButtonId cmdSpeichern{103};
inline constexpr ui::ButtonId cmdLaden{104};
inline constexpr ui::ButtonId cmdToolbars{105};
inline constexpr ui::ButtonId cmdInfo{106};
inline constexpr ui::ListViewId lvCommands{107};
inline constexpr ui::StatusId StatusBar{108};
inline constexpr ui::ButtonId cmdWiederherstellen{109};
inline constexpr ui::ButtonId cmdBearbeiten{110};
inline constexpr ui::ButtonId cmdPfade{111};
inline constexpr ui::ButtonId cmdSchaltflaechen{112};

// In the window's order, which is also the order of the Tab key.
ui::ControlTable All();

// Twips. The list fills the window below the buttons, down to the status bar.
inline constexpr int kInnerWidth = 9255, kInnerHeight = 3690;
inline constexpr int kMinOuterWidth = 9375, kMinOuterHeight = 4800;
inline constexpr int kListTop = 1095;

}  // namespace ListenansichtControls
