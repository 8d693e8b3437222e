#pragma once
// Bringing a window to the front.
#include <string_view>

#include "platform/TextCodec.h"
#include "platform/WindowSystem.h"

namespace modprevinst {

// A minimised window comes back in its normal size (and is not made the
// foreground window); any other is made the foreground window and raised.
void RestoreOrRaiseWindow(platform::IWindowSystem& windows, platform::WindowHandle window);

// Activates the window titled `title` (or whose title begins with it) and
// brings it in front of all normal windows. Raises AppError when no window
// has such a title.
void ActivateWindowByTitle(platform::IWindowSystem& windows, platform::ITextCodec& text, std::string_view title);

}  // namespace modprevinst
