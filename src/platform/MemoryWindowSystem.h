#pragma once
// An in-memory window list: windows with class, title, visibility and
// placement in enumeration order, and a log of every operation that changes
// something. Any operation can be made to fail through a hook.
#include <functional>
#include <string>
#include <vector>

#include "platform/WindowSystem.h"

namespace platform {

class MemoryWindowSystem : public IWindowSystem {
public:
    struct Window {
        WindowHandle handle = 0;
        std::string className;
        std::string title;
        bool visible = true;
        WindowPlacement placement{44, 0, kShowNormal};
        bool topmost = false;
    };

    enum class Op {
        Enum,
        GetPlacement,
        SetPlacement,
        SetForeground,
        BringToTop,
        SetTopmost,
        ActivateByTitle,
        DoEvents,
        WaitForEvents
    };
    struct Call {
        Op op;
        WindowHandle window = 0;
        std::string text;  // ActivateByTitle
        bool flag = false;  // SetTopmost
        WindowPlacement placement{};  // SetPlacement
        int timeoutMs = 0;  // WaitForEvents
        bool operator==(const Call&) const = default;
    };
    // Return true to make the call fail (or throw).
    using FaultHook = std::function<bool(const Call&)>;

    // Appends a window at the end of the enumeration order; returns its handle.
    WindowHandle Add(std::string className, std::string title, bool visible = true);
    Window& At(WindowHandle handle);
    void Destroy(WindowHandle handle);
    void SetFaultHook(FaultHook hook) { m_Fault = std::move(hook); }
    const std::vector<Call>& Calls() const { return m_Calls; }
    void ClearLog() { m_Calls.clear(); }
    WindowHandle Foreground() const { return m_Foreground; }
    // Top of the window order first.
    std::vector<WindowHandle> ZOrder() const { return m_ZOrder; }
    // Called by DoEvents and WaitForEvents, so tests can run "pending events".
    std::function<void()> onDoEvents;
    // Called by WaitForEvents before that, with its timeout: a test's clock moves on.
    std::function<void(int)> onWaitForEvents;

    void EnumTopLevelWindows(const std::function<bool(WindowHandle)>& callback) override;
    bool IsVisible(WindowHandle window) override;
    bool IsWindow(WindowHandle window) override;
    std::string ClassName(WindowHandle window) override;
    int TitleLength(WindowHandle window) override;
    std::string Title(WindowHandle window) override;
    std::optional<WindowPlacement> GetPlacement(WindowHandle window) override;
    bool SetPlacement(WindowHandle window, const WindowPlacement& placement) override;
    bool SetForeground(WindowHandle window) override;
    bool BringToTop(WindowHandle window) override;
    bool SetTopmost(WindowHandle window, bool topmost) override;
    bool ActivateByTitle(std::string_view title) override;
    void DoEvents() override;
    void WaitForEvents(int timeoutMs) override;

private:
    Window* Find(WindowHandle handle);
    bool Record(Call call);
    void MoveToTop(WindowHandle handle);

    std::vector<Window> m_Windows;
    std::vector<WindowHandle> m_ZOrder;
    std::vector<Call> m_Calls;
    WindowHandle m_Next = 0x10010;
    WindowHandle m_Foreground = 0;
    FaultHook m_Fault;
};

}  // namespace platform
