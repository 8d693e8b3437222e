#include "manager/Banner_win.h"

namespace {

constexpr int kWidth = 153;
constexpr int kHeight = 25;

// Selects an object into a context for as long as it lives.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~Selected() { SelectObject(dc_, old_); }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

}  // namespace

HBITMAP CreateTessivarBanner() {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, kWidth, kHeight);
    ReleaseDC(nullptr, screen);
    if (dc == nullptr || bitmap == nullptr) {
        if (bitmap != nullptr) DeleteObject(bitmap);
        if (dc != nullptr) DeleteDC(dc);
        return nullptr;
    }
    {
        Selected selectBitmap(dc, bitmap);
        // A dark-to-light blue gradient with the name in white.
        for (int x = 0; x < kWidth; ++x) {
            const COLORREF colour = RGB(10 + x / 3, 40 + x / 2, 110 + x * 3 / 4);
            HBRUSH brush = CreateSolidBrush(colour);
            RECT column{x, 0, x + 1, kHeight};
            FillRect(dc, &column, brush);
            DeleteObject(brush);
        }
        RECT stripe{0, kHeight - 3, kWidth, kHeight};
        HBRUSH gold = CreateSolidBrush(RGB(230, 180, 40));
        FillRect(dc, &stripe, gold);
        DeleteObject(gold);

        HFONT font = CreateFontW(-16, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
        {
            Selected selectFont(dc, font);
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, RGB(255, 255, 255));
            RECT text{8, 0, kWidth, kHeight - 3};
            DrawTextW(dc, L"Tessivar", -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        }
        DeleteObject(font);
    }
    DeleteDC(dc);
    return bitmap;
}
