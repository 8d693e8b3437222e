#pragma once
// The controls of the modal list of backups (frmSicherungen): the prompt,
// the backups, the size of them all, Differences, OK and Cancel.
#include "ui/ControlTable.h"

namespace SicherungenControls {

// Identifiers that drivers of the window from outside rely on.
inline constexpr ui::ListViewId lvBackups{200};
inline constexpr ui::ButtonId cmdOK{201};
inline constexpr ui::ButtonId cmdCancel{202};
inline constexpr ui::ButtonId cmdUnterschiede{203};
// The number the window gave it when it numbered it itself.
inline constexpr ui::LabelId lbSize{1001};

// In the window's order, which is also the order of the Tab key.
ui::ControlTable All();

// The client area, in twips.
inline constexpr int kInnerWidth = 8400;
inline constexpr int kInnerHeight = 3420;

}  // namespace SicherungenControls
