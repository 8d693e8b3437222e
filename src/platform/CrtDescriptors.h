#pragma once
// The block through which a Windows program hands C runtime descriptors to a
// program it starts (STARTUPINFO's cbReserved2/lpReserved2): the count as an
// int, one flag byte per descriptor (an open pipe, or 0 for unused), then one
// handle per descriptor, packed without gaps. The handles are as wide as the
// started program's pointers, not the starting one's: a 32-bit program that
// starts a 64-bit browser writes them 8 bytes wide.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace platform {

// `handles[i]` is descriptor i's handle value, nothing for an unused one
// (written as INVALID_HANDLE_VALUE); `handleBytes` is 4 or 8.
std::vector<std::uint8_t> CrtDescriptorBlock(const std::vector<std::optional<std::uint32_t>>& handles,
                                             std::size_t handleBytes);

}  // namespace platform
