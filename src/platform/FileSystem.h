#pragma once
// Files as the programs need them: existence, sequential binary reading (of
// ordinary files only) and writing, the files directly in a folder with their attributes, and
// deletion that leaves a read-only file alone. Paths are UTF-8. Failures
// raise AppError with the number and description that the messages show.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// File attributes, as the platform numbers them.
inline constexpr std::uint32_t kAttributeReadOnly = 0x1;
inline constexpr std::uint32_t kAttributeHidden = 0x2;
inline constexpr std::uint32_t kAttributeSystem = 0x4;
inline constexpr std::uint32_t kAttributeDirectory = 0x10;
// A symbolic link, junction or other entry that leads elsewhere.
inline constexpr std::uint32_t kAttributeReparsePoint = 0x400;

struct FileEntry {
    std::string name;  // without the folder
    std::uint32_t attributes = 0;
    std::uint64_t size = 0;  // bytes
    bool operator==(const FileEntry&) const = default;
};

class IFile {
public:
    virtual ~IFile() = default;
    // Reads up to buffer.size() bytes; fewer only at the end of the file.
    virtual std::size_t Read(std::span<std::uint8_t> buffer) = 0;
    // Raises AppError when not all bytes could be written.
    virtual void Write(std::span<const std::uint8_t> data) = 0;
    // Hands what was written to the disk itself, so that it outlives a
    // power cut; raises AppError when the disk did not take it.
    virtual void Flush() = 0;
    // Reading goes on from byte `offset` (at most the file's size).
    virtual void Seek(std::uint64_t offset) = 0;
};

class IFileSystem {
public:
    virtual ~IFileSystem() = default;
    virtual bool Exists(std::string_view path) = 0;
    // An ordinary file on a disk, nothing else: a device ("AUX", "COM1",
    // "CON", "\\.\..."), a pipe or a folder is refused at once with
    // AppError, since reading one would wait for ever or give no file.
    virtual std::unique_ptr<IFile> OpenRead(std::string_view path) = 0;
    // Creates the file or cuts an existing one to nothing.
    virtual std::unique_ptr<IFile> OpenWrite(std::string_view path) = 0;

    virtual bool FolderExists(std::string_view path) = 0;
    // The files directly in `folder`, in the order the file system lists
    // them; sub-folders are neither listed nor entered. A link to a file is
    // listed with kAttributeReparsePoint. Raises AppError when the folder
    // cannot be read.
    virtual std::vector<FileEntry> ListFiles(std::string_view folder) = 0;
    // The attributes of a file or folder, or nothing when it is not there.
    virtual std::optional<std::uint32_t> Attributes(std::string_view path) = 0;
    // Deletes a file, not forced: a read-only file is not removed. Raises
    // AppError whose description says why the file is still there.
    virtual void RemoveFile(std::string_view path) = 0;
    // Creates the folder and every missing folder above it; one already
    // there is no error. Raises AppError when a folder cannot be made.
    virtual void CreateFolders(std::string_view path) = 0;
    // Gives file `from` the name `to` in one step, replacing a file of that
    // name: a reader sees the old file or the new one, never a part. The
    // new name is on the disk before it returns. Raises AppError.
    virtual void Rename(std::string_view from, std::string_view to) = 0;
};

// `folder` and `name` joined by one backslash.
std::string JoinPath(std::string_view folder, std::string_view name);

}  // namespace platform
