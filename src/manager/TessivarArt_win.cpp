#include "manager/TessivarArt_win.h"

#include <algorithm>
#include <array>

#include "base/UiTexts.h"
#include "common/InfoArt_win.h"
#include "platform/WinText_win.h"
#include "ui/Paint_win.h"

namespace {

constexpr int kWidth = frmInfo::kWidth;
constexpr int kHeight = frmInfo::kHeight;
constexpr COLORREF kPaper = RGB(16, 30, 68);
constexpr COLORREF kGold = RGB(232, 182, 48);

platform::UniqueFont ArtFont(int height, int weight) {
    return platform::UniqueFont(CreateFontW(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                                            DEFAULT_PITCH | FF_SWISS, L"Tahoma"));
}

void Text(HDC dc, std::string_view text, RECT rc, HFONT font, COLORREF colour) {
    const platform::SelectedObject selected(dc, font);
    SetTextColor(dc, colour);
    const std::wstring wide = platform::Widen(text);
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &rc, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
}

COLORREF Blend(COLORREF a, COLORREF b, int step, int steps) {
    const auto mix = [&](int x, int y) { return x + (y - x) * step / steps; };
    return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)), mix(GetBValue(a), GetBValue(b)));
}

}  // namespace

platform::UniqueBitmap DrawTessivarInfoArt() {
    return ui::MakePicture(kWidth, kHeight, [](HDC dc) {
        // Deep blue, lighter towards the bottom right.
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; x += 4) {
                ui::FillColour(dc, {x, y, x + 4, y + 1},
                               Blend(RGB(12, 22, 56), RGB(36, 92, 150), x / 4 + y, kWidth / 4 + kHeight));
            }
        }
        SetBkMode(dc, TRANSPARENT);
        const platform::UniqueFont title = ArtFont(30, FW_BOLD);
        const platform::UniqueFont subtitle = ArtFont(12, FW_NORMAL);
        Text(dc, texts::kTessivarTitle, {14, 8, 306, 42}, title.get(), RGB(255, 255, 255));
        Text(dc, texts::kTessivarSubtitle, {16, 42, 306, 58}, subtitle.get(), RGB(176, 208, 240));
        ui::FillColour(dc, {14, 61, 306, 63}, kGold);

        // The viewport of the credit text sits in a sunken frame.
        ui::FillColour(dc, {163, 69, 309, 116}, RGB(6, 12, 30));
        ui::FillColour(dc, {165, 71, 307, 114}, RGB(70, 110, 170));
        ui::FillColour(dc, {166, 72, 306, 113}, kPaper);

        // A toolbar's buttons, the program's business.
        constexpr std::array<COLORREF, 6> kButtons = {RGB(232, 182, 48), RGB(92, 176, 92),   RGB(214, 96, 80),
                                                      RGB(96, 150, 220), RGB(176, 120, 200), RGB(230, 230, 230)};
        for (std::size_t i = 0; i < kButtons.size(); ++i) {
            const int left = 14 + static_cast<int>(i) * 22;
            ui::FillColour(dc, {left, 98, left + 18, 116}, RGB(8, 16, 40));
            ui::FillColour(dc, {left + 1, 99, left + 17, 115}, RGB(58, 96, 150));
            ui::FillColour(dc, {left + 4, 102, left + 14, 112}, kButtons[i]);
        }
        ui::FillColour(dc, {14, 122, 306, 123}, RGB(70, 110, 170));
    });
}

platform::UniqueBitmap DrawInfoButtonPicture(int side) {
    return ui::MakePicture(side, side, [side](HDC dc) {
        ui::FillColour(dc, {0, 0, side, side}, GetSysColor(COLOR_BTNFACE));
        const platform::UniqueBrush blue(CreateSolidBrush(RGB(30, 90, 180)));
        const platform::UniqueBrush white(CreateSolidBrush(RGB(255, 255, 255)));
        const platform::SelectedObject pen(dc, GetStockObject(NULL_PEN));
        {
            const platform::SelectedObject brush(dc, blue.get());
            Ellipse(dc, 0, 0, side + 1, side + 1);
        }
        // The "i": a dot and a stem, in proportion to the picture.
        const int stem = std::max(2, side / 7);
        const int middle = side / 2;
        const platform::SelectedObject brush(dc, white.get());
        Ellipse(dc, middle - stem / 2 - 1, side * 2 / 10, middle + stem / 2 + 2, side * 2 / 10 + stem + 2);
        ui::FillColour(dc, {middle - stem / 2, side * 4 / 10, middle - stem / 2 + stem, side * 8 / 10},
                       RGB(255, 255, 255));
    });
}

InfoContent TessivarInfoContent() {
    InfoContent content;
    content.background = DrawTessivarInfoArt();
    content.credits = DrawCreditImage(texts::kTessivarCredits, kPaper, RGB(236, 240, 248), kGold);
    content.rights = std::string(texts::kTessivarRights);
    return content;
}
