#include "platform/MemoryGraphics.h"

namespace platform {
namespace {

class MemorySection : public IDibSection {
public:
    MemorySection(MemoryGraphics& owner, std::size_t bytes) : owner_(owner), bits_(bytes, 0) { ++owner_.liveSections; }
    ~MemorySection() override { --owner_.liveSections; }
    std::span<std::uint8_t> Bits() override { return bits_; }
    void Paint(DeviceContext target, std::int32_t destLeft, std::int32_t destTop, std::int32_t width,
               std::int32_t height, std::int32_t srcLeft, std::int32_t srcTop, std::uint32_t rop) override {
        owner_.paints.push_back({target, destLeft, destTop, width, height, srcLeft, srcTop, rop, bits_});
    }

private:
    MemoryGraphics& owner_;
    std::vector<std::uint8_t> bits_;
};

}  // namespace

std::unique_ptr<IDibSection> MemoryGraphics::CreateDibSection(const BitmapInfoHeader& header) {
    if (failCreate && failCreate(header)) return nullptr;
    if (header.width <= 0 || header.height == 0) return nullptr;
    return std::make_unique<MemorySection>(*this, header.sizeImage);
}

}  // namespace platform
