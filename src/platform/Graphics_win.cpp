#include "platform/Graphics_win.h"

#include <windows.h>

#include "platform/Handles_win.h"

namespace platform {
namespace {

// A DIB section selected into its own memory context. The members go in
// reverse order: the context's original bitmap is put back, then the
// section deleted, then the context.
class WinDibSection : public IDibSection {
public:
    WinDibSection(UniqueDC memDC, UniqueBitmap section, void* bits, std::size_t size)
        : m_hMemDC(std::move(memDC)),
          m_hSection(std::move(section)),
          m_Selection(m_hMemDC.get(), m_hSection.get()),
          m_pBits(static_cast<std::uint8_t*>(bits)),
          m_Size(size) {}

    std::span<std::uint8_t> Bits() override {
        GdiFlush();  // the section's memory is ours only after pending drawing is done
        return {m_pBits, m_Size};
    }

    void Paint(DeviceContext target, std::int32_t destLeft, std::int32_t destTop, std::int32_t width,
               std::int32_t height, std::int32_t srcLeft, std::int32_t srcTop, std::uint32_t rop) override {
        BitBlt(reinterpret_cast<HDC>(target), destLeft, destTop, width, height, m_hMemDC.get(), srcLeft, srcTop, rop);
    }

private:
    UniqueDC m_hMemDC;
    UniqueBitmap m_hSection;
    SelectedObject m_Selection;
    std::uint8_t* m_pBits;
    std::size_t m_Size;
};

}  // namespace

std::unique_ptr<IDibSection> WinGraphics::CreateDibSection(const BitmapInfoHeader& header) {
    UniqueDC memDC(CreateCompatibleDC(nullptr));
    if (!memDC) return nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = header.width;
    info.bmiHeader.biHeight = header.height;
    info.bmiHeader.biPlanes = header.planes;
    info.bmiHeader.biBitCount = header.bitCount;
    info.bmiHeader.biCompression = header.compression;
    info.bmiHeader.biSizeImage = header.sizeImage;
    void* bits = nullptr;
    UniqueBitmap section(CreateDIBSection(memDC.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!section || bits == nullptr) return nullptr;
    return std::make_unique<WinDibSection>(std::move(memDC), std::move(section), bits, header.sizeImage);
}

}  // namespace platform
