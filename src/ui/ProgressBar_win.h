#pragma once
// A progress bar.
#include "ui/Control_win.h"

namespace ui {

class ProgressBar : public Control {
public:
    ProgressBar(Window& owner, std::string name, Place place, int minimum = 0, int maximum = 100);
    int Value() const;
    void SetValue(int value);
};

}  // namespace ui
