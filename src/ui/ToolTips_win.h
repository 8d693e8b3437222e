#pragma once
// The tool tips of one window: a text per control.
//
// The tips live in a top-level window of their own, which costs a start as
// much as a few controls. Nobody points at a control before it is on screen,
// so that window is made only when the window shows (or when a tip is set on
// a window already shown); tips set before then wait here.
#include <windows.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ui {

class Control;

class ToolTips {
public:
    explicit ToolTips(HWND window);
    ~ToolTips();
    ToolTips(const ToolTips&) = delete;
    ToolTips& operator=(const ToolTips&) = delete;

    void Set(const Control& control, std::string_view text);
    std::string TextOf(const Control& control) const;
    // Makes the tips' window with the tips set so far; the window's Show does this.
    void Make();
    HWND hwnd() const { return m_Tips; }  // nullptr until made

private:
    void Add(HWND control, std::wstring text);

    HWND m_Window;
    HWND m_Tips = nullptr;  // owned by the window, destroyed with it
    std::vector<std::pair<HWND, std::wstring>> m_Waiting;  // control, text: set before the tips' window was made
};

}  // namespace ui
