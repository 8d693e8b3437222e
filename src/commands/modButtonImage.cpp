#include "commands/modButtonImage.h"

#include <algorithm>

#include "base/AppError.h"
#include "base/LittleEndian.h"
#include "commands/CommandRecord.h"

namespace modButtonImage {
namespace {

// Far beyond any button; keeps the arithmetic and the value small.
constexpr std::int32_t kMaxSide = 1024;
// Where an image has no pixel to take the transparent colour from: the
// grey of the buttons it sits on.
constexpr std::uint8_t kFaceGrey = 192;

std::uint8_t Over(std::uint8_t colour, std::uint8_t alpha, std::uint8_t background) {
    return static_cast<std::uint8_t>((colour * alpha + background * (255 - alpha) + 127) / 255);
}

}  // namespace

std::optional<Form> FormOf(const ByteArray& stored) {
    if (stored.size() < image::kHeaderSize) return std::nullopt;
    Form form;
    std::int32_t size = 0;
    try {
        form.width = littleendian::ReadI32(stored, image::kWidthOffset);
        form.height = littleendian::ReadI32(stored, image::kHeightOffset);
        size = littleendian::ReadI32(stored, image::kSizeOffset);
    } catch (const AppError&) {
        return std::nullopt;
    }
    if (form.width <= 0 || form.height <= 0 || form.width > kMaxSide || form.height > kMaxSide) return std::nullopt;
    form.bytesPerPixel = size / form.width / form.height;
    if (form.bytesPerPixel != 3 && form.bytesPerPixel != 4) return std::nullopt;
    return form;
}

ByteArray Replaced(const ByteArray& stored, const Form& form, const platform::Pixels& picture) {
    const auto width = static_cast<std::size_t>(form.width), height = static_cast<std::size_t>(form.height);
    const auto bytes = static_cast<std::size_t>(form.bytesPerPixel);
    if (picture.width != form.width || picture.height != form.height || picture.bgra.size() != width * height * 4) {
        Raise(ErrorNumber::InvalidCall);
    }
    const std::size_t first = image::kHeaderSize;
    std::uint8_t background[3] = {kFaceGrey, kFaceGrey, kFaceGrey};
    if (stored.size() >= first + 3) std::copy_n(stored.begin() + first, 3, background);

    ByteArray replaced = stored;
    replaced.resize(std::max(stored.size(), first + width * height * bytes), 0);
    for (std::size_t k = 0; k < width * height; ++k) {
        // The first stored row is the bottom one of the picture.
        const std::size_t row = height - 1 - k / width, column = k % width;
        const std::uint8_t* from = &picture.bgra[(row * width + column) * 4];
        std::uint8_t* to = &replaced[first + k * bytes];
        for (int c = 0; c < 3; ++c) to[c] = Over(from[c], from[3], background[c]);
    }
    return replaced;
}

platform::Pixels Shown(const clDIB& bitmap) {
    platform::Pixels pixels{bitmap.Header().width, bitmap.Header().height, {}};
    const std::span<const std::uint8_t> bits = bitmap.Bits();
    if (bits.empty()) return {};
    const auto width = static_cast<std::size_t>(pixels.width), height = static_cast<std::size_t>(pixels.height);
    const auto stride = static_cast<std::size_t>(bitmap.Stride());
    pixels.bgra.reserve(width * height * 4);
    for (std::size_t row = 0; row < height; ++row) {
        const std::uint8_t* line = &bits[(height - 1 - row) * stride];
        for (std::size_t x = 0; x < width; ++x) {
            pixels.bgra.insert(pixels.bgra.end(), {line[3 * x], line[3 * x + 1], line[3 * x + 2], 255});
        }
    }
    return pixels;
}

}  // namespace modButtonImage
