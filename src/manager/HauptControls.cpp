#include "manager/HauptControls.h"

#include "base/UiTexts.h"

namespace HauptControls {
namespace {

using namespace ui::make;

constexpr ui::ControlEntry kControls[] = {
    Picture(imBanner, "imBanner", {120, 120, 2295, 375}),
    // A message names the add-on as its setup wrote it: an "&" in it is no access key.
    Label(lbInfo, "lbInfo", {120, 720, 3735, 855}).PlainText(),
    Button(cmdOK, "cmdOK", {1320, 1680, 1215, 375}, texts::kOkButton).Default().LockedWhileBusy(),
};

}  // namespace

ui::ControlTable All() { return kControls; }

}  // namespace HauptControls
