#pragma once
// Drawable 24-bit bitmaps (DIB sections in a memory device context on
// Windows) and painting them onto a device context.
#include <cstdint>
#include <memory>
#include <span>

namespace platform {

using DeviceContext = std::uintptr_t;  // HDC value

// The platform's BITMAPINFOHEADER, 40 bytes.
struct BitmapInfoHeader {
    std::uint32_t size = 40;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t planes = 1;
    std::uint16_t bitCount = 24;
    std::uint32_t compression = 0;
    std::uint32_t sizeImage = 0;
    std::int32_t xPelsPerMeter = 0;
    std::int32_t yPelsPerMeter = 0;
    std::uint32_t clrUsed = 0;
    std::uint32_t clrImportant = 0;
    bool operator==(const BitmapInfoHeader&) const = default;
};

class IDibSection {
public:
    virtual ~IDibSection() = default;  // releases the section and its context
    // The pixel bytes, rows bottom-up, each row padded to a multiple of 4.
    virtual std::span<std::uint8_t> Bits() = 0;
    // BitBlt from the section's context to `target`.
    virtual void Paint(DeviceContext target, std::int32_t destLeft, std::int32_t destTop, std::int32_t width,
                       std::int32_t height, std::int32_t srcLeft, std::int32_t srcTop, std::uint32_t rop) = 0;
};

class IGraphics {
public:
    virtual ~IGraphics() = default;
    // A section in a memory context compatible with the screen, or nothing
    // when the context or the section cannot be made.
    virtual std::unique_ptr<IDibSection> CreateDibSection(const BitmapInfoHeader& header) = 0;
};

}  // namespace platform
