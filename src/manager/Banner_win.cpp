#include "manager/Banner_win.h"

namespace {

constexpr int kWidth = 153;
constexpr int kHeight = 25;

void Fill(HDC dc, RECT rc, COLORREF colour) {
    const platform::UniqueBrush brush(CreateSolidBrush(colour));
    FillRect(dc, &rc, brush.get());
}

}  // namespace

platform::UniqueBitmap CreateTessivarBanner() {
    const platform::UniqueWindowDC screen = platform::ClientDC(nullptr);
    const platform::UniqueDC dc(CreateCompatibleDC(screen.get()));
    platform::UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), kWidth, kHeight));
    if (!dc || !bitmap) return {};
    const platform::SelectedObject selectBitmap(dc.get(), bitmap.get());
    // A dark-to-light blue gradient with the name in white.
    for (int x = 0; x < kWidth; ++x)
        Fill(dc.get(), {x, 0, x + 1, kHeight}, RGB(10 + x / 3, 40 + x / 2, 110 + x * 3 / 4));
    Fill(dc.get(), {0, kHeight - 3, kWidth, kHeight}, RGB(230, 180, 40));

    const platform::UniqueFont font(CreateFontW(-16, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                                                DEFAULT_PITCH | FF_SWISS, L"Arial"));
    const platform::SelectedObject selectFont(dc.get(), font.get());
    SetBkMode(dc.get(), TRANSPARENT);
    SetTextColor(dc.get(), RGB(255, 255, 255));
    RECT text{8, 0, kWidth, kHeight - 3};
    DrawTextW(dc.get(), L"Tessivar", -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    return bitmap;
}
