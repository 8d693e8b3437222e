#include "common/InfoArt_win.h"

#include <vector>

#include "platform/WinText_win.h"
#include "ui/Paint_win.h"

namespace {

constexpr int kTop = 6;
constexpr int kLineStep = 17;
constexpr int kGapStep = 11;

platform::UniqueFont CreditFont(bool heading) {
    return platform::UniqueFont(CreateFontW(heading ? -13 : -11, 0, 0, 0, heading ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
                                            FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                            ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Tahoma"));
}

std::vector<std::string_view> LinesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return lines;
}

}  // namespace

platform::UniqueBitmap DrawCreditImage(std::string_view credits, COLORREF paper, COLORREF ink, COLORREF headingInk) {
    const platform::UniqueFont normal = CreditFont(false);
    const platform::UniqueFont heading = CreditFont(true);
    return ui::MakePicture(kCreditWidth, kCreditHeight, [&](HDC dc) {
        ui::FillColour(dc, {0, 0, kCreditWidth, kCreditHeight}, paper);
        SetBkMode(dc, TRANSPARENT);
        int y = kTop;
        for (std::string_view line : LinesOf(credits)) {
            if (line.empty()) {
                y += kGapStep;
                continue;
            }
            const bool isHeading = line.front() == '#';
            if (isHeading) line.remove_prefix(1);
            const platform::SelectedObject font(dc, isHeading ? heading.get() : normal.get());
            SetTextColor(dc, isHeading ? headingInk : ink);
            RECT rc{0, y, kCreditWidth, y + kLineStep};
            const std::wstring wide = platform::Widen(line);
            DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &rc, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
            y += kLineStep;
        }
    });
}
