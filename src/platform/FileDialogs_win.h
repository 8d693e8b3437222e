#pragma once
// The common dialogs' open and save dialogs through their W entry points
// (comdlg32, loaded when first used), with the record the platform defines
// for the build, so that the dialogs have today's look.
#include "platform/FileDialogs.h"

namespace platform {

class WinFileDialogs : public IFileDialogs {
public:
    bool ShowOpen(OpenFileNameRecord& record) override;
    bool ShowSave(OpenFileNameRecord& record) override;
    // The item dialog of today's look (IFileOpenDialog) picking folders.
    std::optional<std::string> PickFolder(WindowHandle owner, std::string_view title) override;
};

}  // namespace platform
