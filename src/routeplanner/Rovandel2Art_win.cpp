#include "routeplanner/Rovandel2Art_win.h"

#include <algorithm>

#include "base/UiTexts.h"
#include "common/InfoArt_win.h"
#include "platform/WinText_win.h"
#include "ui/Paint_win.h"

namespace {

using platform::UniquePen;

void Fill(HDC dc, const RECT& rc, COLORREF colour) { ui::FillColour(dc, rc, colour); }

void Disc(HDC dc, const RECT& rc, COLORREF fill, COLORREF edge) {
    const platform::UniqueBrush brush(CreateSolidBrush(fill));
    const UniquePen pen(CreatePen(PS_SOLID, 1, edge));
    const platform::SelectedObject b(dc, brush.get());
    const platform::SelectedObject p(dc, pen.get());
    Ellipse(dc, rc.left, rc.top, rc.right, rc.bottom);
}

// A map pin whose point stands at (x, y), `size` pixels high.
void Pin(HDC dc, int x, int y, int size, COLORREF colour) {
    const int r = std::max(2, size * 3 / 10);
    const int cy = y - size + r;
    {
        const platform::UniqueBrush brush(CreateSolidBrush(colour));
        const UniquePen pen(CreatePen(PS_SOLID, 1, RGB(60, 20, 20)));
        const platform::SelectedObject b(dc, brush.get());
        const platform::SelectedObject p(dc, pen.get());
        const POINT tip[3] = {{x - r + 1, cy + r / 2}, {x + r - 1, cy + r / 2}, {x, y}};
        Polygon(dc, tip, 3);
        Ellipse(dc, x - r, cy - r, x + r + 1, cy + r + 1);
    }
    const int hole = std::max(1, r / 2);
    Disc(dc, {x - hole, cy - hole, x + hole + 1, cy + hole + 1}, RGB(255, 255, 255), RGB(255, 255, 255));
}

// A road along the Bezier curve through `points` (1 + 3n of them).
void Road(HDC dc, const POINT* points, DWORD count, int width) {
    {
        const UniquePen edge(CreatePen(PS_SOLID, width + 2, RGB(70, 70, 70)));
        const platform::SelectedObject p(dc, edge.get());
        PolyBezier(dc, points, count);
    }
    {
        const UniquePen asphalt(CreatePen(PS_SOLID, width, RGB(120, 120, 125)));
        const platform::SelectedObject p(dc, asphalt.get());
        PolyBezier(dc, points, count);
    }
    const UniquePen centre(CreatePen(PS_DOT, 1, RGB(255, 255, 255)));
    const platform::SelectedObject p(dc, centre.get());
    SetBkMode(dc, TRANSPARENT);
    PolyBezier(dc, points, count);
}

platform::UniqueFont MakeFont(int height, int weight) {
    return platform::UniqueFont(CreateFontW(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                                            DEFAULT_PITCH | FF_SWISS, L"Tahoma"));
}

// A picture of `width` x `height` drawn by `paint` on the button face.
template <class Paint>
platform::UniqueBitmap Picture(int width, int height, Paint paint) {
    return ui::MakePicture(width, height, [&](HDC dc) {
        Fill(dc, {0, 0, width, height}, GetSysColor(COLOR_BTNFACE));
        paint(dc);
    });
}

}  // namespace

