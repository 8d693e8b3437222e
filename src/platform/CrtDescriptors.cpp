#include "platform/CrtDescriptors.h"

#include <cstring>

namespace platform {

namespace {

constexpr std::uint8_t kDescriptorOpen = 0x01;  // FOPEN
constexpr std::uint8_t kDescriptorPipe = 0x08;  // FPIPE

}  // namespace

std::vector<std::uint8_t> CrtDescriptorBlock(const std::vector<std::optional<std::uint32_t>>& handles,
                                             std::size_t handleBytes) {
    const auto count = static_cast<std::int32_t>(handles.size());
    std::vector<std::uint8_t> block(sizeof count + handles.size() * (1 + handleBytes));
    std::memcpy(block.data(), &count, sizeof count);
    std::uint8_t* flags = block.data() + sizeof count;
    std::uint8_t* slots = flags + handles.size();
    for (std::size_t i = 0; i < handles.size(); ++i) {
        flags[i] = handles[i] ? static_cast<std::uint8_t>(kDescriptorOpen | kDescriptorPipe) : 0;
        // Kernel handles fit in 32 bits and widen with their sign, as Windows
        // widens them between 32-bit and 64-bit programs; so does "unused", -1.
        const std::int64_t value =
            handles[i] ? static_cast<std::int64_t>(static_cast<std::int32_t>(*handles[i])) : std::int64_t{-1};
        for (std::size_t byte = 0; byte < handleBytes; ++byte) {
            slots[i * handleBytes + byte] = static_cast<std::uint8_t>(static_cast<std::uint64_t>(value) >> (8 * byte));
        }
    }
    return block;
}

}  // namespace platform
