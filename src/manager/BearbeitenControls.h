#pragma once
// The controls of the command editor (frmBearbeiten): the six texts of a
// command, each with the room it has left, and its two button pictures,
// each with a button that loads a picture file and one that saves it as PNG.
#include "ui/ControlTable.h"

namespace BearbeitenControls {

// Identifiers that drivers of the window from outside rely on.
inline constexpr ui::TextBoxId txbName{300};
inline constexpr ui::TextBoxId txbZeile{301};
inline constexpr ui::TextBoxId txbStart{302};
inline constexpr ui::TextBoxId txbQuickInfo{303};
inline constexpr ui::TextBoxId txbBeschreibung{304};
inline constexpr ui::TextBoxId txbMenu{305};
inline constexpr ui::LabelId lbRestName{310};
inline constexpr ui::LabelId lbRestZeile{311};
inline constexpr ui::LabelId lbRestStart{312};
inline constexpr ui::LabelId lbRestQuickInfo{313};
inline constexpr ui::LabelId lbRestBeschreibung{314};
inline constexpr ui::LabelId lbRestMenu{315};
inline constexpr ui::ButtonId cmdDurchsuchen{320};
inline constexpr ui::PictureId imGross{321};
inline constexpr ui::PictureId imKlein{322};
inline constexpr ui::ButtonId cmdBildLadenGross{323};
inline constexpr ui::ButtonId cmdPngGross{324};
inline constexpr ui::ButtonId cmdBildLadenKlein{325};
inline constexpr ui::ButtonId cmdPngKlein{326};
inline constexpr ui::ButtonId cmdOK{1};  // IDOK
inline constexpr ui::ButtonId cmdAbbrechen{2};  // IDCANCEL

// In the window's order, which is also the order of the Tab key.
ui::ControlTable All();

// The client area, in twips.
inline constexpr int kInnerWidth = 9015;
inline constexpr int kInnerHeight = 4335;

}  // namespace BearbeitenControls
