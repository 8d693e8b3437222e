#pragma once
// 32-bit fields inside byte arrays, least significant byte first: the
// identifiers and sizes in ACT!'s records, images and button lists, and the
// registry's numbers. Every read checks its bounds without overflowing.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace littleendian {

// True when `width` bytes from `offset` lie inside an array of `size` bytes.
constexpr bool Fits(std::size_t size, std::size_t offset, std::size_t width) {
    return offset <= size && size - offset >= width;
}

// AppError 9 (subscript out of range) when the four bytes are not there.
std::uint32_t ReadU32(std::span<const std::uint8_t> bytes, std::size_t offset);
// As the classic signed reading: a top byte of 0x80 or more does not fit and
// raises AppError 6 (overflow).
std::int32_t ReadI32(std::span<const std::uint8_t> bytes, std::size_t offset);
// AppError 9 when the four bytes are not there.
void WriteU32(std::span<std::uint8_t> bytes, std::size_t offset, std::uint32_t value);

constexpr std::array<std::uint8_t, 4> Bytes(std::uint32_t value) {
    return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}

}  // namespace littleendian
