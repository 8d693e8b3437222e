#pragma once
// The small window in which an install or removal run reports.
#include <string_view>

class IProgressWindow {
public:
    virtual ~IProgressWindow() = default;
    // Loads and shows the window with its first message, without a modal loop.
    virtual void Show(std::string_view info) = 0;
    // Replaces the message.
    virtual void SetInfo(std::string_view info) = 0;
};
