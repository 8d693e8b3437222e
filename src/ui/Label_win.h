#pragma once
// A label: text on the window, clickable, optionally drawn transparently
// over a picture and underlined while the mouse is over it (a link).
#include <functional>
#include <string_view>

#include "platform/Handles_win.h"
#include "ui/Control_win.h"

namespace ui {

class Label : public Control {
public:
    struct Options {
        bool mnemonic = true;  // "&" marks the access key of the next control
        bool transparent = false;  // drawn over what lies below
        COLORREF color = CLR_INVALID;  // text colour; the system's when invalid
        bool centered = false;
    };

    Label(Window& owner, std::string name, Place place, std::string_view caption);
    Label(Window& owner, std::string name, Place place, std::string_view caption, Options options);

    void SetUnderline(bool underline);
    bool Underlined() const { return m_Underline; }

    std::function<void()> onClick;
    std::function<void()> onMouseMove;

    void ApplyFont(HFONT font) override;

protected:
    bool OnCommand(UINT code) override;
    HBRUSH OnColor(HDC dc) override;
    bool OnOwnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void ApplyUnderline();

    Options m_Options;
    HFONT m_BaseFont = nullptr;  // the window's
    platform::UniqueFont m_UnderlineFont;
    bool m_Underline = false;
};

}  // namespace ui
