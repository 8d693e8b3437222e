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

class CheckBox : public Control {
public:
    CheckBox(Window& owner, std::string name, Place place, std::string_view caption);
    bool Checked() const;
    void SetChecked(bool checked);

    std::function<void()> onClick;

protected:
    bool OnCommand(UINT code) override;
};

// Option buttons that follow each other form one group; `firstOfGroup`
// starts a new one.
class OptionButton : public Control {
public:
    OptionButton(Window& owner, std::string name, Place place, std::string_view caption, bool firstOfGroup);
    bool Checked() const;
    void SetChecked(bool checked);

    std::function<void()> onClick;

protected:
    bool OnCommand(UINT code) override;
};

class Frame : public Control {
public:
    Frame(Window& owner, std::string name, Place place, std::string_view caption);
};

}  // namespace ui
