#include "routeplanner/Rovandel2Controls.h"

#include "base/UiTexts.h"
#include "routeplanner/modOptionen.h"

namespace Rovandel2Controls {
namespace {

using namespace ui::make;
namespace t = texts;

// Laid out in pixels at 96 DPI.
constexpr auto Px = ui::PlaceInPixels;

// The two address frames, side by side.
constexpr int kStart = 8;
constexpr int kDest = 192;

// The text boxes and lists keep their values under the settings keys of
// the route planner's form fields; the turns restore and store the
// destination before the start, the texts before the lists, the two check
// boxes last. A task locks the address boxes and the buttons.
constexpr ui::ControlEntry kControls[] = {
    Picture(imBanner, "imBanner", Px(8, 6, 360, 34)),

    Frame("frStart", Px(kStart, 44, 176, 182), t::kRovFrameStart),
    Label("lbrouteEntry_start_street", Px(kStart + 8, 65, 71, 16), t::kRovStartStreet),
    TextBox(txbrouteEntry_start_street, "txbrouteEntry_start_street", Px(kStart + 80, 62, 88, 20),
            t::kRovSampleStartStreet)
        .Kept("station[0].street", 7)
        .LockedWhileBusy(),
    Label("lbrouteEntry_start_houseNo", Px(kStart + 8, 87, 71, 16), t::kRovStartHouseNo),
    TextBox(txbrouteEntry_start_houseNo, "txbrouteEntry_start_houseNo", Px(kStart + 80, 84, 88, 20))
        .Kept("routeEntry_start_houseNo", 8)
        .LockedWhileBusy(),
    Label("lbrouteEntry_start_zip", Px(kStart + 8, 109, 71, 16), t::kRovStartZip),
    TextBox(txbrouteEntry_start_zip, "txbrouteEntry_start_zip", Px(kStart + 80, 106, 88, 20), t::kRovSampleStartZip)
        .Kept("station[0].zip", 6)
        .LockedWhileBusy(),
    Label("lbrouteEntry_start_city", Px(kStart + 8, 131, 71, 16), t::kRovStartCity),
    TextBox(txbrouteEntry_start_city, "txbrouteEntry_start_city", Px(kStart + 80, 128, 88, 20), t::kRovSampleStartCity)
        .Kept("station[0].city", 5)
        .LockedWhileBusy(),
    Label("lbrouteEntry_start_country", Px(kStart + 8, 153, 71, 16), t::kRovStartCountry),
    DropDown(cbxrouteEntry_start_country, "cbxrouteEntry_start_country", Px(kStart + 80, 150, 60, 21))
        .Kept("station[0].country.isoCode", 10),
    Button(cmdAktuellerDatensatzStart, "cmdAktuellerDatensatzStart", Px(kStart + 8, 176, 160, 22), t::kRovCurrentRecord)
        .LockedWhileBusy(),
    Button(cmdPersoenlicherDatensatzStart, "cmdPersoenlicherDatensatzStart", Px(kStart + 8, 200, 160, 22),
           t::kRovPersonalRecord)
        .LockedWhileBusy(),

    Frame("frZiel", Px(kDest, 44, 176, 182), t::kRovFrameZiel),
    Label("lbrouteEntry_dest_street", Px(kDest + 8, 65, 71, 16), t::kRovDestStreet),
    TextBox(txbrouteEntry_dest_street, "txbrouteEntry_dest_street", Px(kDest + 80, 62, 88, 20), t::kRovSampleDestStreet)
        .Kept("station[1].street", 3)
        .LockedWhileBusy(),
    Label("lbrouteEntry_dest_houseNo", Px(kDest + 8, 87, 71, 16), t::kRovDestHouseNo),
    TextBox(txbrouteEntry_dest_houseNo, "txbrouteEntry_dest_houseNo", Px(kDest + 80, 84, 88, 20))
        .Kept("routeEntry_dest_houseNo", 4)
        .LockedWhileBusy(),
    Label("lbrouteEntry_dest_zip", Px(kDest + 8, 109, 71, 16), t::kRovDestZip),
    TextBox(txbrouteEntry_dest_zip, "txbrouteEntry_dest_zip", Px(kDest + 80, 106, 88, 20), t::kRovSampleDestZip)
        .Kept("station[1].zip", 2)
        .LockedWhileBusy(),
    Label("lbrouteEntry_dest_city", Px(kDest + 8, 131, 71, 16), t::kRovDestCity),
    TextBox(txbrouteEntry_dest_city, "txbrouteEntry_dest_city", Px(kDest + 80, 128, 88, 20), t::kRovSampleDestCity)
        .Kept("station[1].city", 1)
        .LockedWhileBusy(),
    Label("lbrouteEntry_dest_country", Px(kDest + 8, 153, 71, 16), t::kRovDestCountry),
    DropDown(cbxrouteEntry_dest_country, "cbxrouteEntry_dest_country", Px(kDest + 80, 150, 60, 21))
        .Kept("station[1].country.isoCode", 9),
    Button(cmdAktuellerDatensatzZiel, "cmdAktuellerDatensatzZiel", Px(kDest + 8, 176, 160, 22), t::kRovCurrentRecord)
        .LockedWhileBusy(),
    Button(cmdPersoenlicherDatensatzZiel, "cmdPersoenlicherDatensatzZiel", Px(kDest + 8, 200, 160, 22),
           t::kRovPersonalRecord)
        .LockedWhileBusy(),

    Frame("frZeitplanung", Px(8, 230, 176, 74), t::kRovFrameZeitplanung),
    Label("lbrouteEntry_time_type", Px(16, 248, 66, 15), t::kRovTimeType),
    DropDown(cbxrouteEntry_time_type, "cbxrouteEntry_time_type", Px(16, 265, 66, 21)).Kept("routeEntry_time_type", 11),
    Label("lbrouteEntry_time_hours", Px(88, 248, 44, 15), t::kRovTimeHours),
    DropDown(cbxrouteEntry_time_hours, "cbxrouteEntry_time_hours", Px(88, 265, 42, 21))
        .Kept("routeEntry_time_hours", 12),
    Label("lbrouteEntry_time_minutes", Px(136, 248, 44, 15), t::kRovTimeMinutes),
    DropDown(cbxrouteEntry_time_minutes, "cbxrouteEntry_time_minutes", Px(136, 265, 42, 21))
        .Kept("routeEntry_time_minutes", 13),

    Frame("frPKW", Px(192, 230, 176, 36), t::kRovFramePkw),
    Option(optrouteEntry_opti_car_langsam, "optrouteEntry_opti_car_langsam", Px(196, 246, 62, 16), t::kRovCarSlow)
        .FirstOfGroup(),
    Option(optrouteEntry_opti_car_mittel, "optrouteEntry_opti_car_mittel", Px(259, 246, 49, 16), t::kRovCarMedium)
        .Selected(),
    Option(optrouteEntry_opti_car_schnell, "optrouteEntry_opti_car_schnell", Px(309, 246, 57, 16), t::kRovCarFast),
    Frame("frStrecke", Px(192, 268, 176, 36), t::kRovFrameStrecke),
    Option(optrouteEntry_opti_route_kurz, "optrouteEntry_opti_route_kurz", Px(196, 284, 54, 16), t::kRovRouteShort)
        .FirstOfGroup(),
    Option(optrouteEntry_opti_route_schnell, "optrouteEntry_opti_route_schnell", Px(260, 284, 60, 16), t::kRovRouteFast)
        .Selected(),

    CheckBox(ckAutoStart, "ckAutoStart", Px(8, 308, 360, 17), t::kRovAutoStart).Kept(modOptionen::kAutoStart, 14),
    CheckBox(ckAutoZiel, "ckAutoZiel", Px(8, 326, 360, 17), t::kRovAutoZiel).Kept(modOptionen::kAutoZiel, 15),
    PictureButton(cmdInfo, "cmdInfo", Px(8, 348, 30, 24)).LockedWhileBusy().Tip(t::kRovInfoTip),
    Button(cmdEinstellungen, "cmdEinstellungen", Px(42, 348, 104, 24), t::kRovSettings)
        .LockedWhileBusy()
        .Tip(t::kRovSettingsTip),
    // Its tip names the host of the planner in use, set when the window loads.
    Button(cmdBrowse, "cmdBrowse", Px(276, 348, 92, 24), t::kRovBrowse).Default().LockedWhileBusy(),
    // The builders of these two kinds bear the controls' names.
    ui::make::ProgressBar(ProgressBar, "ProgressBar", Px(8, 376, 360, 14)),
    ui::make::StatusBar(StatusBar, "StatusBar", 20),
};

// Each turn from 1 on is taken by exactly one control, and only text
// boxes, lists and check boxes are kept: the window's load and close know
// no other.
constexpr bool TurnsAreWhole() {
    int kept = 0;
    for (const ui::ControlEntry& control : kControls) {
        if (control.settingsKey.empty()) continue;
        ++kept;
        if (control.kind != ui::Kind::TextBox && control.kind != ui::Kind::DropDown &&
            control.kind != ui::Kind::CheckBox) {
            return false;
        }
    }
    for (int turn = 1; turn <= kept; ++turn) {
        int taken = 0;
        for (const ui::ControlEntry& control : kControls)
            taken += !control.settingsKey.empty() && control.keptAs == turn;
        if (taken != 1) return false;
    }
    return true;
}
static_assert(TurnsAreWhole());

}  // namespace

ui::ControlTable All() { return kControls; }

}  // namespace Rovandel2Controls
