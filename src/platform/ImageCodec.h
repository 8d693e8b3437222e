#pragma once
// Picture files: a .bmp, .ico or .png read as 32-bit pixels at a wanted
// size, and pixels written as a PNG file (the Windows Imaging Component on
// Windows).
#include <cstdint>
#include <string_view>
#include <vector>

namespace platform {

// Rows top-down, 4 bytes a pixel: blue, green, red, alpha (not premultiplied).
struct Pixels {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint8_t> bgra;
    bool operator==(const Pixels&) const = default;
};

class IImageCodec {
public:
    virtual ~IImageCodec() = default;
    // The picture in the file at `path` (its first frame, or for an icon the
    // image the system chooses), scaled to width x height. AppError when the
    // file cannot be read or is no picture the system knows.
    virtual Pixels Decode(std::string_view path, std::int32_t width, std::int32_t height) = 0;
    // Writes `pixels` as a PNG file at `path`, replacing one that is there.
    // AppError when it cannot be written.
    virtual void EncodePng(std::string_view path, const Pixels& pixels) = 0;
};

}  // namespace platform
