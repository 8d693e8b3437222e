#include "common/modACTHandle.h"

#include "base/Utf8.h"

namespace modACTHandle {

namespace {
constexpr std::size_t kTitleChars = 50;
}

platform::WindowHandle FindTopLevelWindow(const platform::Platform& env, std::string_view classPart,
                                          std::string_view titlePart) {
    // The search state lives for this one search only, so searches cannot
    // disturb each other.
    platform::WindowHandle found = 0;
    env.windows.EnumTopLevelWindows([&](platform::WindowHandle window) {
        if (!env.windows.IsVisible(window)) return true;
        if (GetWindowClassLower(env, window).find(classPart) == std::string::npos) return true;
        if (titlePart == "*" || GetWindowTitle(env, window).find(titlePart) != std::string::npos) {
            found = window;
        }
        return true;  // never stop early: the last match wins
    });
    return found;
}

std::string GetWindowTitle(const platform::Platform& env, platform::WindowHandle window) {
    if (!env.windows.IsWindow(window)) return {};
    if (env.windows.TitleLength(window) + 1 <= 1) return "NoText";
    std::string title = env.windows.Title(window);
    const std::size_t first = title.find_first_not_of(' ');
    std::string_view rest = first == std::string::npos ? std::string_view() : std::string_view(title).substr(first);
    rest = utf8::Left(rest, kTitleChars);
    return std::string(rest.substr(0, rest.find('\0')));
}

std::string GetWindowClassLower(const platform::Platform& env, platform::WindowHandle window) {
    return env.text.ToLower(env.windows.ClassName(window));
}

bool IsACTRunning(const platform::Platform& env) {
    const bool german = FindTopLevelWindow(env, "act3.0frameclass", "Kundenmanager") != 0;
    const bool english = FindTopLevelWindow(env, "act3.0frameclass", "ACT") != 0;
    return german || english;
}

}  // namespace modACTHandle
