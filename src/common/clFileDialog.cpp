#include "common/clFileDialog.h"

#include "base/AppError.h"
#include "base/UiTexts.h"
#include "base/Utf8.h"
#include "common/modMessages.h"

namespace {

// The text followed by NULs up to `size` characters; a text longer than
// that leaves no room for a buffer.
std::u16string Buffer(std::string_view text, std::int16_t size) {
    std::u16string buffer = utf8::ToUtf16(text);
    if (size < 0 || buffer.size() > static_cast<std::size_t>(size)) Raise(ErrorNumber::InvalidCall);
    buffer.resize(static_cast<std::size_t>(size), u'\0');
    return buffer;
}

}  // namespace

clFileDialog::clFileDialog(platform::IMessageBoxes& boxes, platform::IFileDialogs& dialogs)
    : m_Boxes(&boxes), m_Dialogs(&dialogs) {}

std::string clFileDialog::ConvertedFilter(std::string_view filter) {
    std::string converted(filter);
    for (char& c : converted) {
        if (c == '|') c = '\0';
    }
    converted.append(2, '\0');
    return converted;
}

platform::OpenFileNameRecord clFileDialog::Record() const {
    platform::OpenFileNameRecord record;
    record.owner = m_hWndParent;
    record.filter = ConvertedFilter(m_Filter);
    record.filterIndex = static_cast<std::uint32_t>(static_cast<std::int32_t>(m_FilterIndex));
    record.file = Buffer(m_FileName, m_MaxFileSize);
    record.fileBufferSize = static_cast<std::uint32_t>(m_MaxFileSize);
    record.fileTitle = Buffer(m_FileTitle, m_MaxFileSize);
    record.fileTitleBufferSize = static_cast<std::uint32_t>(m_MaxFileSize);
    record.initialDir = m_InitialDir;
    record.title = m_DialogTitle;
    record.flags = m_Flags;
    record.defaultExt = m_DefaultExt;
    return record;
}

bool clFileDialog::Show(bool fOpen) {
    try {
        platform::OpenFileNameRecord record = Record();
        const bool multiSelect = (m_Flags & kAllowMultiSelect) != 0 && (m_Flags & kExplorer) != 0;
        const bool confirmed = fOpen ? m_Dialogs->ShowOpen(record) : m_Dialogs->ShowSave(record);
        if (!confirmed) return false;
        std::string fileName = TrimNulls(record.file, multiSelect);
        std::string fileTitle = TrimNulls(record.fileTitle, multiSelect);
        m_FileName = std::move(fileName);
        m_FileTitle = std::move(fileTitle);
        return true;
    } catch (const std::exception& e) {
        modMessages::ShowRoutineError(*m_Boxes, texts::kMemberShow, ErrorOf(e));
        return false;
    }
}

std::string clFileDialog::TrimNulls(std::u16string_view text, bool multiSelect) const {
    try {
        const std::size_t first = text.find(u'\0');
        if (first == std::u16string_view::npos) return utf8::FromUtf16(text);
        if (!multiSelect || first == 0) return utf8::FromUtf16(text.substr(0, first));
        // The selection ends at the first NUL that another NUL follows.
        std::size_t end = first;
        while (end + 1 < text.size() && text[end + 1] != u'\0') {
            const std::size_t next = text.find(u'\0', end + 1);
            if (next == std::u16string_view::npos) {
                end = text.size();
                break;
            }
            end = next;
        }
        std::u16string names(text.substr(0, end));
        for (char16_t& c : names) {
            if (c == u'\0') c = u' ';
        }
        return utf8::FromUtf16(names);
    } catch (const std::exception& e) {
        modMessages::ShowRoutineError(*m_Boxes, texts::kMemberTrimNulls, ErrorOf(e));
        return {};
    }
}
