#include "common/modprevinst.h"

#include "base/AppError.h"
#include "base/UiTexts.h"
#include "common/modACTHandle.h"

namespace modprevinst {

void RestoreOrRaiseWindow(platform::IWindowSystem& windows, platform::WindowHandle window) {
    if (window == 0) return;
    auto placement = windows.GetPlacement(window);
    if (!placement) return;
    if (placement->showCmd == platform::kShowMinimized) {
        placement->length = 44;
        placement->flags = 0;
        placement->showCmd = platform::kShowNormal;
        windows.SetPlacement(window, *placement);
        return;
    }
    windows.SetForeground(window);
    windows.BringToTop(window);
}

void ActivateWindowByTitle(platform::IWindowSystem& windows, platform::ITextCodec& text, std::string_view title) {
    if (!windows.ActivateByTitle(title)) {
        Raise(ErrorNumber::InvalidCall);
    }
    const platform::WindowHandle window = modACTHandle::FindTopLevelWindow(windows, text, "", title);
    if (window == 0) return;
    RestoreOrRaiseWindow(windows, window);
    windows.SetTopmost(window, true);
    windows.DoEvents();
    windows.SetTopmost(window, false);
}

}  // namespace modprevinst
