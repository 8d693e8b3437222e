#include "common/modprevinst.h"

#include "base/AppError.h"
#include "base/UiTexts.h"
#include "common/modACTHandle.h"

namespace modprevinst {

void RestoreOrRaiseWindow(const platform::Platform& env, platform::WindowHandle window) {
    if (window == 0) return;
    auto placement = env.windows.GetPlacement(window);
    if (!placement) return;
    if (placement->showCmd == platform::kShowMinimized) {
        placement->length = 44;
        placement->flags = 0;
        placement->showCmd = platform::kShowNormal;
        env.windows.SetPlacement(window, *placement);
        return;
    }
    env.windows.SetForeground(window);
    env.windows.BringToTop(window);
}

void ActivateWindowByTitle(const platform::Platform& env, std::string_view title) {
    if (!env.windows.ActivateByTitle(title)) {
        Raise(ErrorNumber::InvalidCall);
    }
    const platform::WindowHandle window = modACTHandle::FindTopLevelWindow(env, "", title);
    if (window == 0) return;
    RestoreOrRaiseWindow(env, window);
    env.windows.SetTopmost(window, true);
    env.windows.DoEvents();
    env.windows.SetTopmost(window, false);
}

}  // namespace modprevinst
