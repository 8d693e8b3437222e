#pragma once
#include "platform/WindowSystem.h"

namespace platform {

class WinWindowSystem : public IWindowSystem {
public:
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
};

}  // namespace platform
