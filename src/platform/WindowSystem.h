#pragma once
// The top-level window list and the few window operations the programs use.
// Texts are UTF-8; the Win32 side speaks UTF-16 to the system.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

using WindowHandle = std::uintptr_t;

inline constexpr std::uint32_t kShowNormal = 1;
inline constexpr std::uint32_t kShowMinimized = 2;
inline constexpr std::uint32_t kShowMaximized = 3;

// The platform's WINDOWPLACEMENT record, all of it, so that a read-modify-write
// keeps the fields the caller does not touch.
struct WindowPlacement {
    std::uint32_t length = 44;
    std::uint32_t flags = 0;
    std::uint32_t showCmd = 0;
    std::int32_t minX = 0, minY = 0, maxX = 0, maxY = 0;
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const WindowPlacement&) const = default;
};

class IWindowSystem {
public:
    virtual ~IWindowSystem() = default;

    // Calls back once per top-level window in the platform's order until the
    // callback returns false. An exception from the callback ends the
    // enumeration and is rethrown to the caller.
    virtual void EnumTopLevelWindows(const std::function<bool(WindowHandle)>& callback) = 0;
    virtual bool IsVisible(WindowHandle window) = 0;
    virtual bool IsWindow(WindowHandle window) = 0;
    // At most 255 characters, as a 256-character buffer gives them.
    virtual std::string ClassName(WindowHandle window) = 0;
    // Title length in characters (0 when there is none).
    virtual int TitleLength(WindowHandle window) = 0;
    virtual std::string Title(WindowHandle window) = 0;
    virtual std::optional<WindowPlacement> GetPlacement(WindowHandle window) = 0;
    virtual bool SetPlacement(WindowHandle window, const WindowPlacement& placement) = 0;
    virtual bool SetForeground(WindowHandle window) = 0;
    virtual bool BringToTop(WindowHandle window) = 0;
    // Topmost on or off, keeping position and size.
    virtual bool SetTopmost(WindowHandle window, bool topmost) = 0;
    // Activates the top-level window whose title equals `title`, or else one
    // whose title begins with it. False when there is neither.
    virtual bool ActivateByTitle(std::string_view title) = 0;
    // Lets the program's pending window messages run, then returns.
    virtual void DoEvents() = 0;
    // Waits until a window message comes or `timeoutMs` passes, then lets the
    // pending messages run: the pause of a waiting loop that keeps the window
    // responsive without keeping a processor busy.
    virtual void WaitForEvents(int timeoutMs) = 0;
};

}  // namespace platform
