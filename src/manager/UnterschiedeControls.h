#pragma once
// The controls of the window that tells what writing a backup back would
// change (frmUnterschiede): the prompt, the differences and Close.
#include "ui/ControlTable.h"

namespace UnterschiedeControls {

// Identifiers that drivers of the window from outside rely on.
inline constexpr ui::LabelId lbPrompt{300};
inline constexpr ui::ListViewId lvDifferences{301};
inline constexpr ui::ButtonId cmdClose{2};  // IDCANCEL: Esc closes it as well

// In the window's order, which is also the order of the Tab key.
ui::ControlTable All();

// The client area, in twips.
inline constexpr int kInnerWidth = 7200;
inline constexpr int kInnerHeight = 3780;

}  // namespace UnterschiedeControls
