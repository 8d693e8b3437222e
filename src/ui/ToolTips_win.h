#pragma once
// The tool tips of one window: a text per control.
#include <windows.h>

#include <string>
#include <string_view>

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
    HWND hwnd() const { return m_Tips; }

private:
    HWND m_Window;
    HWND m_Tips;  // owned by the window, destroyed with it
};

}  // namespace ui
