#include "ui/Edit_win.h"

namespace ui {

Edit::Edit(Window& owner, std::string name, Place place, std::string_view text)
    : Control(owner, std::move(name), place) {
    CreateHwnd(L"EDIT", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, text);
}

bool Edit::OnCommand(UINT code) {
    if (code != EN_CHANGE) return false;
    if (onChange) onChange();
    return true;
}

}  // namespace ui
