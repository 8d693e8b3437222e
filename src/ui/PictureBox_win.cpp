#include "ui/PictureBox_win.h"

#include <algorithm>

#include "ui/Paint_win.h"

namespace ui {

PictureBox::PictureBox(Window& owner, std::string name, Place place, bool border)
    : Control(owner, std::move(name), place) {
    CreateHwnd(L"STATIC", WS_VISIBLE | SS_OWNERDRAW | SS_NOTIFY, border ? WS_EX_CLIENTEDGE : 0, {});
}

SIZE PictureBox::PixelSize() const {
    RECT rc{};
    GetClientRect(hwnd(), &rc);
    return {rc.right, rc.bottom};
}

HDC PictureBox::Surface() {
    const SIZE size = PixelSize();
    if (m_SurfaceDC && size.cx == m_SurfaceSize.cx && size.cy == m_SurfaceSize.cy) return m_SurfaceDC.get();
    m_Selection.reset();
    m_SurfaceBitmap.reset();
    m_SurfaceDC.reset();
    const platform::UniqueWindowDC screen = platform::ClientDC(hwnd());
    m_SurfaceDC.reset(CreateCompatibleDC(screen.get()));
    m_SurfaceBitmap.reset(CreateCompatibleBitmap(screen.get(), std::max<LONG>(size.cx, 1), std::max<LONG>(size.cy, 1)));
    m_Selection.emplace(m_SurfaceDC.get(), m_SurfaceBitmap.get());
    m_SurfaceSize = size;
    ClearSurface();
    return m_SurfaceDC.get();
}

void PictureBox::ClearSurface(COLORREF colour) {
    HDC dc = Surface();
    RECT rc{0, 0, m_SurfaceSize.cx, m_SurfaceSize.cy};
    const platform::UniqueBrush brush(CreateSolidBrush(colour));
    FillRect(dc, &rc, brush.get());
}

void PictureBox::Refresh() {
    InvalidateRect(hwnd(), nullptr, FALSE);
    UpdateWindow(hwnd());
}

COLORREF PictureBox::SurfacePixel(int x, int y) {
    HDC dc = Surface();
    if (x < 0 || y < 0 || x >= m_SurfaceSize.cx || y >= m_SurfaceSize.cy) return CLR_INVALID;
    return GetPixel(dc, x, y);
}

void PictureBox::ShowStretched(platform::UniqueBitmap picture) {
    m_Stretched = std::move(picture);
    Refresh();
}

void PictureBox::Layout(UINT dpi) {
    Control::Layout(dpi);
    Refresh();
}

bool PictureBox::OnCommand(UINT code) {
    if (code != STN_CLICKED) return false;
    if (onClick) onClick();
    return true;
}

bool PictureBox::OnDrawItem(const DRAWITEMSTRUCT& item) {
    if (onPaint) {
        onPaint(item.hDC, item.rcItem);
    } else if (m_Stretched) {
        DrawStretched(item.hDC, item.rcItem, m_Stretched.get());
    } else {
        HDC surface = Surface();
        BitBlt(item.hDC, 0, 0, m_SurfaceSize.cx, m_SurfaceSize.cy, surface, 0, 0, SRCCOPY);
    }
    return true;
}

}  // namespace ui
