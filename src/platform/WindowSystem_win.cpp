#include "platform/WindowSystem_win.h"

#include <windows.h>

#include <algorithm>
#include <exception>
#include <vector>

#include "platform/MessagePump_win.h"
#include "platform/WinText_win.h"

namespace platform {
namespace {

HWND H(WindowHandle w) { return reinterpret_cast<HWND>(w); }
WindowHandle W(HWND h) { return reinterpret_cast<WindowHandle>(h); }

struct EnumContext {
    const std::function<bool(WindowHandle)>* callback;
    std::exception_ptr error;
};

// No exception may cross EnumWindows: it is kept here and rethrown after.
BOOL CALLBACK EnumProc(HWND hwnd, LPARAM lParam) {
    auto* context = reinterpret_cast<EnumContext*>(lParam);
    try {
        return (*context->callback)(W(hwnd)) ? TRUE : FALSE;
    } catch (...) {
        context->error = std::current_exception();
        return FALSE;
    }
}

BOOL CALLBACK CollectProc(HWND hwnd, LPARAM lParam) {
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hwnd);
    return TRUE;
}

std::vector<HWND> TopLevelWindows() {
    std::vector<HWND> windows;
    EnumWindows(CollectProc, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

}  // namespace

void WinWindowSystem::EnumTopLevelWindows(const std::function<bool(WindowHandle)>& callback) {
    EnumContext context{&callback, nullptr};
    EnumWindows(EnumProc, reinterpret_cast<LPARAM>(&context));
    if (context.error) std::rethrow_exception(context.error);
}

bool WinWindowSystem::IsVisible(WindowHandle window) { return IsWindowVisible(H(window)) != FALSE; }

bool WinWindowSystem::IsWindow(WindowHandle window) { return ::IsWindow(H(window)) != FALSE; }

std::string WinWindowSystem::ClassName(WindowHandle window) {
    wchar_t buffer[256] = {};
    const int n = GetClassNameW(H(window), buffer, 256);
    return n > 0 ? Narrow(std::wstring_view(buffer, static_cast<std::size_t>(n))) : std::string();
}

int WinWindowSystem::TitleLength(WindowHandle window) { return GetWindowTextLengthW(H(window)); }

std::string WinWindowSystem::Title(WindowHandle window) {
    const int length = GetWindowTextLengthW(H(window));
    if (length <= 0) return {};
    std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
    const int n = GetWindowTextW(H(window), buffer.data(), length + 1);
    buffer.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return Narrow(buffer);
}

std::optional<WindowPlacement> WinWindowSystem::GetPlacement(WindowHandle window) {
    WINDOWPLACEMENT wp{};
    wp.length = sizeof(wp);
    if (!GetWindowPlacement(H(window), &wp)) return std::nullopt;
    WindowPlacement p;
    p.length = wp.length;
    p.flags = wp.flags;
    p.showCmd = wp.showCmd;
    p.minX = wp.ptMinPosition.x;
    p.minY = wp.ptMinPosition.y;
    p.maxX = wp.ptMaxPosition.x;
    p.maxY = wp.ptMaxPosition.y;
    p.left = wp.rcNormalPosition.left;
    p.top = wp.rcNormalPosition.top;
    p.right = wp.rcNormalPosition.right;
    p.bottom = wp.rcNormalPosition.bottom;
    return p;
}

bool WinWindowSystem::SetPlacement(WindowHandle window, const WindowPlacement& p) {
    WINDOWPLACEMENT wp{};
    wp.length = p.length;
    wp.flags = p.flags;
    wp.showCmd = p.showCmd;
    wp.ptMinPosition = {p.minX, p.minY};
    wp.ptMaxPosition = {p.maxX, p.maxY};
    wp.rcNormalPosition = {p.left, p.top, p.right, p.bottom};
    return SetWindowPlacement(H(window), &wp) != FALSE;
}

bool WinWindowSystem::SetForeground(WindowHandle window) { return SetForegroundWindow(H(window)) != FALSE; }

bool WinWindowSystem::BringToTop(WindowHandle window) { return BringWindowToTop(H(window)) != FALSE; }

namespace {

struct HiddenOwned {
    HWND owner;
    std::vector<HWND> hidden;
};

BOOL CALLBACK HiddenOwnedProc(HWND hwnd, LPARAM lParam) {
    auto* o = reinterpret_cast<HiddenOwned*>(lParam);
    if (GetWindow(hwnd, GW_OWNER) == o->owner && !IsWindowVisible(hwnd)) o->hidden.push_back(hwnd);
    return TRUE;
}

}  // namespace

bool WinWindowSystem::SetTopmost(WindowHandle window, bool topmost) {
    // Under Wine an owner does not become topmost while it owns a topmost
    // window (a tool tip): the system moves the owned window first and then
    // places the owner after it, without the topmost state. The hidden
    // windows it owns are let go of for the move and given back after it.
    HiddenOwned owned{H(window), {}};
    if (topmost) {
        EnumThreadWindows(GetWindowThreadProcessId(owned.owner, nullptr), HiddenOwnedProc,
                          reinterpret_cast<LPARAM>(&owned));
    }
    for (HWND hidden : owned.hidden) SetWindowLongPtrW(hidden, GWLP_HWNDPARENT, 0);
    const bool done = SetWindowPos(owned.owner, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                                   SWP_NOMOVE | SWP_NOSIZE) != FALSE;
    for (HWND hidden : owned.hidden)
        SetWindowLongPtrW(hidden, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owned.owner));
    return done;
}

bool WinWindowSystem::ActivateByTitle(std::string_view title) {
    const std::wstring wanted = Widen(title);
    HWND exact = nullptr;
    HWND prefix = nullptr;
    for (HWND hwnd : TopLevelWindows()) {
        const int length = GetWindowTextLengthW(hwnd);
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        text.resize(static_cast<std::size_t>(std::max(0, GetWindowTextW(hwnd, text.data(), length + 1))));
        if (text == wanted) {
            exact = hwnd;
            break;
        }
        if (prefix == nullptr && text.starts_with(wanted)) prefix = hwnd;
    }
    HWND target = exact != nullptr ? exact : prefix;
    if (target == nullptr) return false;
    SetForegroundWindow(target);
    return true;
}

void WinWindowSystem::DoEvents() { PumpPending(); }

void WinWindowSystem::WaitForEvents(int timeoutMs) {
    PumpWithTimeout(static_cast<DWORD>(timeoutMs < 0 ? 0 : timeoutMs));
}

}  // namespace platform
