#include "platform/MemoryFileSystem.h"

#include <algorithm>

#include "base/AppError.h"
#include "base/UiTexts.h"

namespace platform {
namespace {

class MemoryFile : public IFile {
public:
    explicit MemoryFile(std::vector<std::uint8_t>& bytes) : m_Bytes(bytes) {}
    std::size_t Read(std::span<std::uint8_t> buffer) override {
        const std::size_t n = std::min(buffer.size(), m_Bytes.size() - std::min(m_Pos, m_Bytes.size()));
        std::copy_n(m_Bytes.begin() + static_cast<std::ptrdiff_t>(m_Pos), n, buffer.begin());
        m_Pos += n;
        return n;
    }
    void Write(std::span<const std::uint8_t> data) override { m_Bytes.insert(m_Bytes.end(), data.begin(), data.end()); }

private:
    std::vector<std::uint8_t>& m_Bytes;
    std::size_t m_Pos = 0;
};

}  // namespace

bool MemoryFileSystem::Exists(std::string_view path) { return m_Files.contains(std::string(path)); }

std::unique_ptr<IFile> MemoryFileSystem::OpenRead(std::string_view path) {
    const std::string p(path);
    if (onOpen) onOpen(p, false);
    auto it = m_Files.find(p);
    if (it == m_Files.end()) Raise(ErrorNumber::FileNotFound);
    return std::make_unique<MemoryFile>(it->second);
}

std::unique_ptr<IFile> MemoryFileSystem::OpenWrite(std::string_view path) {
    const std::string p(path);
    if (onOpen) onOpen(p, true);
    Bytes& bytes = m_Files[p];
    bytes.clear();
    return std::make_unique<MemoryFile>(bytes);
}

const MemoryFileSystem::Bytes* MemoryFileSystem::Get(const std::string& path) const {
    auto it = m_Files.find(path);
    return it == m_Files.end() ? nullptr : &it->second;
}

}  // namespace platform
