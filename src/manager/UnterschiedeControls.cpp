#include "manager/UnterschiedeControls.h"

#include "base/UiTexts.h"

namespace UnterschiedeControls {
namespace {

using namespace ui::make;

constexpr ui::ControlEntry kControls[] = {
    Label(lbPrompt, "lbPrompt", {120, 120, 6960, 435}).PlainText(),
    ListView(lvDifferences, "lvDifferences", {120, 675, 6960, 2460}),
    Button(cmdClose, "cmdClose", {5985, 3285, 1095, 375}, texts::kCloseButton).Default(),
};

}  // namespace

ui::ControlTable All() { return kControls; }

}  // namespace UnterschiedeControls
