#include "ui/ProgressBar_win.h"

#include <commctrl.h>

#include "ui/CommonControls_win.h"

namespace ui {

ProgressBar::ProgressBar(Window& owner, std::string name, Place place, int minimum, int maximum)
    : Control(owner, std::move(name), place) {
    EnsureCommonControls();
    CreateHwnd(PROGRESS_CLASSW, WS_VISIBLE, 0, {});
    SendMessageW(hwnd(), PBM_SETRANGE32, static_cast<WPARAM>(minimum), static_cast<LPARAM>(maximum));
}

int ProgressBar::Value() const { return static_cast<int>(SendMessageW(hwnd(), PBM_GETPOS, 0, 0)); }

void ProgressBar::SetValue(int value) {
    SendMessageW(hwnd(), PBM_SETPOS, static_cast<WPARAM>(value), 0);
    UpdateWindow(hwnd());
}

}  // namespace ui
