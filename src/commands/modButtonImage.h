#pragma once
// A command's button image replaced by a picture file's, in the form the
// stored image has: ACT! reads the new bytes as it read the old ones.
#include <cstdint>
#include <optional>

#include "base/RegistryValue.h"
#include "commands/clDIB.h"
#include "platform/ImageCodec.h"

namespace modButtonImage {

// What the header of a stored image says of its pixels.
struct Form {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t bytesPerPixel = 0;  // 3 or 4
};

// The form of `stored`, or nothing when its header cannot be read, gives no
// positive width and height, or an image size that is not 3 or 4 bytes a
// pixel: such an image cannot be replaced without guessing what ACT! reads.
std::optional<Form> FormOf(const ByteArray& stored);

// `stored` with its pixels replaced by `picture` (of the form's size, rows
// top-down): the header and any bytes behind the pixels as they were, the
// pixels unpadded, bottom row first. A transparent pixel is laid over the
// colour of the old image's first stored pixel, which toolbar images use as
// their transparent colour; a fourth byte of a pixel is kept as it was.
ByteArray Replaced(const ByteArray& stored, const Form& form, const platform::Pixels& picture);

// A bitmap as the list shows it, rows top-down, fully opaque.
platform::Pixels Shown(const clDIB& bitmap);

}  // namespace modButtonImage
