#include "manager/BearbeitenControls.h"

#include "base/UiTexts.h"

namespace BearbeitenControls {
namespace {

using namespace ui::make;
namespace t = texts;

// A text's row: its label, its box and the room left beside it.
constexpr int kLabelLeft = 120, kLabelWidth = 1335;
constexpr int kBoxLeft = 1560, kBoxWidth = 4200, kBoxHeight = 315;
constexpr int kRoomLeft = 5880, kRoomWidth = 1560;
constexpr int kRowHeight = 420;
constexpr int Row(int n) { return 120 + n * kRowHeight; }
constexpr ui::Place LabelAt(int n) { return {kLabelLeft, Row(n) + 45, kLabelWidth, 255}; }
constexpr ui::Place BoxAt(int n) { return {kBoxLeft, Row(n), kBoxWidth, kBoxHeight}; }
constexpr ui::Place RoomAt(int n) { return {kRoomLeft, Row(n) + 45, kRoomWidth, 255}; }

constexpr int kLargeTop = 2700, kSmallTop = 3240;
constexpr int kPictureButtonsLeft = 2160, kLoadWidth = 1575, kSaveLeft = 3840, kSaveWidth = 1935;

constexpr ui::ControlEntry kControls[] = {
    Label("lbName", LabelAt(0), t::kEditName),
    TextBox(txbName, "txbName", BoxAt(0)),
    Label(lbRestName, "lbRestName", RoomAt(0)),
    Label("lbZeile", LabelAt(1), t::kEditZeile),
    TextBox(txbZeile, "txbZeile", BoxAt(1)),
    Label(lbRestZeile, "lbRestZeile", RoomAt(1)),
    Button(cmdDurchsuchen, "cmdDurchsuchen", {7560, Row(1) - 30, 1335, 375}, t::kEditBrowse),
    Label("lbStart", LabelAt(2), t::kEditStart),
    TextBox(txbStart, "txbStart", BoxAt(2)),
    Label(lbRestStart, "lbRestStart", RoomAt(2)),
    Label("lbQuickInfo", LabelAt(3), t::kEditQuickInfo),
    TextBox(txbQuickInfo, "txbQuickInfo", BoxAt(3)),
    Label(lbRestQuickInfo, "lbRestQuickInfo", RoomAt(3)),
    Label("lbBeschreibung", LabelAt(4), t::kEditBeschreibung),
    TextBox(txbBeschreibung, "txbBeschreibung", BoxAt(4)),
    Label(lbRestBeschreibung, "lbRestBeschreibung", RoomAt(4)),
    Label("lbMenu", LabelAt(5), t::kEditMenu),
    TextBox(txbMenu, "txbMenu", BoxAt(5)),
    Label(lbRestMenu, "lbRestMenu", RoomAt(5)),

    Label("lbGross", {kLabelLeft, kLargeTop + 82, kLabelWidth, 255}, t::kEditLargePicture),
    Picture(imGross, "imGross", {kBoxLeft, kLargeTop, 420, 420}).Bordered(),
    Button(cmdBildLadenGross, "cmdBildLadenGross", {kPictureButtonsLeft, kLargeTop + 22, kLoadWidth, 375},
           t::kEditLoadLarge),
    Button(cmdPngGross, "cmdPngGross", {kSaveLeft, kLargeTop + 22, kSaveWidth, 375}, t::kEditSaveLarge),
    Label("lbKlein", {kLabelLeft, kSmallTop + 22, kLabelWidth, 255}, t::kEditSmallPicture),
    Picture(imKlein, "imKlein", {kBoxLeft, kSmallTop, 300, 300}).Bordered(),
    Button(cmdBildLadenKlein, "cmdBildLadenKlein", {kPictureButtonsLeft, kSmallTop - 38, kLoadWidth, 375},
           t::kEditLoadSmall),
    Button(cmdPngKlein, "cmdPngKlein", {kSaveLeft, kSmallTop - 38, kSaveWidth, 375}, t::kEditSaveSmall),

    Button(cmdOK, "cmdOK", {6360, 3840, 1215, 375}, t::kOkButton).Default(),
    Button(cmdAbbrechen, "cmdAbbrechen", {7680, 3840, 1215, 375}, t::kCancelButton),
};

}  // namespace

ui::ControlTable All() { return kControls; }

}  // namespace BearbeitenControls
