#include "platform/ScriptedFileDialogs.h"

#include <algorithm>

#include "base/Utf8.h"

namespace platform {
namespace {

// As the dialog does it: a text that does not fit its buffer with its NUL
// makes the dialog fail; what fits is written from the buffer's start.
bool Fill(std::u16string& buffer, std::uint32_t size, const std::u16string& text) {
    const std::size_t room = std::min<std::size_t>(size, buffer.size());
    const std::size_t need = text.size() + (text.empty() || text.back() != u'\0' ? 1 : 0);
    if (need > room) return false;
    std::copy(text.begin(), text.end(), buffer.begin());
    if (text.size() < room) buffer[text.size()] = u'\0';
    return true;
}

}  // namespace

bool ScriptedFileDialogs::ShowOpen(OpenFileNameRecord& record) { return Run(true, record); }

bool ScriptedFileDialogs::ShowSave(OpenFileNameRecord& record) { return Run(false, record); }

std::optional<std::string> ScriptedFileDialogs::PickFolder(WindowHandle, std::string_view title) {
    m_FolderTitles.emplace_back(title);
    if (m_Folders.empty()) return std::nullopt;
    std::optional<std::string> folder = std::move(m_Folders.front());
    m_Folders.pop_front();
    return folder;
}

bool ScriptedFileDialogs::Run(bool open, OpenFileNameRecord& record) {
    m_Calls.push_back({open, record});
    if (onShow) onShow(m_Calls.back());
    if (m_Answers.empty()) return false;
    const Answer answer = m_Answers.front();
    m_Answers.pop_front();
    if (!answer.confirmed) return false;
    std::u16string file = record.file, title = record.fileTitle;
    if (!Fill(file, record.fileBufferSize, answer.file)) return false;
    if (!answer.fileTitle.empty() && !Fill(title, record.fileTitleBufferSize, answer.fileTitle)) return false;
    record.file = std::move(file);
    record.fileTitle = std::move(title);
    const std::size_t cut = answer.file.find_last_of(u"\\/");
    record.fileOffset = static_cast<std::uint16_t>(cut == std::u16string::npos ? 0 : cut + 1);
    const std::size_t dot = answer.file.find_last_of(u'.');
    record.fileExtension =
        static_cast<std::uint16_t>(dot == std::u16string::npos || dot < record.fileOffset ? 0 : dot + 1);
    return true;
}

void ScriptedFileDialogs::QueueFile(const std::string& path) {
    const std::u16string file = utf8::ToUtf16(path);
    const std::size_t cut = file.find_last_of(u"\\/");
    m_Answers.push_back({true, file, cut == std::u16string::npos ? file : file.substr(cut + 1)});
}

void ScriptedFileDialogs::QueueMultiple(const std::string& folder, const std::vector<std::string>& names) {
    std::u16string file = utf8::ToUtf16(folder);
    file.push_back(u'\0');
    for (const std::string& name : names) {
        file += utf8::ToUtf16(name);
        file.push_back(u'\0');
    }
    file.push_back(u'\0');
    m_Answers.push_back({true, file, {}});
}

void ScriptedFileDialogs::QueueCancel() { m_Answers.push_back({}); }

void ScriptedFileDialogs::QueueRaw(std::u16string file, std::u16string fileTitle) {
    m_Answers.push_back({true, std::move(file), std::move(fileTitle)});
}

}  // namespace platform
