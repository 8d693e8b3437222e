#include "platform/MemoryFileSystem.h"

#include <algorithm>

#include "base/AppError.h"
#include "base/UiTexts.h"

namespace platform {
namespace {

class MemoryFile : public IFile {
public:
    MemoryFile(std::vector<std::uint8_t>& bytes, std::vector<std::string>* flushed = nullptr, std::string path = {})
        : m_Bytes(bytes), m_Flushed(flushed), m_Path(std::move(path)) {}
    std::size_t Read(std::span<std::uint8_t> buffer) override {
        const std::size_t n = std::min(buffer.size(), m_Bytes.size() - std::min(m_Pos, m_Bytes.size()));
        std::copy_n(m_Bytes.begin() + static_cast<std::ptrdiff_t>(m_Pos), n, buffer.begin());
        m_Pos += n;
        return n;
    }
    void Write(std::span<const std::uint8_t> data) override { m_Bytes.insert(m_Bytes.end(), data.begin(), data.end()); }
    void Flush() override {
        if (m_Flushed != nullptr) m_Flushed->push_back(m_Path);
    }
    void Seek(std::uint64_t offset) override {
        m_Pos = static_cast<std::size_t>(std::min<std::uint64_t>(offset, m_Bytes.size()));
    }

private:
    std::vector<std::uint8_t>& m_Bytes;
    std::vector<std::string>* m_Flushed;
    std::string m_Path;
    std::size_t m_Pos = 0;
};

// The path without trailing separators, and the folder a path lies in.
std::string Trimmed(std::string_view path) {
    while (path.size() > 1 && (path.back() == '\\' || path.back() == '/')) path.remove_suffix(1);
    return std::string(path);
}

std::string ParentOf(std::string_view path) {
    const std::size_t cut = path.find_last_of("\\/");
    return cut == std::string_view::npos ? std::string() : Trimmed(path.substr(0, cut + 1));
}

}  // namespace

bool MemoryFileSystem::Exists(std::string_view path) {
    return m_Files.contains(std::string(path)) || m_Devices.contains(std::string(path));
}

std::unique_ptr<IFile> MemoryFileSystem::OpenRead(std::string_view path) {
    const std::string p(path);
    if (onOpen) onOpen(p, false);
    if (m_Devices.contains(p) || FolderExists(p)) Raise(ErrorNumber::FileAccess, std::string(texts::kFileNotOrdinary));
    auto it = m_Files.find(p);
    if (it == m_Files.end()) Raise(ErrorNumber::FileNotFound);
    return std::make_unique<MemoryFile>(it->second);
}

std::unique_ptr<IFile> MemoryFileSystem::OpenWrite(std::string_view path) {
    const std::string p(path);
    if (onOpen) onOpen(p, true);
    Bytes& bytes = m_Files[p];
    bytes.clear();
    return std::make_unique<MemoryFile>(bytes, &m_Flushed, p);
}

const MemoryFileSystem::Bytes* MemoryFileSystem::Get(const std::string& path) const {
    auto it = m_Files.find(path);
    return it == m_Files.end() ? nullptr : &it->second;
}

void MemoryFileSystem::AddFolder(std::string_view path) {
    for (std::string folder = Trimmed(path); !folder.empty(); folder = ParentOf(folder)) {
        if (!m_Folders.insert(folder).second) break;
    }
}

void MemoryFileSystem::CreateFolders(std::string_view path) {
    if (onCreateFolders) onCreateFolders(std::string(path));
    AddFolder(path);
}

bool MemoryFileSystem::FolderExists(std::string_view path) {
    return !path.empty() && m_Folders.contains(Trimmed(path));
}

std::vector<FileEntry> MemoryFileSystem::ListFiles(std::string_view folder) {
    if (!FolderExists(folder)) Raise(ErrorNumber::PathNotFound);
    const std::string wanted = Trimmed(folder);
    std::vector<FileEntry> files;
    for (const auto& [path, bytes] : m_Files) {
        if (ParentOf(path) != wanted) continue;
        const std::size_t cut = path.find_last_of("\\/");
        files.push_back({path.substr(cut + 1), Attributes(path).value_or(0), bytes.size()});
    }
    return files;
}

std::optional<std::uint32_t> MemoryFileSystem::Attributes(std::string_view path) {
    const std::string p(path);
    if (m_Files.contains(p)) {
        auto it = m_Attributes.find(p);
        return it == m_Attributes.end() ? 0u : it->second;
    }
    if (FolderExists(path)) return kAttributeDirectory;
    return std::nullopt;
}

void MemoryFileSystem::RemoveFile(std::string_view path) {
    const std::string p(path);
    if (onRemove) onRemove(p);
    if (!m_Files.contains(p)) Raise(ErrorNumber::FileNotFound);
    if ((Attributes(p).value_or(0) & kAttributeReadOnly) != 0) {
        Raise(ErrorNumber::PermissionDenied, std::string(texts::kFileReadOnly));
    }
    m_Files.erase(p);
    m_Attributes.erase(p);
    m_Removed.push_back(p);
}

void MemoryFileSystem::Rename(std::string_view from, std::string_view to) {
    const std::string source(from);
    const std::string target(to);
    if (onRename) onRename(source, target);
    auto it = m_Files.find(source);
    if (it == m_Files.end()) Raise(ErrorNumber::FileNotFound);
    if (FolderExists(target)) Raise(ErrorNumber::PermissionDenied, std::string(texts::kFileIsFolder));
    Bytes bytes = std::move(it->second);
    m_Files.erase(it);
    m_Attributes.erase(source);
    m_Files[target] = std::move(bytes);
}

}  // namespace platform
