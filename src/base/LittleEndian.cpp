#include "base/LittleEndian.h"

#include "base/AppError.h"

namespace littleendian {

std::uint32_t ReadU32(std::span<const std::uint8_t> bytes, std::size_t offset) {
    if (!Fits(bytes.size(), offset, 4)) Raise(ErrorNumber::SubscriptOutOfRange);
    return static_cast<std::uint32_t>(bytes[offset]) | (static_cast<std::uint32_t>(bytes[offset + 1]) << 8) |
           (static_cast<std::uint32_t>(bytes[offset + 2]) << 16) |
           (static_cast<std::uint32_t>(bytes[offset + 3]) << 24);
}

std::int32_t ReadI32(std::span<const std::uint8_t> bytes, std::size_t offset) {
    const std::uint32_t value = ReadU32(bytes, offset);
    if (value >= 0x80000000u) Raise(ErrorNumber::Overflow);
    return static_cast<std::int32_t>(value);
}

void WriteU32(std::span<std::uint8_t> bytes, std::size_t offset, std::uint32_t value) {
    if (!Fits(bytes.size(), offset, 4)) Raise(ErrorNumber::SubscriptOutOfRange);
    const auto b = Bytes(value);
    for (std::size_t i = 0; i < 4; ++i) bytes[offset + i] = b[i];
}

}  // namespace littleendian
