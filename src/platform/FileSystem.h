#pragma once
// Files as the command files need them: existence, sequential binary
// reading and writing. Paths are UTF-8. Opening raises AppError with the
// number and description that the messages show.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

namespace platform {

class IFile {
public:
    virtual ~IFile() = default;
    // Reads up to buffer.size() bytes; fewer only at the end of the file.
    virtual std::size_t Read(std::span<std::uint8_t> buffer) = 0;
    // Raises AppError when not all bytes could be written.
    virtual void Write(std::span<const std::uint8_t> data) = 0;
};

class IFileSystem {
public:
    virtual ~IFileSystem() = default;
    virtual bool Exists(std::string_view path) = 0;
    virtual std::unique_ptr<IFile> OpenRead(std::string_view path) = 0;
    // Creates the file or cuts an existing one to nothing.
    virtual std::unique_ptr<IFile> OpenWrite(std::string_view path) = 0;
};

}  // namespace platform
