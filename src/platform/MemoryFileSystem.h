#pragma once
// Files and folders in memory, with hooks that make opening or deleting a
// path fail, and a record of the files deleted. Paths are compared as given;
// "\" and "/" both separate folders.
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace platform {

class MemoryFileSystem : public IFileSystem {
public:
    using Bytes = std::vector<std::uint8_t>;

    bool Exists(std::string_view path) override;
    std::unique_ptr<IFile> OpenRead(std::string_view path) override;
    std::unique_ptr<IFile> OpenWrite(std::string_view path) override;
    bool FolderExists(std::string_view path) override;
    std::vector<FileEntry> ListFiles(std::string_view folder) override;
    std::optional<std::uint32_t> Attributes(std::string_view path) override;
    void RemoveFile(std::string_view path) override;
    void CreateFolders(std::string_view path) override;
    void Rename(std::string_view from, std::string_view to) override;

    void Put(const std::string& path, Bytes content) { m_Files[path] = std::move(content); }
    const Bytes* Get(const std::string& path) const;
    // A folder, with every folder above it.
    void AddFolder(std::string_view path);
    void SetAttributes(const std::string& path, std::uint32_t attributes) { m_Attributes[path] = attributes; }
    // A path that names a device or a pipe: it exists, but OpenRead refuses
    // it as the real file system does.
    void AddDevice(const std::string& path) { m_Devices.insert(path); }
    // The files flushed to the disk, in order.
    const std::vector<std::string>& Flushed() const { return m_Flushed; }
    // The files deleted, in order.
    const std::vector<std::string>& Removed() const { return m_Removed; }
    // Throw AppError from the hook to make opening `path` fail.
    std::function<void(const std::string& path, bool forWriting)> onOpen;
    // Throw AppError from the hook to make creating folder `path` fail.
    std::function<void(const std::string& path)> onCreateFolders;
    // Throw AppError from the hook to make deleting `path` fail.
    std::function<void(const std::string& path)> onRemove;
    // Throw AppError from the hook to make renaming `from` fail.
    std::function<void(const std::string& from, const std::string& to)> onRename;

private:
    std::map<std::string, Bytes> m_Files;
    std::map<std::string, std::uint32_t> m_Attributes;
    std::set<std::string> m_Folders;
    std::set<std::string> m_Devices;  // without a trailing separator
    std::vector<std::string> m_Removed;
    std::vector<std::string> m_Flushed;
};

}  // namespace platform
