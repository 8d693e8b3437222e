#include "platform/MemoryFileSystem.h"

#include <algorithm>

#include "common/AppError.h"
#include "common/UiTexts.h"

namespace platform {
namespace {

class MemoryFile : public IFile {
public:
    explicit MemoryFile(std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}
    std::size_t Read(std::span<std::uint8_t> buffer) override {
        const std::size_t n = std::min(buffer.size(), bytes_.size() - std::min(pos_, bytes_.size()));
        std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(pos_), n, buffer.begin());
        pos_ += n;
        return n;
    }
    void Write(std::span<const std::uint8_t> data) override { bytes_.insert(bytes_.end(), data.begin(), data.end()); }

private:
    std::vector<std::uint8_t>& bytes_;
    std::size_t pos_ = 0;
};

}  // namespace

bool MemoryFileSystem::Exists(std::string_view path) { return files_.contains(std::string(path)); }

std::unique_ptr<IFile> MemoryFileSystem::OpenRead(std::string_view path) {
    const std::string p(path);
    if (onOpen) onOpen(p, false);
    auto it = files_.find(p);
    if (it == files_.end()) throw AppError(ErrorNumber::FileNotFound, std::string(texts::kFileNotFound));
    return std::make_unique<MemoryFile>(it->second);
}

std::unique_ptr<IFile> MemoryFileSystem::OpenWrite(std::string_view path) {
    const std::string p(path);
    if (onOpen) onOpen(p, true);
    Bytes& bytes = files_[p];
    bytes.clear();
    return std::make_unique<MemoryFile>(bytes);
}

const MemoryFileSystem::Bytes* MemoryFileSystem::Get(const std::string& path) const {
    auto it = files_.find(path);
    return it == files_.end() ? nullptr : &it->second;
}

}  // namespace platform
