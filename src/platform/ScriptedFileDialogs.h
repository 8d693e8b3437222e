#pragma once
// File dialogs that are recorded instead of shown and answered from a
// script: a confirmed file (or a multiple selection) or a cancel. Without
// an answer queued the dialog is cancelled.
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/FileDialogs.h"

namespace platform {

class ScriptedFileDialogs : public IFileDialogs {
public:
    struct Shown {
        bool open;
        OpenFileNameRecord record;  // as the caller handed it over
    };

    bool ShowOpen(OpenFileNameRecord& record) override;
    bool ShowSave(OpenFileNameRecord& record) override;
    // Answered from its own queue; without an answer the user cancels.
    std::optional<std::string> PickFolder(WindowHandle owner, std::string_view title) override;

    // The user confirms `path` (UTF-8); the title buffer gets its name.
    void QueueFile(const std::string& path);
    // The buffers as the dialog writes them for a multiple selection:
    // folder NUL name NUL name ... NUL NUL.
    void QueueMultiple(const std::string& folder, const std::vector<std::string>& names);
    void QueueCancel();
    // The user picks `folder` (nothing: cancels) in the next folder dialog.
    void QueueFolder(std::optional<std::string> folder) { m_Folders.push_back(std::move(folder)); }
    // The titles of the folder dialogs shown, in order.
    const std::vector<std::string>& FolderTitles() const { return m_FolderTitles; }
    // Writes exactly these buffer contents (UTF-16, NULs included).
    void QueueRaw(std::u16string file, std::u16string fileTitle);

    const std::vector<Shown>& Calls() const { return m_Calls; }
    // Runs while a dialog is "open"; throw from it to make the dialog fail.
    std::function<void(const Shown&)> onShow;

private:
    struct Answer {
        bool confirmed = false;
        std::u16string file;
        std::u16string fileTitle;
    };
    bool Run(bool open, OpenFileNameRecord& record);

    std::deque<Answer> m_Answers;
    std::vector<Shown> m_Calls;
    std::deque<std::optional<std::string>> m_Folders;
    std::vector<std::string> m_FolderTitles;
};

}  // namespace platform
