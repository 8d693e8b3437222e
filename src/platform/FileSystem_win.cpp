#include "platform/FileSystem_win.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "common/AppError.h"
#include "common/UiTexts.h"
#include "platform/WinText_win.h"

namespace platform {
namespace {

class FileHandle {
public:
    explicit FileHandle(HANDLE h) : h_(h) {}
    ~FileHandle() {
        if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE get() const { return h_; }

private:
    HANDLE h_;
};

[[noreturn]] void ThrowFileError(DWORD code) {
    switch (code) {
        case ERROR_FILE_NOT_FOUND: throw AppError(ErrorNumber::FileNotFound, std::string(texts::kFileNotFound));
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_BAD_NETPATH: throw AppError(ErrorNumber::PathNotFound, std::string(texts::kPathNotFound));
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_WRITE_PROTECT: throw AppError(ErrorNumber::PermissionDenied, std::string(texts::kPermissionDenied));
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL: throw AppError(ErrorNumber::DiskFull, std::string(texts::kDiskFull));
        default: throw AppError(ErrorNumber::FileAccess, std::string(texts::kFileAccess));
    }
}

// Reads go through a buffer: a command file arrives in several small
// pieces, and each ReadFile is a trip to the system.
class WinFile : public IFile {
public:
    explicit WinFile(HANDLE h) : handle_(h) {}
    std::size_t Read(std::span<std::uint8_t> buffer) override {
        std::size_t total = 0;
        while (total < buffer.size()) {
            if (next_ == filled_ && !Fill()) break;
            const std::size_t n = std::min(buffer.size() - total, filled_ - next_);
            std::copy_n(chunk_.begin() + static_cast<std::ptrdiff_t>(next_), n, buffer.begin() + static_cast<std::ptrdiff_t>(total));
            next_ += n;
            total += n;
        }
        return total;
    }
    void Write(std::span<const std::uint8_t> data) override {
        std::size_t total = 0;
        while (total < data.size()) {
            const DWORD want = static_cast<DWORD>(std::min<std::size_t>(data.size() - total, 1u << 20));
            DWORD put = 0;
            if (!WriteFile(handle_.get(), data.data() + total, want, &put, nullptr) || put == 0) {
                ThrowFileError(GetLastError());
            }
            total += put;
        }
    }

private:
    bool Fill() {
        chunk_.resize(kChunk);
        DWORD got = 0;
        if (!ReadFile(handle_.get(), chunk_.data(), kChunk, &got, nullptr)) ThrowFileError(GetLastError());
        next_ = 0;
        filled_ = got;
        return got > 0;
    }

    static constexpr DWORD kChunk = 64 * 1024;
    FileHandle handle_;
    std::vector<std::uint8_t> chunk_;
    std::size_t next_ = 0;
    std::size_t filled_ = 0;
};

std::unique_ptr<IFile> Open(std::string_view path, DWORD access, DWORD share, DWORD disposition) {
    HANDLE h = CreateFileW(Widen(path).c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) ThrowFileError(GetLastError());
    return std::make_unique<WinFile>(h);
}

}  // namespace

bool WinFileSystem::Exists(std::string_view path) {
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::unique_ptr<IFile> WinFileSystem::OpenRead(std::string_view path) {
    return Open(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
}

std::unique_ptr<IFile> WinFileSystem::OpenWrite(std::string_view path) {
    return Open(path, GENERIC_WRITE, 0, CREATE_ALWAYS);
}

}  // namespace platform
