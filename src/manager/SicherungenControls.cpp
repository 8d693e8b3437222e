#include "manager/SicherungenControls.h"

#include "base/UiTexts.h"

namespace SicherungenControls {
namespace {

using namespace ui::make;

constexpr ui::ControlEntry kControls[] = {
    Label("lbPrompt", {120, 120, 4560, 255}, texts::kRestoreChoicePrompt),
    ListView(lvBackups, "lvBackups", {120, 435, 4560, 2340}),
    Button(cmdOK, "cmdOK", {2370, 2925, 1095, 375}, texts::kOkButton).Default(),
    Button(cmdCancel, "cmdCancel", {3585, 2925, 1095, 375}, texts::kCancelButton),
    Label(lbSize, "lbSize", {120, 2985, 2130, 255}),
};

}  // namespace

ui::ControlTable All() { return kControls; }

}  // namespace SicherungenControls
