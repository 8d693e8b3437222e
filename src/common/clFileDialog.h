#pragma once
// The system's open or save file dialog behind a small object: set the
// properties, call Show, read FileName. Texts are UTF-8; the buffer sizes
// count the dialog's characters (UTF-16 units).
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"

class clFileDialog {
public:
    static constexpr std::int16_t kDefaultMaxFileSize = 260;
    static constexpr std::uint32_t kAllowMultiSelect = 0x200;
    static constexpr std::uint32_t kExplorer = 0x80000;

    // `boxes` show a fault of a member.
    clFileDialog(platform::IMessageBoxes& boxes, platform::IFileDialogs& dialogs);

    const std::string& DefaultExt() const { return m_DefaultExt; }
    void DefaultExt(std::string_view value) { m_DefaultExt = value; }
    const std::string& DialogTitle() const { return m_DialogTitle; }
    void DialogTitle(std::string_view value) { m_DialogTitle = value; }
    // Before Show the name proposed; after a confirmed Show the chosen path.
    const std::string& FileName() const { return m_FileName; }
    void FileName(std::string_view value) { m_FileName = value; }
    // After a confirmed Show the chosen file's name without its folder.
    const std::string& FileTitle() const { return m_FileTitle; }
    void FileTitle(std::string_view value) { m_FileTitle = value; }
    const std::string& InitialDir() const { return m_InitialDir; }
    void InitialDir(std::string_view value) { m_InitialDir = value; }
    // Description and pattern pairs, all separated by "|".
    const std::string& Filter() const { return m_Filter; }
    void Filter(std::string_view value) { m_Filter = value; }
    std::int16_t FilterIndex() const { return m_FilterIndex; }
    void FilterIndex(std::int16_t value) { m_FilterIndex = value; }
    // Passed to the platform as they are.
    std::uint32_t Flags() const { return m_Flags; }
    void Flags(std::uint32_t value) { m_Flags = value; }
    std::int16_t MaxFileSize() const { return m_MaxFileSize; }
    void MaxFileSize(std::int16_t value) { m_MaxFileSize = value; }
    platform::WindowHandle hWndParent() const { return m_hWndParent; }
    void hWndParent(platform::WindowHandle value) { m_hWndParent = value; }

    // The open dialog (fOpen true) or the save dialog. True when the user
    // confirmed a file: FileName and FileTitle then hold it. False on cancel
    // or failure, every property unchanged; a failure is shown in a box.
    bool Show(bool fOpen);

    // A buffer as the dialog left it, up to its first NUL; with multiple
    // selection up to the first pair of NULs, the NULs before it as blanks.
    std::string TrimNulls(std::u16string_view text, bool multiSelect) const;

    // What Show hands to the platform (and TrimNulls reads back).
    static std::string ConvertedFilter(std::string_view filter);
    platform::OpenFileNameRecord Record() const;

private:
    platform::IMessageBoxes* m_Boxes;
    platform::IFileDialogs* m_Dialogs;
    std::string m_DefaultExt;
    std::string m_DialogTitle;
    std::string m_FileName;
    std::string m_FileTitle;
    std::string m_InitialDir;
    std::string m_Filter;
    std::int16_t m_FilterIndex = 0;
    std::uint32_t m_Flags = 0;
    std::int16_t m_MaxFileSize = kDefaultMaxFileSize;
    platform::WindowHandle m_hWndParent = 0;
};
