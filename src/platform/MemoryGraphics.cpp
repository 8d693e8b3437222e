#include "platform/MemoryGraphics.h"

namespace platform {
namespace {

class MemorySection : public IDibSection {
public:
    MemorySection(MemoryGraphics& owner, std::size_t bytes) : m_Owner(owner), m_Bits(bytes, 0) {
        ++m_Owner.liveSections;
    }
    ~MemorySection() override { --m_Owner.liveSections; }
    std::span<std::uint8_t> Bits() override { return m_Bits; }
    void Paint(DeviceContext target, std::int32_t destLeft, std::int32_t destTop, std::int32_t width,
               std::int32_t height, std::int32_t srcLeft, std::int32_t srcTop, std::uint32_t rop) override {
        m_Owner.paints.push_back({target, destLeft, destTop, width, height, srcLeft, srcTop, rop, m_Bits});
    }

private:
    MemoryGraphics& m_Owner;
    std::vector<std::uint8_t> m_Bits;
};

}  // namespace

std::unique_ptr<IDibSection> MemoryGraphics::CreateDibSection(const BitmapInfoHeader& header) {
    if (failCreate && failCreate(header)) return nullptr;
    if (header.width <= 0 || header.height == 0) return nullptr;
    return std::make_unique<MemorySection>(*this, header.sizeImage);
}

}  // namespace platform
