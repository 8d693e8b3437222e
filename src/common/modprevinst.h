#pragma once
// Bringing a window to the front.
#include <string_view>

#include "platform/Platform.h"

namespace modprevinst {

// A minimised window comes back in its normal size (and is not made the
// foreground window); any other is made the foreground window and raised.
void RestoreOrRaiseWindow(const platform::Platform& env, platform::WindowHandle window);

// Activates the window titled `title` (or whose title begins with it) and
// brings it in front of all normal windows. Raises AppError when no window
// has such a title.
void ActivateWindowByTitle(const platform::Platform& env, std::string_view title);

}  // namespace modprevinst
