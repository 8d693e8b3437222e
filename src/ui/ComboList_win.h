#pragma once
// A drop-down list: the user picks one of its entries and types nothing.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "ui/Control_win.h"

namespace ui {

class ComboList : public Control {
public:
    ComboList(Window& owner, std::string name, Place place);

    void AddItem(std::string_view text);
    void Clear();
    int Count() const;
    std::string ItemText(int index) const;
    // The selected entry's position from 0, -1 when none.
    int ListIndex() const;
    // False (and the selection kept) for a position the list does not have.
    bool SetListIndex(int index);

    std::function<void()> onChange;

protected:
    Place WindowPlace() const override;
    bool OnCommand(UINT code) override;
};

}  // namespace ui
