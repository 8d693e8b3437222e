#include "routeplanner/EinstellungenControls.h"

#include "base/UiTexts.h"

namespace EinstellungenControls {
namespace {

using namespace ui::make;
namespace t = texts;

// Laid out in pixels at 96 DPI.
constexpr auto Px = ui::PlaceInPixels;

// A field number: its label, its box and its default beside it.
constexpr int kFieldRow1 = 282;
constexpr int kFieldRow2 = 306;
constexpr int kFieldLeft = 16;
constexpr int kFieldRight = 224;

constexpr ui::ControlEntry kControls[] = {
    Frame("frRoutenplaner", Px(8, 6, 424, 80), t::kSetFramePlanner),
    Label("lbRoutenplaner", Px(16, 29, 62, 16), t::kSetPlanner),
    DropDown(cbxRoutenplaner, "cbxRoutenplaner", Px(82, 26, 190, 21)),
    Label(lbRoutenplanerGesperrt, "lbRoutenplanerGesperrt", Px(280, 29, 146, 16)),
    Label("lbURL", Px(16, 57, 62, 16), t::kSetAddress),
    TextBox(txbURL, "txbURL", Px(82, 54, 342, 20)),

    Frame("frBrowser", Px(8, 92, 424, 166), t::kSetFrameBrowser),
    Option(optAutomatisch, "optAutomatisch", Px(16, 110, 200, 17), t::kSetAutomatic).FirstOfGroup().Selected(),
    Option(optEdge, "optEdge", Px(16, 128, 200, 17), t::kSetEdge),
    Option(optChrome, "optChrome", Px(16, 146, 200, 17), t::kSetChrome),
    Option(optStandard, "optStandard", Px(16, 164, 200, 17), t::kSetDefaultBrowser),
    Option(optIE, "optIE", Px(16, 182, 200, 17), t::kSetInternetExplorer),
    Option(optProgramm, "optProgramm", Px(16, 202, 82, 17), t::kSetProgram),
    TextBox(txbProgramm, "txbProgramm", Px(100, 200, 222, 20)),
    Button(cmdProgramm, "cmdProgramm", Px(328, 199, 96, 22), t::kSetChooseProgram),
    Label("lbBrowserArgumente", Px(16, 231, 80, 16), t::kSetArguments),
    TextBox(txbBrowserArgumente, "txbBrowserArgumente", Px(100, 228, 324, 20)),
    Label(lbBrowserGesperrt, "lbBrowserGesperrt", Px(222, 110, 202, 16)),
    Label(lbStandardHinweis, "lbStandardHinweis", Px(222, 130, 202, 66)),

    Frame("frFelder", Px(8, 264, 424, 100), t::kSetFrameFields),
    Label("lbIDStrasse", Px(kFieldLeft, kFieldRow1 + 3, 46, 16), t::kSetFieldStreet),
    TextBox(txbIDStrasse, "txbIDStrasse", Px(kFieldLeft + 50, kFieldRow1, 50, 20)),
    Label(lbStandardStrasse, "lbStandardStrasse", Px(kFieldLeft + 106, kFieldRow1 + 3, 90, 16)),
    Label("lbIDPLZ", Px(kFieldLeft, kFieldRow2 + 3, 46, 16), t::kSetFieldZip),
    TextBox(txbIDPLZ, "txbIDPLZ", Px(kFieldLeft + 50, kFieldRow2, 50, 20)),
    Label(lbStandardPLZ, "lbStandardPLZ", Px(kFieldLeft + 106, kFieldRow2 + 3, 90, 16)),
    Label("lbIDOrt", Px(kFieldRight, kFieldRow1 + 3, 46, 16), t::kSetFieldCity),
    TextBox(txbIDOrt, "txbIDOrt", Px(kFieldRight + 50, kFieldRow1, 50, 20)),
    Label(lbStandardOrt, "lbStandardOrt", Px(kFieldRight + 106, kFieldRow1 + 3, 90, 16)),
    Label("lbIDLand", Px(kFieldRight, kFieldRow2 + 3, 46, 16), t::kSetFieldCountry),
    TextBox(txbIDLand, "txbIDLand", Px(kFieldRight + 50, kFieldRow2, 50, 20)),
    Label(lbStandardLand, "lbStandardLand", Px(kFieldRight + 106, kFieldRow2 + 3, 90, 16)),
    Button(cmdStandardwerte, "cmdStandardwerte", Px(16, 333, 110, 23), t::kSetDefaults),
    Label(lbFelderGesperrt, "lbFelderGesperrt", Px(134, 337, 290, 16)),

    Frame("frCookiePfad", Px(8, 370, 424, 68), t::kSetFrameCookies),
    TextBox(txbCookiePfad, "txbCookiePfad", Px(16, 389, 306, 20)),
    Button(cmdCookiePfad, "cmdCookiePfad", Px(328, 388, 96, 22), t::kSetChooseFolder),
    Label(lbCookieGesperrt, "lbCookieGesperrt", Px(16, 414, 320, 16)),

    Button(cmdOK, "cmdOK", Px(264, 446, 80, 24), t::kOkButton).Default(),
    Button(cmdAbbrechen, "cmdAbbrechen", Px(352, 446, 80, 24), t::kCancelButton),
};

}  // namespace

ui::ControlTable All() { return kControls; }

}  // namespace EinstellungenControls
