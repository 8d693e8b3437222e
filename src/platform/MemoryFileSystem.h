#pragma once
// Files in memory, with a hook that makes opening a path fail.
#include <functional>
#include <map>
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

    void Put(const std::string& path, Bytes content) { m_Files[path] = std::move(content); }
    const Bytes* Get(const std::string& path) const;
    // Throw AppError from the hook to make opening `path` fail.
    std::function<void(const std::string& path, bool forWriting)> onOpen;

private:
    std::map<std::string, Bytes> m_Files;
};

}  // namespace platform
