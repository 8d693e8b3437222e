#include "manager/PfadeControls.h"

#include "base/UiTexts.h"

namespace PfadeControls {
namespace {

using namespace ui::make;

constexpr ui::ControlEntry kControls[] = {
    Label(lbOrdner, "lbOrdner", {120, 120, 9360, 255}).PlainText(),
    Label("lbAngepasst", {120, 435, 9360, 255}, texts::kPathsOffered),
    ListView(lvPfade, "lvPfade", {120, 735, 9360, 2175}),
    Label("lbUebrig", {120, 3030, 9360, 255}, texts::kPathsKept),
    ListView(lvUebrig, "lvUebrig", {120, 3330, 9360, 1095}),
    Button(cmdOK, "cmdOK", {7080, 4590, 1095, 375}, texts::kOkButton).Default(),
    Button(cmdCancel, "cmdCancel", {8385, 4590, 1095, 375}, texts::kCancelButton),
};

}  // namespace

ui::ControlTable All() { return kControls; }

}  // namespace PfadeControls
