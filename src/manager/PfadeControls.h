#pragma once
// The controls of the modal window in which the list window's user sees
// commands' paths mended before they are written (frmPfade): the folder
// chosen, the commands changed with their old and new line and start
// folder, the commands that stay as they are with the reason, OK and Cancel.
#include "ui/ControlTable.h"

namespace PfadeControls {

// Identifiers that drivers of the window from outside rely on.
inline constexpr ui::LabelId lbOrdner{300};
inline constexpr ui::ListViewId lvPfade{301};
inline constexpr ui::ListViewId lvUebrig{302};
inline constexpr ui::ButtonId cmdOK{303};
inline constexpr ui::ButtonId cmdCancel{304};

// In the window's order, which is also the order of the Tab key.
ui::ControlTable All();

// The client area, in twips.
inline constexpr int kInnerWidth = 9600;
inline constexpr int kInnerHeight = 5100;

}  // namespace PfadeControls
