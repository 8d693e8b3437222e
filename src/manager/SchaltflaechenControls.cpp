#include "manager/SchaltflaechenControls.h"

#include "base/UiTexts.h"

namespace SchaltflaechenControls {
namespace {

using namespace ui::make;

constexpr ui::ControlEntry kControls[] = {
    Label(lbPrompt, "lbPrompt", {120, 120, 6375, 435}).PlainText(),
    ListView(lvToolbars, "lvToolbars", {120, 675, 4680, 2100}),
    Button(cmdHinzufuegen, "cmdHinzufuegen", {4920, 675, 1575, 375}, texts::kPlaceAddButton),
    Button(cmdEntfernen, "cmdEntfernen", {4920, 1170, 1575, 375}, texts::kPlaceRemoveButton),
    Button(cmdLinks, "cmdLinks", {4920, 1665, 1575, 375}, texts::kPlaceLeftButton),
    Button(cmdRechts, "cmdRechts", {4920, 2160, 1575, 375}, texts::kPlaceRightButton),
    Button(cmdOK, "cmdOK", {4080, 2925, 1095, 375}, texts::kOkButton).Default(),
    Button(cmdCancel, "cmdCancel", {5400, 2925, 1095, 375}, texts::kCancelButton),
};

}  // namespace

ui::ControlTable All() { return kControls; }

}  // namespace SchaltflaechenControls
