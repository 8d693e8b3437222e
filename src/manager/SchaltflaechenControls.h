#pragma once
// The controls of the window in which a command's button is placed on
// ACT!'s toolbars (frmSchaltflaechen): the prompt, the toolbars with the
// button's place on each, the four steps, OK and Cancel.
#include "ui/ControlTable.h"

namespace SchaltflaechenControls {

// Identifiers that drivers of the window from outside rely on.
inline constexpr ui::LabelId lbPrompt{400};
inline constexpr ui::ListViewId lvToolbars{401};
inline constexpr ui::ButtonId cmdHinzufuegen{402};
inline constexpr ui::ButtonId cmdEntfernen{403};
inline constexpr ui::ButtonId cmdLinks{404};
inline constexpr ui::ButtonId cmdRechts{405};
inline constexpr ui::ButtonId cmdOK{1};  // IDOK
inline constexpr ui::ButtonId cmdCancel{2};  // IDCANCEL

// In the window's order, which is also the order of the Tab key.
ui::ControlTable All();

// The client area, in twips.
inline constexpr int kInnerWidth = 6615;
inline constexpr int kInnerHeight = 3420;

}  // namespace SchaltflaechenControls
