#include "platform/MemoryWindowSystem.h"

#include <algorithm>
#include <stdexcept>

#include "base/Utf8.h"

namespace platform {

WindowHandle MemoryWindowSystem::Add(std::string className, std::string title, bool visible) {
    Window w;
    w.handle = m_Next;
    m_Next += 0x10;
    w.className = std::move(className);
    w.title = std::move(title);
    w.visible = visible;
    m_Windows.push_back(std::move(w));
    m_ZOrder.insert(m_ZOrder.begin(), m_Windows.back().handle);
    return m_Windows.back().handle;
}

MemoryWindowSystem::Window& MemoryWindowSystem::At(WindowHandle handle) {
    Window* w = Find(handle);
    if (w == nullptr) throw std::out_of_range("no such window");
    return *w;
}

void MemoryWindowSystem::Destroy(WindowHandle handle) {
    std::erase_if(m_Windows, [handle](const Window& w) { return w.handle == handle; });
    std::erase(m_ZOrder, handle);
}

MemoryWindowSystem::Window* MemoryWindowSystem::Find(WindowHandle handle) {
    auto it =
        std::find_if(m_Windows.begin(), m_Windows.end(), [handle](const Window& w) { return w.handle == handle; });
    return it == m_Windows.end() ? nullptr : &*it;
}

bool MemoryWindowSystem::Record(Call call) {
    const bool failed = m_Fault && m_Fault(call);
    m_Calls.push_back(std::move(call));
    return !failed;
}

void MemoryWindowSystem::MoveToTop(WindowHandle handle) {
    std::erase(m_ZOrder, handle);
    m_ZOrder.insert(m_ZOrder.begin(), handle);
}

void MemoryWindowSystem::EnumTopLevelWindows(const std::function<bool(WindowHandle)>& callback) {
    if (!Record({Op::Enum})) return;
    // A copy: the callback may add or destroy windows.
    std::vector<WindowHandle> handles;
    for (const Window& w : m_Windows) handles.push_back(w.handle);
    for (WindowHandle h : handles) {
        if (!callback(h)) break;
    }
}

bool MemoryWindowSystem::IsVisible(WindowHandle window) {
    const Window* w = Find(window);
    return w != nullptr && w->visible;
}

bool MemoryWindowSystem::IsWindow(WindowHandle window) { return Find(window) != nullptr; }

std::string MemoryWindowSystem::ClassName(WindowHandle window) {
    const Window* w = Find(window);
    return w == nullptr ? std::string() : std::string(utf8::Left(w->className, 255));
}

int MemoryWindowSystem::TitleLength(WindowHandle window) {
    const Window* w = Find(window);
    return w == nullptr ? 0 : static_cast<int>(utf8::Length(w->title));
}

std::string MemoryWindowSystem::Title(WindowHandle window) {
    const Window* w = Find(window);
    return w == nullptr ? std::string() : w->title;
}

std::optional<WindowPlacement> MemoryWindowSystem::GetPlacement(WindowHandle window) {
    if (!Record({Op::GetPlacement, window})) return std::nullopt;
    const Window* w = Find(window);
    if (w == nullptr) return std::nullopt;
    return w->placement;
}

bool MemoryWindowSystem::SetPlacement(WindowHandle window, const WindowPlacement& placement) {
    if (!Record({Op::SetPlacement, window, {}, false, placement})) return false;
    Window* w = Find(window);
    if (w == nullptr) return false;
    w->placement = placement;
    return true;
}

bool MemoryWindowSystem::SetForeground(WindowHandle window) {
    if (!Record({Op::SetForeground, window})) return false;
    if (Find(window) == nullptr) return false;
    m_Foreground = window;
    return true;
}

bool MemoryWindowSystem::BringToTop(WindowHandle window) {
    if (!Record({Op::BringToTop, window})) return false;
    if (Find(window) == nullptr) return false;
    MoveToTop(window);
    return true;
}

bool MemoryWindowSystem::SetTopmost(WindowHandle window, bool topmost) {
    if (!Record({Op::SetTopmost, window, {}, topmost})) return false;
    Window* w = Find(window);
    if (w == nullptr) return false;
    w->topmost = topmost;
    if (topmost) MoveToTop(window);
    return true;
}

bool MemoryWindowSystem::ActivateByTitle(std::string_view title) {
    if (!Record({Op::ActivateByTitle, 0, std::string(title)})) return false;
    Window* match = nullptr;
    for (Window& w : m_Windows) {
        if (w.title == title) {
            match = &w;
            break;
        }
    }
    if (match == nullptr) {
        for (Window& w : m_Windows) {
            if (w.title.starts_with(title)) {
                match = &w;
                break;
            }
        }
    }
    if (match == nullptr) return false;
    m_Foreground = match->handle;
    MoveToTop(match->handle);
    return true;
}

void MemoryWindowSystem::DoEvents() {
    Record({Op::DoEvents});
    if (onDoEvents) onDoEvents();
}

void MemoryWindowSystem::WaitForEvents(int timeoutMs) {
    Call call{Op::WaitForEvents};
    call.timeoutMs = timeoutMs;
    Record(call);
    if (onWaitForEvents) onWaitForEvents(timeoutMs);
    if (onDoEvents) onDoEvents();
}

}  // namespace platform