void PaintRovandelBanner(HDC dc, const RECT& rc) {
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    if (w <= 0 || h <= 0) return;
    // Dusk over the fields: deep blue to green, left to right.
    for (int x = 0; x < w; ++x) {
        const int t = x * 255 / std::max(1, w - 1);
        Fill(dc, {rc.left + x, rc.top, rc.left + x + 1, rc.bottom}, RGB(20 + t / 8, 50 + t * 2 / 5, 110 - t / 4));
    }
    Fill(dc, {rc.left, rc.bottom - std::max(2, h / 12), rc.right, rc.bottom}, RGB(235, 185, 45));

    // The route across the right part, from a red start pin to a green goal.
    const int pin = h / 2;
    const int x0 = rc.left + w * 57 / 100, x1 = rc.right - pin / 2 - 4;
    const int yLow = rc.top + h * 84 / 100, yHigh = rc.top + pin + h / 10;
    const int span = x1 - x0;
    const POINT route[7] = {{x0, yLow},
                            {x0 + span / 6, rc.top + h * 30 / 100},
                            {x0 + span / 3, rc.top + h * 95 / 100},
                            {x0 + span / 2, (yLow + yHigh) / 2},
                            {x0 + span * 2 / 3, rc.top + h * 25 / 100},
                            {x0 + span * 5 / 6, rc.top + h * 90 / 100},
                            {x1, yHigh}};
    Road(dc, route, 7, std::max(3, h / 7));
    Pin(dc, x0, yLow, pin, RGB(210, 40, 40));
    Pin(dc, x1, yHigh, pin, RGB(40, 170, 60));

    SetBkMode(dc, TRANSPARENT);
    const int titleHeight = h * 52 / 100;
    {
        const platform::UniqueFont title = MakeFont(titleHeight, FW_BOLD);
        const platform::SelectedObject f(dc, title.get());
        SetTextColor(dc, RGB(255, 255, 255));
        RECT text{rc.left + h / 4, rc.top + h / 14, x0 - pin, rc.top + h / 14 + titleHeight + h / 10};
        DrawTextW(dc, platform::Widen(texts::kRovandelTitle).c_str(), -1, &text,
                  DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    }
    const platform::UniqueFont subtitle = MakeFont(std::max(8, h * 30 / 100), FW_NORMAL);
    const platform::SelectedObject f(dc, subtitle.get());
    SetTextColor(dc, RGB(235, 235, 200));
    RECT text{rc.left + h / 4, rc.top + h / 14 + titleHeight + h / 20, x0 - pin / 2, rc.bottom - h / 12};
    DrawTextW(dc, platform::Widen(texts::kRovBannerSubtitle).c_str(), -1, &text,
              DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

platform::UniqueBitmap CreateInfoPicture() {
    return Picture(16, 16, [](HDC dc) {
        Disc(dc, {0, 0, 16, 16}, RGB(30, 90, 180), RGB(20, 60, 130));
        Fill(dc, {7, 3, 9, 5}, RGB(255, 255, 255));
        Fill(dc, {7, 6, 9, 13}, RGB(255, 255, 255));
        Fill(dc, {6, 6, 7, 7}, RGB(255, 255, 255));
        Fill(dc, {6, 12, 10, 13}, RGB(255, 255, 255));
    });
}

platform::UniqueBitmap CreateStatusPicture(bool lit) {
    return Picture(32, 16, [lit](HDC dc) {
        // A housing with two lamps, dark or glowing amber.
        const platform::UniqueBrush housing(CreateSolidBrush(RGB(60, 60, 66)));
        const UniquePen edge(CreatePen(PS_SOLID, 1, RGB(30, 30, 30)));
        const platform::SelectedObject b(dc, housing.get());
        const platform::SelectedObject p(dc, edge.get());
        RoundRect(dc, 2, 1, 30, 15, 6, 6);
        const COLORREF lamp = lit ? RGB(255, 190, 30) : RGB(105, 100, 90);
        const COLORREF rim = lit ? RGB(255, 240, 150) : RGB(80, 80, 80);
        Disc(dc, {6, 3, 16, 13}, lamp, rim);
        Disc(dc, {16, 3, 26, 13}, lamp, rim);
    });
}

platform::UniqueBitmap CreateStartPicture() {
    return Picture(32, 16, [](HDC dc) {
        const POINT route[4] = {{5, 14}, {12, 2}, {18, 16}, {27, 8}};
        Road(dc, route, 4, 3);
        Pin(dc, 5, 14, 9, RGB(210, 40, 40));
        Pin(dc, 27, 8, 9, RGB(40, 170, 60));
    });
}

namespace {

constexpr COLORREF kCreditPaper = RGB(18, 40, 70);

}  // namespace

platform::UniqueBitmap CreateRovandelInfoArt() {
    constexpr int w = frmInfo::kWidth, h = frmInfo::kHeight;
    return ui::MakePicture(w, h, [](HDC dc) {
        // Evening sky over green fields.
        for (int y = 0; y < 118; ++y) Fill(dc, {0, y, w, y + 1}, RGB(18 + y / 3, 44 + y / 2, 96 + y / 4));
        for (int y = 118; y < h; ++y) Fill(dc, {0, y, w, y + 1}, RGB(34, 92 + (y - 118) / 3, 48));
        // The road winds through the fields on the right towards the goal,
        // clear of the texts on the left and the viewport above.
        const POINT road[7] = {{200, 190}, {236, 168}, {206, 150}, {246, 146}, {284, 142}, {262, 132}, {294, 138}};
        Road(dc, road, 7, 7);
        Pin(dc, 294, 138, 20, RGB(40, 170, 60));
        // The credit text's viewport in a sunken frame.
        Fill(dc, {163, 69, 309, 116}, RGB(8, 16, 30));
        Fill(dc, {165, 71, 307, 114}, RGB(90, 130, 180));
        Fill(dc, {166, 72, 306, 113}, kCreditPaper);
        SetBkMode(dc, TRANSPARENT);
        {
            const platform::UniqueFont title = MakeFont(30, FW_BOLD);
            const platform::SelectedObject f(dc, title.get());
            SetTextColor(dc, RGB(255, 255, 255));
            RECT rc{14, 8, 306, 42};
            DrawTextW(dc, platform::Widen(texts::kRovandelTitle).c_str(), -1, &rc,
                      DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
        }
        const platform::UniqueFont subtitle = MakeFont(12, FW_NORMAL);
        const platform::SelectedObject f(dc, subtitle.get());
        SetTextColor(dc, RGB(235, 235, 200));
        RECT rc{16, 42, 306, 58};
        DrawTextW(dc, platform::Widen(texts::kRovBannerSubtitle).c_str(), -1, &rc,
                  DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
        Fill(dc, {14, 61, 306, 63}, RGB(235, 185, 45));
    });
}

InfoContent Rovandel2InfoContent() {
    InfoContent content;
    content.background = CreateRovandelInfoArt();
    content.credits = DrawCreditImage(texts::kRovCredits, kCreditPaper, RGB(236, 240, 248), RGB(235, 185, 45));
    content.rights = std::string(texts::kRovRights);
    return content;
}
