#include "commands/clDIB.h"

#include <algorithm>
#include <climits>

#include "commands/CommandRecord.h"

namespace {

// Far beyond any button image; keeps the size arithmetic in range.
constexpr std::int64_t kMaxSide = 4096;

}  // namespace

std::int32_t clDIB::Stride() const { return ((m_Header.width * 3 + 3) / 4) * 4; }

void clDIB::Create(std::int32_t lWidth, std::int32_t lHeight) {
    Clear();
    m_Header = platform::BitmapInfoHeader{};
    m_Header.width = lWidth;
    m_Header.height = lHeight;
    const std::int64_t stride = ((static_cast<std::int64_t>(lWidth) * 3 + 3) / 4) * 4;
    m_Header.sizeImage = static_cast<std::uint32_t>(std::max<std::int64_t>(0, stride * lHeight));
    if (lWidth <= 0 || lHeight <= 0 || lWidth > kMaxSide || lHeight > kMaxSide) return;
    m_Section = m_Graphics->CreateDibSection(m_Header);
}

void clDIB::PaintPicture(platform::DeviceContext lHDC, std::int32_t lDestLeft, std::int32_t lDestTop,
                         std::int32_t lDestWidth, std::int32_t lDestHeight, std::int32_t lSrcLeft, std::int32_t lSrcTop,
                         std::uint32_t eRop) {
    if (!m_Section) return;
    const std::int32_t width = lDestWidth < 0 ? m_Header.width : lDestWidth;
    const std::int32_t height = lDestHeight < 0 ? m_Header.height : lDestHeight;
    m_Section->Paint(lHDC, lDestLeft, lDestTop, width, height, lSrcLeft, lSrcTop, eRop);
}

clDIB clDIB::OfStoredImage(platform::IGraphics& graphics, std::int32_t side, const ByteArray& stored,
                           std::int32_t bytesPerPixel) {
    clDIB made(graphics);
    made.Create(side, side);
    const auto last = static_cast<std::int32_t>(std::min<std::size_t>(stored.size(), INT32_MAX)) - 1;
    made.FillWithArray(stored, last, static_cast<std::int32_t>(image::kHeaderSize), bytesPerPixel);
    return made;
}

void clDIB::Clear() { m_Section.reset(); }

std::span<const std::uint8_t> clDIB::Bits() const {
    if (!m_Section) return {};
    return m_Section->Bits();
}

void clDIB::FillWithArray(const ByteArray& bytes, std::int32_t Size, std::int32_t Offset, std::int32_t BytesPerPixel) {
    if (!m_Section) return;
    std::span<std::uint8_t> bits = m_Section->Bits();
    // Never read past the array, whatever Size says; a pixel whose colour
    // bytes are not all there counts as past the data.
    const std::int64_t last = std::min<std::int64_t>(Size, static_cast<std::int64_t>(bytes.size()) - 1);
    const std::int64_t stride = Stride();
    std::int64_t pos = Offset;
    for (std::int64_t y = 0; y < m_Header.height; ++y) {
        for (std::int64_t x = 0; x < m_Header.width; ++x) {
            const std::size_t d = static_cast<std::size_t>(y * stride + 3 * x);
            if (d + 2 >= bits.size()) return;
            if (pos < 0 || pos > Size || pos + 2 > last) {
                bits[d] = 255;
                bits[d + 1] = 0;
                bits[d + 2] = 0;
            } else if (BytesPerPixel == 3 || BytesPerPixel == 4) {
                const auto p = static_cast<std::size_t>(pos);
                bits[d] = bytes[p];
                bits[d + 1] = bytes[p + 1];
                bits[d + 2] = bytes[p + 2];
                pos += BytesPerPixel;
            }
        }
    }
}
