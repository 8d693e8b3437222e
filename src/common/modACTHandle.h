#pragma once
// Finding top-level windows by class and title, and the ACT! presence test.
#include <string>
#include <string_view>

#include "platform/TextCodec.h"
#include "platform/WindowSystem.h"

namespace modACTHandle {

// The last visible top-level window, in enumeration order, whose lower-cased
// class name contains `classPart` and whose title (as GetWindowTitle gives
// it) contains `titlePart`, or any title when `titlePart` is "*". 0 if none.
platform::WindowHandle FindTopLevelWindow(platform::IWindowSystem& windows, platform::ITextCodec& text,
                                          std::string_view classPart, std::string_view titlePart);

// "" for no window, "NoText" for an untitled one, else the title without
// leading blanks, cut to 50 characters.
std::string GetWindowTitle(platform::IWindowSystem& windows, platform::WindowHandle window);

std::string GetWindowClassLower(platform::IWindowSystem& windows, platform::ITextCodec& text,
                                platform::WindowHandle window);

// True while a visible main window of ACT! exists.
bool IsACTRunning(platform::IWindowSystem& windows, platform::ITextCodec& text);

}  // namespace modACTHandle
