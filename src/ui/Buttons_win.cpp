#include "ui/Buttons_win.h"

#include "ui/Window_win.h"

namespace ui {

Button::Button(Window& owner, std::string name, Place place, std::string_view caption)
    : Control(owner, std::move(name), place) {
    CreateHwnd(L"BUTTON", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, caption);
}

void Button::SetDefault(bool isDefault) {
    SendMessageW(hwnd(), BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    if (isDefault) Owner().SetDefaultButton(Id());
}

void Button::SetPicture(platform::UniqueBitmap picture) {
    m_Picture = std::move(picture);
    SetWindowLongW(hwnd(), GWL_STYLE, GetWindowLongW(hwnd(), GWL_STYLE) | BS_BITMAP);
    SendMessageW(hwnd(), BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(m_Picture.get()));
}

void Button::Click() {
    if (onClick) onClick();
}

bool Button::OnCommand(UINT code) {
    if (code != BN_CLICKED) return false;
    Click();
    return true;
}

ToggleButton::ToggleButton(Window& owner, std::string name, Place place, DWORD style, std::string_view caption)
    : Control(owner, std::move(name), place) {
    CreateHwnd(L"BUTTON", WS_VISIBLE | style, 0, caption);
}

bool ToggleButton::Checked() const { return SendMessageW(hwnd(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void ToggleButton::SetChecked(bool checked) {
    SendMessageW(hwnd(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool ToggleButton::OnCommand(UINT code) {
    if (code != BN_CLICKED) return false;
    if (onClick) onClick();
    return true;
}

CheckBox::CheckBox(Window& owner, std::string name, Place place, std::string_view caption)
    : ToggleButton(owner, std::move(name), place, WS_TABSTOP | BS_AUTOCHECKBOX, caption) {}

OptionButton::OptionButton(Window& owner, std::string name, Place place, std::string_view caption, bool firstOfGroup,
                           bool checked)
    : ToggleButton(owner, std::move(name), place,
                   (checked ? BS_RADIOBUTTON : BS_AUTORADIOBUTTON) | (firstOfGroup ? WS_GROUP | WS_TABSTOP : 0),
                   caption) {
    if (!checked) return;
    // Checked as a plain option, then made automatic: an automatic one walks
    // its whole group to clear the others, one system call per control of
    // the window, and a new option has none checked to clear.
    SendMessageW(hwnd(), BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(hwnd(), BM_SETSTYLE, BS_AUTORADIOBUTTON, FALSE);
}

Frame::Frame(Window& owner, std::string name, Place place, std::string_view caption)
    : Control(owner, std::move(name), place) {
    CreateHwnd(L"BUTTON", WS_VISIBLE | BS_GROUPBOX, 0, caption);
}

}  // namespace ui
