#pragma once
#include "platform/FileSystem.h"

namespace platform {

class WinFileSystem : public IFileSystem {
public:
    bool Exists(std::string_view path) override;
    std::unique_ptr<IFile> OpenRead(std::string_view path) override;
    std::unique_ptr<IFile> OpenWrite(std::string_view path) override;
    bool FolderExists(std::string_view path) override;
    std::vector<FileEntry> ListFiles(std::string_view folder) override;
    std::optional<std::uint32_t> Attributes(std::string_view path) override;
    void RemoveFile(std::string_view path) override;
    void CreateFolders(std::string_view path) override;
    void Rename(std::string_view from, std::string_view to) override;
};

}  // namespace platform
