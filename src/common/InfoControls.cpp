#include "common/InfoControls.h"

#include "base/UiTexts.h"

namespace InfoControls {
namespace {

using namespace ui::make;

// Places in the art are in pixels at 96 DPI.
constexpr ui::Place Pixels(int left, int top, int right, int bottom) {
    constexpr int px = ui::kTwipsPerPixelAt96Dpi;
    return {left * px, top * px, (right - left) * px, (bottom - top) * px};
}

// The texts are the program's own: an "&" in them is no access key.
constexpr ui::ControlEntry kControls[] = {
    Label(lbVersion, "lbVersion", Pixels(14, 72, 150, 88)).PlainText(),
    Label(lbCopyright, "lbCopyright", Pixels(14, 128, 306, 144)).PlainText(),
    Label(lbBH, "lbBH", Pixels(14, 152, 200, 168)).PlainText().Tip(texts::kInfoLinkTip),
    Picture(picScrollText, "picScrollText", Pixels(166, 72, 166 + kViewportWidth, 72 + kViewportHeight)),
    Label(lbDrittanbieter, "lbDrittanbieter", Pixels(220, 152, 306, 168), texts::kInfoNoticesLink)
        .PlainText()
        .Tip(texts::kInfoNoticesTip),
};

}  // namespace

ui::ControlTable All() { return kControls; }

}  // namespace InfoControls
