#pragma once
// Bitmaps in memory: sections are plain buffers, paints are recorded.
#include <functional>
#include <vector>

#include "platform/Graphics.h"

namespace platform {

class MemoryGraphics : public IGraphics {
public:
    struct PaintCall {
        DeviceContext target;
        std::int32_t destLeft, destTop, width, height, srcLeft, srcTop;
        std::uint32_t rop;
        std::vector<std::uint8_t> bits;  // the section's pixels at the time
        bool operator==(const PaintCall&) const = default;
    };

    std::unique_ptr<IDibSection> CreateDibSection(const BitmapInfoHeader& header) override;

    // Return true to refuse the section.
    std::function<bool(const BitmapInfoHeader&)> failCreate;
    std::vector<PaintCall> paints;
    int liveSections = 0;
};

}  // namespace platform
