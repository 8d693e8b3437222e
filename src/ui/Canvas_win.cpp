#include "ui/Canvas_win.h"

namespace ui {

Canvas::Canvas(int width, int height) : m_Width(width), m_Height(height), m_Dc(CreateCompatibleDC(nullptr)) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    m_Bitmap.reset(CreateDIBSection(m_Dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!m_Dc || !m_Bitmap) return;
    m_Selection.emplace(m_Dc.get(), m_Bitmap.get());
    m_Bits = static_cast<const std::uint32_t*>(bits);
    Fill(RGB(255, 255, 255));
}

void Canvas::Fill(COLORREF colour) {
    if (m_Bits == nullptr) return;
    RECT rc{0, 0, m_Width, m_Height};
    const platform::UniqueBrush brush(CreateSolidBrush(colour));
    FillRect(m_Dc.get(), &rc, brush.get());
}

COLORREF Canvas::Pixel(int x, int y) const {
    if (m_Bits == nullptr || x < 0 || y < 0 || x >= m_Width || y >= m_Height) return CLR_INVALID;
    GdiFlush();  // drawing still queued would not show in the bits yet
    const std::uint32_t p =
        m_Bits[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_Width) + static_cast<std::size_t>(x)];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

}  // namespace ui
