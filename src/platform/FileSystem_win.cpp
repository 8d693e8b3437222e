#include "platform/FileSystem_win.h"

#include <windows.h>

#include <algorithm>
#include <cwctype>
#include <string_view>
#include <vector>

#include "base/AppError.h"
#include "base/UiTexts.h"
#include "platform/Handles_win.h"
#include "platform/WinText_win.h"

namespace platform {
namespace {

[[noreturn]] void ThrowFileError(DWORD code) {
    switch (code) {
        case ERROR_FILE_NOT_FOUND: Raise(ErrorNumber::FileNotFound);
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_BAD_NETPATH: Raise(ErrorNumber::PathNotFound);
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_WRITE_PROTECT: Raise(ErrorNumber::PermissionDenied);
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL: Raise(ErrorNumber::DiskFull);
        default: Raise(ErrorNumber::FileAccess);
    }
}

// Reads go through a buffer: a command file arrives in several small
// pieces, and each ReadFile is a trip to the system.
class WinFile : public IFile {
public:
    explicit WinFile(UniqueFile file) : m_Handle(std::move(file)) {}
    std::size_t Read(std::span<std::uint8_t> buffer) override {
        std::size_t total = 0;
        while (total < buffer.size()) {
            if (m_Next == m_Filled && !Fill()) break;
            const std::size_t n = std::min(buffer.size() - total, m_Filled - m_Next);
            std::copy_n(m_Chunk.begin() + static_cast<std::ptrdiff_t>(m_Next), n,
                        buffer.begin() + static_cast<std::ptrdiff_t>(total));
            m_Next += n;
            total += n;
        }
        return total;
    }
    void Write(std::span<const std::uint8_t> data) override {
        std::size_t total = 0;
        while (total < data.size()) {
            const DWORD want = static_cast<DWORD>(std::min<std::size_t>(data.size() - total, 1u << 20));
            DWORD put = 0;
            if (!WriteFile(m_Handle.get(), data.data() + total, want, &put, nullptr) || put == 0) {
                ThrowFileError(GetLastError());
            }
            total += put;
        }
    }
    void Flush() override {
        if (!FlushFileBuffers(m_Handle.get())) ThrowFileError(GetLastError());
    }
    void Seek(std::uint64_t offset) override {
        LARGE_INTEGER to{};
        to.QuadPart = static_cast<LONGLONG>(offset);
        if (!SetFilePointerEx(m_Handle.get(), to, nullptr, FILE_BEGIN)) ThrowFileError(GetLastError());
        m_Next = m_Filled = 0;
    }

private:
    bool Fill() {
        m_Chunk.resize(kChunk);
        DWORD got = 0;
        if (!ReadFile(m_Handle.get(), m_Chunk.data(), kChunk, &got, nullptr)) ThrowFileError(GetLastError());
        m_Next = 0;
        m_Filled = got;
        return got > 0;
    }

    static constexpr DWORD kChunk = 64 * 1024;
    UniqueFile m_Handle;
    std::vector<std::uint8_t> m_Chunk;
    std::size_t m_Next = 0;
    std::size_t m_Filled = 0;
};

[[noreturn]] void RefuseNotOrdinary() { Raise(ErrorNumber::FileAccess, std::string(texts::kFileNotOrdinary)); }

bool SameLetters(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) { return towupper(x) == towupper(y); });
}

