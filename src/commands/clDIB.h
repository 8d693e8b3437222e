#pragma once
// A command's button image as a drawable 24-bit bottom-up bitmap.
#include <cstdint>
#include <memory>
#include <span>

#include "base/RegistryValue.h"
#include "platform/Graphics.h"

class clDIB {
public:
    explicit clDIB(platform::IGraphics& graphics) : m_Graphics(&graphics) {}
    ~clDIB() { Clear(); }
    clDIB(clDIB&&) noexcept = default;
    clDIB& operator=(clDIB&&) noexcept = default;
    clDIB(const clDIB&) = delete;
    clDIB& operator=(const clDIB&) = delete;

    // Makes a section of lWidth x lHeight; on failure the object stays empty.
    void Create(std::int32_t lWidth, std::int32_t lHeight);
    // Copies to lHDC; a negative width or height means the bitmap's own.
    void PaintPicture(platform::DeviceContext lHDC, std::int32_t lDestLeft = 0, std::int32_t lDestTop = 0,
                      std::int32_t lDestWidth = -1, std::int32_t lDestHeight = -1, std::int32_t lSrcLeft = 0,
                      std::int32_t lSrcTop = 0, std::uint32_t eRop = kSrcCopy);
    void Clear();
    // Fills the pixels in memory order from ByteArray[Offset..Size], 3 or 4
    // bytes a pixel (blue, green, red); pixels past the data turn blue.
    void FillWithArray(const ByteArray& ByteArray, std::int32_t Size, std::int32_t Offset, std::int32_t BytesPerPixel);

    // A side x side bitmap of a stored image (its 40-byte header, then its
    // pixels), as the list shows a command's pictures.
    static clDIB OfStoredImage(platform::IGraphics& graphics, std::int32_t side, const ByteArray& stored,
                               std::int32_t bytesPerPixel);

    bool IsEmpty() const { return m_Section == nullptr; }
    const platform::BitmapInfoHeader& Header() const { return m_Header; }
    std::int32_t Stride() const;
    // The pixel bytes in memory order (empty when there is no section).
    std::span<const std::uint8_t> Bits() const;

    static constexpr std::uint32_t kSrcCopy = 0xCC0020;

private:
    platform::IGraphics* m_Graphics;
    platform::BitmapInfoHeader m_Header{};
    std::unique_ptr<platform::IDibSection> m_Section;
};
