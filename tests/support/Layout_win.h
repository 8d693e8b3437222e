#pragma once
// What a user sees of a window's layout: every control inside the client
// area, none overlapping another (frames and what they hold excepted), and
// every caption drawn whole in its control.
#include <windows.h>

#include <string>
#include <vector>

namespace support {

// The visible child windows of `window`, direct children only.
std::vector<HWND> VisibleChildren(HWND window);

// Problems found, one line each; empty when the layout is sound. A group box
// may hold other controls.
std::vector<std::wstring> LayoutProblems(HWND window);

// True when `text` in the control's font fits the control's client rectangle
// (on several lines when `wrap`).
bool TextFits(HWND control, const std::wstring& text, bool wrap);

}  // namespace support
