#pragma once
// Command records and button images of realistic size for the timing runs.
#include <algorithm>
#include <string>

#include "base/RegistryValue.h"

namespace bench {

// A 24-bit image of side x side pixels: header and pixel bytes.
inline ByteArray Image(int side) {
    ByteArray img(40, 0);
    img[0] = 40;
    img[4] = img[8] = static_cast<std::uint8_t>(side);
    img[12] = 1;
    img[14] = 24;
    const int size = side * side * 3;
    img[20] = static_cast<std::uint8_t>(size);
    img[21] = static_cast<std::uint8_t>(size >> 8);
    for (int i = 0; i < size; ++i) img.push_back(static_cast<std::uint8_t>(i * 7));
    return img;
}

inline ByteArray Record(int id, const std::string& name) {
    ByteArray r(1172, 0);
    for (int i = 0; i < 4; ++i) r[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(id >> (8 * i));
    std::copy(name.begin(), name.end(), r.begin() + 16);
    return r;
}

}  // namespace bench
