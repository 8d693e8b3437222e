#include "platform/Graphics_win.h"

#include <windows.h>

namespace platform {
namespace {

// A DIB section selected into its own memory context. Destruction puts the
// context's original bitmap back, deletes the section, then the context.
class WinDibSection : public IDibSection {
public:
    WinDibSection(HDC memDC, HBITMAP section, HGDIOBJ oldBitmap, void* bits, std::size_t size)
        : m_hMemDC(memDC), m_hSection(section), m_hOldBitmap(oldBitmap), m_pBits(static_cast<std::uint8_t*>(bits)),
          size_(size) {}
    ~WinDibSection() override {
        SelectObject(m_hMemDC, m_hOldBitmap);
        DeleteObject(m_hSection);
        DeleteDC(m_hMemDC);
    }
    WinDibSection(const WinDibSection&) = delete;
    WinDibSection& operator=(const WinDibSection&) = delete;

    std::span<std::uint8_t> Bits() override {
        GdiFlush();  // the section's memory is ours only after pending drawing is done
        return {m_pBits, size_};
    }

    void Paint(DeviceContext target, std::int32_t destLeft, std::int32_t destTop, std::int32_t width,
               std::int32_t height, std::int32_t srcLeft, std::int32_t srcTop, std::uint32_t rop) override {
        BitBlt(reinterpret_cast<HDC>(target), destLeft, destTop, width, height, m_hMemDC, srcLeft, srcTop, rop);
    }

private:
    HDC m_hMemDC;
    HBITMAP m_hSection;
    HGDIOBJ m_hOldBitmap;
    std::uint8_t* m_pBits;
    std::size_t size_;
};

}  // namespace

std::unique_ptr<IDibSection> WinGraphics::CreateDibSection(const BitmapInfoHeader& header) {
    HDC memDC = CreateCompatibleDC(nullptr);
    if (memDC == nullptr) return nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = header.width;
    info.bmiHeader.biHeight = header.height;
    info.bmiHeader.biPlanes = header.planes;
    info.bmiHeader.biBitCount = header.bitCount;
    info.bmiHeader.biCompression = header.compression;
    info.bmiHeader.biSizeImage = header.sizeImage;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(memDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (section == nullptr || bits == nullptr) {
        if (section != nullptr) DeleteObject(section);
        DeleteDC(memDC);
        return nullptr;
    }
    HGDIOBJ old = SelectObject(memDC, section);
    return std::make_unique<WinDibSection>(memDC, section, old, bits, header.sizeImage);
}

}  // namespace platform
