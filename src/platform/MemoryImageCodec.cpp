#include "platform/MemoryImageCodec.h"

#include "base/AppError.h"
#include "base/UiTexts.h"

namespace platform {

const Pixels* MemoryImageCodec::Written(const std::string& path) const {
    const auto it = m_Written.find(path);
    return it == m_Written.end() ? nullptr : &it->second;
}

Pixels MemoryImageCodec::Decode(std::string_view path, std::int32_t width, std::int32_t height) {
    ++decodes;
    const auto it = m_Files.find(std::string(path));
    if (it == m_Files.end() || it->second.width <= 0 || it->second.height <= 0) {
        Raise(ErrorNumber::BadFileFormat, std::string(texts::kImageNotRead) + std::string(path));
    }
    const Pixels& source = it->second;
    Pixels scaled{width, height, {}};
    scaled.bgra.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            const std::size_t from =
                (static_cast<std::size_t>(y * source.height / height) * static_cast<std::size_t>(source.width) +
                 static_cast<std::size_t>(x * source.width / width)) *
                4;
            scaled.bgra.insert(scaled.bgra.end(), source.bgra.begin() + static_cast<std::ptrdiff_t>(from),
                               source.bgra.begin() + static_cast<std::ptrdiff_t>(from + 4));
        }
    }
    return scaled;
}

void MemoryImageCodec::EncodePng(std::string_view path, const Pixels& pixels) {
    if (m_FailWrites) Raise(ErrorNumber::FileAccess, std::string(texts::kImageNotWritten) + std::string(path));
    m_Written[std::string(path)] = pixels;
}

}  // namespace platform
