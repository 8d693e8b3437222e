#include "ui/CommonControls_win.h"

#include <windows.h>
#include <commctrl.h>

#include "base/AppError.h"
#include "base/UiTexts.h"
#include "platform/Handles_win.h"

namespace ui {

void EnsureCommonControls() {
    static platform::UniqueModule comctl32;
    if (comctl32) return;
    platform::UniqueModule module(LoadLibraryW(L"comctl32.dll"));
    using InitFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    const auto init =
        module ? reinterpret_cast<InitFn>(reinterpret_cast<void*>(GetProcAddress(module.get(), "InitCommonControlsEx")))
               : nullptr;
    if (init == nullptr) Raise(ErrorNumber::Internal, std::string(texts::kCommonControlsMissing));
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_PROGRESS_CLASS |
                                              ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    init(&icc);
    comctl32 = std::move(module);
}

}  // namespace ui
