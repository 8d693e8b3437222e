#include "common/modACTHandle.h"

#include "base/Utf8.h"

namespace modACTHandle {

namespace {
constexpr std::size_t kTitleChars = 50;
}

platform::WindowHandle FindTopLevelWindow(platform::IWindowSystem& windows, platform::ITextCodec& text,
                                          std::string_view classPart, std::string_view titlePart) {
    // The search state lives for this one search only, so searches cannot
    // disturb each other.
    platform::WindowHandle found = 0;
    windows.EnumTopLevelWindows([&](platform::WindowHandle window) {
        if (!windows.IsVisible(window)) return true;
        if (GetWindowClassLower(windows, text, window).find(classPart) == std::string::npos) return true;
        if (titlePart == "*" || GetWindowTitle(windows, window).find(titlePart) != std::string::npos) {
            found = window;
        }
        return true;  // never stop early: the last match wins
    });
    return found;
}

std::string GetWindowTitle(platform::IWindowSystem& windows, platform::WindowHandle window) {
    if (!windows.IsWindow(window)) return {};
    if (windows.TitleLength(window) + 1 <= 1) return "NoText";
    std::string title = windows.Title(window);
    const std::size_t first = title.find_first_not_of(' ');
    std::string_view rest = first == std::string::npos ? std::string_view() : std::string_view(title).substr(first);
    rest = utf8::Left(rest, kTitleChars);
    return std::string(rest.substr(0, rest.find('\0')));
}

std::string GetWindowClassLower(platform::IWindowSystem& windows, platform::ITextCodec& text,
                                platform::WindowHandle window) {
    return text.ToLower(windows.ClassName(window));
}

bool IsACTRunning(platform::IWindowSystem& windows, platform::ITextCodec& text) {
    const bool german = FindTopLevelWindow(windows, text, "act3.0frameclass", "Kundenmanager") != 0;
    const bool english = FindTopLevelWindow(windows, text, "act3.0frameclass", "ACT") != 0;
    return german || english;
}

}  // namespace modACTHandle
