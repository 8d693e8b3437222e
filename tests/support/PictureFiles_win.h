#pragma once
// Picture files written byte by byte for the tests of what reads them: a
// 32-bit bitmap file (its fourth bytes unused, 0) and an icon of one 32-bit
// image. Pixels as the image codec gives them: top-down BGRA.
#include <cstdint>
#include <vector>

#include "platform/ImageCodec.h"

namespace support {

std::vector<std::uint8_t> BmpFile(const platform::Pixels& pixels);
std::vector<std::uint8_t> IcoFile(const platform::Pixels& pixels);

}  // namespace support
