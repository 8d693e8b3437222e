#pragma once
// The controls of the system's BUTTON class: push button (also with a
// picture), check box, option button and frame.
#include <functional>
#include <string_view>

#include "platform/Handles_win.h"
#include "ui/Control_win.h"

namespace ui {

class Button : public Control {
public:
    Button(Window& owner, std::string name, Place place, std::string_view caption);
    // The button that Enter presses.
    void SetDefault(bool isDefault);
    // Shows a picture instead of the caption; the button keeps the bitmap.
    void SetPicture(platform::UniqueBitmap picture);
    // As a click by the user (the handler runs now).
    void Click();

    std::function<void()> onClick;

protected:
    bool OnCommand(UINT code) override;

private:
    platform::UniqueBitmap m_Picture;
};

// A button that is on or off: check box and option button.
class ToggleButton : public Control {
public:
    bool Checked() const;
    void SetChecked(bool checked);

    std::function<void()> onClick;

protected:
    ToggleButton(Window& owner, std::string name, Place place, DWORD style, std::string_view caption);
    bool OnCommand(UINT code) override;
};

class CheckBox : public ToggleButton {
public:
    CheckBox(Window& owner, std::string name, Place place, std::string_view caption);
};

// Option buttons that follow each other form one group; `firstOfGroup`
// starts a new one.
class OptionButton : public ToggleButton {
public:
    // `checked`: the option its group starts with; at most one per group.
    OptionButton(Window& owner, std::string name, Place place, std::string_view caption, bool firstOfGroup,
                 bool checked = false);
};

class Frame : public Control {
public:
    Frame(Window& owner, std::string name, Place place, std::string_view caption);
};

}  // namespace ui
