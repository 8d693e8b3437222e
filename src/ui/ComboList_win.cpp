#include "ui/ComboList_win.h"

#include "platform/WinText_win.h"

namespace ui {
namespace {

// The place gives the closed box; the open list needs room below it.
constexpr int kDropDownTwips = 3000;

}  // namespace

ComboList::ComboList(Window& owner, std::string name, Place place) : Control(owner, std::move(name), place) {
    CreateHwnd(L"COMBOBOX", WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0, {});
}

Place ComboList::WindowPlace() const {
    Place p = GetPlace();
    p.height += kDropDownTwips;
    return p;
}

void ComboList::AddItem(std::string_view text) {
    SendMessageW(hwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(platform::Widen(text).c_str()));
}

void ComboList::Clear() { SendMessageW(hwnd(), CB_RESETCONTENT, 0, 0); }

int ComboList::Count() const { return static_cast<int>(SendMessageW(hwnd(), CB_GETCOUNT, 0, 0)); }

std::string ComboList::ItemText(int index) const {
    const LRESULT length = SendMessageW(hwnd(), CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(hwnd(), CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return platform::Narrow(text);
}

int ComboList::ListIndex() const { return static_cast<int>(SendMessageW(hwnd(), CB_GETCURSEL, 0, 0)); }

bool ComboList::SetListIndex(int index) {
    if (index < 0 || index >= Count()) return false;
    SendMessageW(hwnd(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    return true;
}

bool ComboList::OnCommand(UINT code) {
    if (code != CBN_SELCHANGE) return false;
    if (onChange) onChange();
    return true;
}

}  // namespace ui
