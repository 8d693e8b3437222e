#include "platform/FileDialogs_win.h"

#include <windows.h>
#include <commdlg.h>
#include <shobjidl.h>

#include <algorithm>
#include <cstddef>
#include <vector>

#include "platform/ComLibrary_win.h"
#include "platform/Handles_win.h"
#include "platform/SystemLibrary_win.h"
#include "platform/WinText_win.h"

namespace platform {
namespace {

// The short form of the record (76 bytes) is the 32-bit record without its
// last three fields; the full record of the build is what the dialogs of
// today's look ask for.
#ifdef _WIN64
static_assert(sizeof(OPENFILENAMEW) == 152);
#else
static_assert(offsetof(OPENFILENAMEW, lpTemplateName) + sizeof(LPCWSTR) == 76);
static_assert(sizeof(OPENFILENAMEW) == 88);
static_assert(offsetof(OPENFILENAMEW, lpstrFile) == 28 && offsetof(OPENFILENAMEW, lpstrFileTitle) == 36);
static_assert(offsetof(OPENFILENAMEW, Flags) == 52 && offsetof(OPENFILENAMEW, lpstrDefExt) == 60);
static_assert(offsetof(OPENFILENAMEW, lpTemplateName) == 72);
#endif

using DialogFn = BOOL(WINAPI*)(LPOPENFILENAMEW);

// A buffer as the dialog gets it: the record's characters and one NUL more
// behind the counted size, so that a text filling the whole buffer is still
// read as ending there.
std::vector<wchar_t> BufferOf(const std::u16string& text, std::uint32_t size) {
    std::vector<wchar_t> buffer(std::max<std::size_t>(text.size(), size) + 1, L'\0');
    std::copy(text.begin(), text.end(), buffer.begin());
    return buffer;
}

void CopyBack(const std::vector<wchar_t>& buffer, std::u16string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) text[i] = static_cast<char16_t>(buffer[i]);
}

bool Run(const char* entry, OpenFileNameRecord& record) {
    const auto dialog = SystemEntry<DialogFn>(L"comdlg32.dll", entry);
    const std::wstring filter = Widen(record.filter);
    const std::wstring initialDir = Widen(record.initialDir), title = Widen(record.title),
                       defaultExt = Widen(record.defaultExt);
    std::vector<wchar_t> file = BufferOf(record.file, record.fileBufferSize);
    std::vector<wchar_t> fileTitle = BufferOf(record.fileTitle, record.fileTitleBufferSize);

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = reinterpret_cast<HWND>(record.owner);
    ofn.hInstance = reinterpret_cast<HINSTANCE>(record.instance);
    ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = record.filterIndex;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = std::min<std::uint32_t>(record.fileBufferSize, static_cast<std::uint32_t>(record.file.size()));
    ofn.lpstrFileTitle = fileTitle.data();
    ofn.nMaxFileTitle =
        std::min<std::uint32_t>(record.fileTitleBufferSize, static_cast<std::uint32_t>(record.fileTitle.size()));
    // Empty texts go as none: the dialog then uses its own title, its own
    // start folder and no default extension.
    ofn.lpstrInitialDir = initialDir.empty() ? nullptr : initialDir.c_str();
    ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
    ofn.Flags = record.flags;
    ofn.lpstrDefExt = defaultExt.empty() ? nullptr : defaultExt.c_str();
    ofn.lCustData = static_cast<LPARAM>(record.custData);

    if (!dialog(&ofn)) return false;
    CopyBack(file, record.file);
    CopyBack(fileTitle, record.fileTitle);
    record.fileOffset = ofn.nFileOffset;
    record.fileExtension = ofn.nFileExtension;
    return true;
}

}  // namespace

bool WinFileDialogs::ShowOpen(OpenFileNameRecord& record) { return Run("GetOpenFileNameW", record); }

bool WinFileDialogs::ShowSave(OpenFileNameRecord& record) { return Run("GetSaveFileNameW", record); }

std::optional<std::string> WinFileDialogs::PickFolder(WindowHandle owner, std::string_view title) {
    const OleApi& ole = Ole();
    const bool uninitialize = SUCCEEDED(ole.InitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
    std::optional<std::string> chosen;
    IFileOpenDialog* dialog = nullptr;
    if (SUCCEEDED(ole.CreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_IFileOpenDialog,
                                     reinterpret_cast<void**>(&dialog)))) {
        FILEOPENDIALOGOPTIONS options = 0;
        dialog->GetOptions(&options);
        // Folders on a disk only: a library or a virtual folder has no path for ACT! to call.
        dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST);
        const std::wstring caption = Widen(title);
        if (!caption.empty()) dialog->SetTitle(caption.c_str());
        IShellItem* item = nullptr;
        if (SUCCEEDED(dialog->Show(reinterpret_cast<HWND>(owner))) && SUCCEEDED(dialog->GetResult(&item))) {
            PWSTR path = nullptr;
            if (SUCCEEDED(item->GetDisplayName(SIGDN_FILESYSPATH, &path)) && path != nullptr) chosen = Narrow(path);
            FreeTaskMemory(path);
            item->Release();
        }
        dialog->Release();
    }
    if (uninitialize) ole.Uninitialize();
    return chosen;
}

}  // namespace platform
