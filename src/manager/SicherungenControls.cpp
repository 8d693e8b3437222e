#include "manager/SicherungenControls.h"

#include "base/UiTexts.h"

namespace SicherungenControls {
namespace {

using namespace ui::make;

constexpr ui::ControlEntry kControls[] = {
    Label("lbPrompt", {120, 120, 8160, 255}, texts::kRestoreChoicePrompt),
    ListView(lvBackups, "lvBackups", {120, 435, 8160, 2340}),
    Button(cmdUnterschiede, "cmdUnterschiede", {4170, 2925, 1575, 375}, texts::kDiffButton),
    Button(cmdOK, "cmdOK", {5865, 2925, 1095, 375}, texts::kOkButton).Default(),
    Button(cmdCancel, "cmdCancel", {7185, 2925, 1095, 375}, texts::kCancelButton),
    Label(lbSize, "lbSize", {120, 2985, 3930, 255}),
};

}  // namespace

ui::ControlTable All() { return kControls; }

}  // namespace SicherungenControls
