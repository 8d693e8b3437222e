#include "manager/ListenansichtControls.h"

#include "base/UiTexts.h"

namespace ListenansichtControls {
namespace {

using namespace ui::make;

constexpr int kStatusHeight = 20;  // pixels at 96 DPI: 300 twips

constexpr ui::ControlEntry kControls[] = {
    Picture(imBanner, "imBanner", {120, 120, 2295, 375}),
    Picture(Picture1, "Picture1", {2520, 120, 420, 420}).Bordered(),
    Picture(Picture2, "Picture2", {3000, 120, 300, 300}).Bordered(),
    Button(cmdSpeichern, "cmdSpeichern", {3360, 120, 975, 375}, texts::kSaveButton).LockedWhileBusy(),
    Button(cmdLaden, "cmdLaden", {4440, 120, 1095, 375}, texts::kLoadButton).LockedWhileBusy(),
    Button(cmdToolbars, "cmdToolbars", {5640, 120, 1095, 375}, texts::kToolbarsButton).LockedWhileBusy(),
    // Its caption gives the access key; the picture covers it.
    PictureButton(cmdInfo, "cmdInfo", {6840, 120, 495, 375}, texts::kInfoButton)
        .Tip(texts::kInfoButtonTip)
        .LockedWhileBusy(),
    Button(cmdWiederherstellen, "cmdWiederherstellen", {7440, 120, 1695, 375}, texts::kRestoreButton).LockedWhileBusy(),
    Button(cmdBearbeiten, "cmdBearbeiten", {3360, 600, 1455, 375}, texts::kEditButton).LockedWhileBusy(),
    Button(cmdPfade, "cmdPfade", {4920, 600, 1815, 375}, texts::kPathsButton).LockedWhileBusy(),
    Button(cmdSchaltflaechen, "cmdSchaltflaechen", {6840, 600, 1815, 375}, texts::kPlaceButton).LockedWhileBusy(),
    ListView(lvCommands, "lvCommands", {0, kListTop, kInnerWidth, 2295}),
    ui::make::StatusBar(StatusBar, "StatusBar", kStatusHeight),
};

}  // namespace

ui::ControlTable All() { return kControls; }

}  // namespace ListenansichtControls
