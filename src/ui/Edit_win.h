#pragma once
// A one-line text box.
#include <functional>
#include <string_view>

#include "ui/Control_win.h"

namespace ui {

class Edit : public Control {
public:
    Edit(Window& owner, std::string name, Place place, std::string_view text = {});

    std::function<void()> onChange;

protected:
    bool OnCommand(UINT code) override;
};

}  // namespace ui