// The names Windows gives its devices in every folder ("C:\x\AUX.reg" is
// the device AUX): opening some of them may already wait, so they are
// refused before that, by the part before the first dot, blanks cut.
bool IsDeviceName(std::wstring_view path) {
    const std::size_t slash = path.find_last_of(L"\\/:");
    std::wstring_view name = slash == std::wstring_view::npos ? path : path.substr(slash + 1);
    name = name.substr(0, name.find(L'.'));
    while (!name.empty() && name.back() == L' ') name.remove_suffix(1);
    for (const wchar_t* device : {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$", L"CLOCK$"}) {
        if (SameLetters(name, device)) return true;
    }
    if (name.size() == 4 && (SameLetters(name.substr(0, 3), L"COM") || SameLetters(name.substr(0, 3), L"LPT"))) {
        const wchar_t n = name[3];
        return (n >= L'0' && n <= L'9') || n == L'\u00B9' || n == L'\u00B2' || n == L'\u00B3';
    }
    return false;
}

// "\\.\" and "\\?\" (either slash) reach devices and pipes directly.
bool IsDevicePath(std::wstring_view path) {
    const auto slash = [](wchar_t c) { return c == L'\\' || c == L'/'; };
    return path.size() >= 4 && slash(path[0]) && slash(path[1]) && (path[2] == L'.' || path[2] == L'?') &&
           slash(path[3]);
}

std::unique_ptr<IFile> Open(std::string_view path, DWORD access, DWORD share, DWORD disposition) {
    UniqueFile file(
        CreateFileW(Widen(path).c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) ThrowFileError(GetLastError());
    return std::make_unique<WinFile>(std::move(file));
}

// The path of a file or folder as the system resolved it on opening,
// without the drive ("\\users\\x\\file.txt"); "" when it cannot be opened.
std::wstring ResolvedName(const std::wstring& path) {
    UniqueFile file(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file) return {};
    std::vector<std::uint8_t> buffer(sizeof(FILE_NAME_INFO) + 2 * 32768);
    auto* info = reinterpret_cast<FILE_NAME_INFO*>(buffer.data());
    if (!GetFileInformationByHandleEx(file.get(), FileNameInfo, info, static_cast<DWORD>(buffer.size()))) return {};
    return std::wstring(info->FileName, info->FileNameLength / sizeof(wchar_t));
}

bool SameName(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

// Wine lists a symbolic link to a file as an ordinary file, and deleting
// it there deletes what it leads to. Opening follows the link: a file
// whose resolved name is not its own name in the folder leads elsewhere.
bool UnderWine() { return GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name") != nullptr; }

bool LeadsElsewhere(const std::wstring& folderName, const std::wstring& filePath, const wchar_t* name) {
    if (folderName.empty()) return false;
    const std::wstring resolved = ResolvedName(filePath);
    if (resolved.empty()) return false;
    const std::wstring own = folderName + (folderName.back() == L'\\' ? L"" : L"\\") + name;
    return !SameName(resolved, own);
}

}  // namespace

bool WinFileSystem::Exists(std::string_view path) {
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::unique_ptr<IFile> WinFileSystem::OpenRead(std::string_view path) {
    const std::wstring wide = Widen(path);
    if (IsDevicePath(wide) || IsDeviceName(wide)) RefuseNotOrdinary();
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) RefuseNotOrdinary();
    UniqueFile file(CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) ThrowFileError(GetLastError());
    // Whatever the name, only a file on a disk is read: a pipe or a device
    // reached another way would wait for ever.
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileType(file.get()) != FILE_TYPE_DISK || !GetFileInformationByHandle(file.get(), &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        RefuseNotOrdinary();
    }
    return std::make_unique<WinFile>(std::move(file));
}

std::unique_ptr<IFile> WinFileSystem::OpenWrite(std::string_view path) {
    return Open(path, GENERIC_WRITE, 0, CREATE_ALWAYS);
}

bool WinFileSystem::FolderExists(std::string_view path) {
    if (path.empty()) return false;
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::vector<FileEntry> WinFileSystem::ListFiles(std::string_view folder) {
    std::vector<FileEntry> files;
    WIN32_FIND_DATAW found{};
    const UniqueFind search(FindFirstFileExW(Widen(JoinPath(folder, "*")).c_str(), FindExInfoBasic, &found,
                                             FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!search) {
        const DWORD code = GetLastError();
        if (code == ERROR_FILE_NOT_FOUND || code == ERROR_NO_MORE_FILES) return files;  // an empty drive root
        ThrowFileError(code == ERROR_FILE_NOT_FOUND ? ERROR_PATH_NOT_FOUND : code);
    }
    const std::wstring folderName = UnderWine() ? ResolvedName(Widen(folder)) : std::wstring();
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
        DWORD attributes = found.dwFileAttributes;
        if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0 &&
            LeadsElsewhere(folderName, Widen(JoinPath(folder, Narrow(found.cFileName))), found.cFileName)) {
            attributes |= FILE_ATTRIBUTE_REPARSE_POINT;
        }
        files.push_back({Narrow(found.cFileName), attributes,
                         (static_cast<std::uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow});
    } while (FindNextFileW(search.get(), &found));
    return files;
}

std::optional<std::uint32_t> WinFileSystem::Attributes(std::string_view path) {
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    return attributes;
}

void WinFileSystem::RemoveFile(std::string_view path) {
    const std::wstring wide = Widen(path);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) ThrowFileError(GetLastError());
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        Raise(ErrorNumber::PermissionDenied, std::string(texts::kFileIsFolder));
    // Not forced: the attribute stays, and so does the file.
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0)
        Raise(ErrorNumber::PermissionDenied, std::string(texts::kFileReadOnly));
    if (!DeleteFileW(wide.c_str())) {
        const DWORD code = GetLastError();
        if (code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION) {
            Raise(ErrorNumber::PermissionDenied, std::string(texts::kFileInUse));
        }
        ThrowFileError(code);
    }
}

// Folder by folder from the top: CreateDirectory makes one level only.
void WinFileSystem::CreateFolders(std::string_view path) {
    const std::wstring wide = Widen(path);
    for (std::size_t cut = wide.find_first_of(L"\\/");; cut = wide.find_first_of(L"\\/", cut + 1)) {
        const std::wstring part = wide.substr(0, cut);
        // "C:" and the empty part before "\\server" are no folders to make.
        if (!part.empty() && part.back() != L':' && !CreateDirectoryW(part.c_str(), nullptr)) {
            const DWORD code = GetLastError();
            if (code != ERROR_ALREADY_EXISTS && code != ERROR_ACCESS_DENIED) ThrowFileError(code);
        }
        if (cut == std::wstring::npos) break;
    }
    if (!FolderExists(path)) ThrowFileError(ERROR_PATH_NOT_FOUND);
}

void WinFileSystem::Rename(std::string_view from, std::string_view to) {
    if (!MoveFileExW(Widen(from).c_str(), Widen(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ThrowFileError(GetLastError());
    }
}

}  // namespace platform
