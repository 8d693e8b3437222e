#pragma once
// The common controls (list view, status bar, progress bar, tool tips) come
// from comctl32, which is loaded the first time a window needs one: a start
// that shows no such control does not pay for it.
namespace ui {

// Loads comctl32 (version 6, through the program's manifest) and registers
// its window classes; raises AppError when it cannot.
void EnsureCommonControls();

}  // namespace ui
