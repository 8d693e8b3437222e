#pragma once
// The system's open and save file dialogs, and its folder dialog. The record is the platform's
// open-file-name record in portable form: the texts are UTF-8; the file and
// file-title buffers are in UTF-16 units, the characters the dialog counts,
// NULs included, each exactly as long as its size field says.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/WindowSystem.h"

namespace platform {

struct OpenFileNameRecord {
    WindowHandle owner = 0;
    std::uintptr_t instance = 0;
    std::string filter;  // description NUL pattern NUL ... NUL NUL
    std::uint32_t filterIndex = 0;
    std::u16string file;  // the file buffer
    std::uint32_t fileBufferSize = 0;
    std::u16string fileTitle;  // the file-title buffer
    std::uint32_t fileTitleBufferSize = 0;
    std::string initialDir;
    std::string title;  // empty: the dialog's own title
    std::uint32_t flags = 0;
    std::uint16_t fileOffset = 0;  // written by the dialog
    std::uint16_t fileExtension = 0;  // written by the dialog
    std::string defaultExt;  // empty: none
    std::uintptr_t custData = 0;
    // No custom filter, no hook procedure, no template.
    bool operator==(const OpenFileNameRecord&) const = default;
};

class IFileDialogs {
public:
    virtual ~IFileDialogs() = default;
    // The open and the save dialog (GetOpenFileName, GetSaveFileName).
    // True when the user confirmed a file: the buffers and offsets then hold
    // what the dialog wrote. False on cancel and when the dialog failed.
    virtual bool ShowOpen(OpenFileNameRecord& record) = 0;
    virtual bool ShowSave(OpenFileNameRecord& record) = 0;
    // The folder dialog over `owner`, titled `title`: the folder the user
    // confirmed (UTF-8), or nothing on cancel and when the dialog failed.
    virtual std::optional<std::string> PickFolder(WindowHandle owner, std::string_view title) = 0;
};

}  // namespace platform
