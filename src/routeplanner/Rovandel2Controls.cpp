#include "routeplanner/Rovandel2Controls.h"

#include <array>

#include "base/UiTexts.h"
#include "ui/Twips.h"

namespace Rovandel2Controls {
namespace {

using K = Kind;
namespace t = texts;

// Laid out in pixels at 96 DPI.
constexpr Entry S(Kind kind, std::string_view name, std::string_view caption, std::string_view tag, int x, int y, int w,
                  int h, int id = 0, bool selected = false, bool firstOfGroup = false) {
    constexpr int px = ui::kTwipsPerPixelAt96Dpi;
    return {kind, name, caption, tag, x * px, y * px, w * px, h * px, id, selected, firstOfGroup};
}

// One address frame at `x`: the rows of labels and boxes, then the two buttons.
#define ADDRESS_FRAME(x, frame, frameCaption, side, sideTag, idBase, street, houseNo, zip, city, country, current,     \
                      personal, currentId, personalId)                                                                 \
    S(K::Frame, frame, frameCaption, {}, x, 44, 176, 182),                                                             \
        S(K::Label, "lbrouteEntry_" #side "_street", street, {}, x + 8, 65, 71, 16),                                   \
        S(K::TextBox, "txbrouteEntry_" #side "_street", t::kRovSample##sideTag##Street, "station[" #idBase "].street", \
          x + 80, 62, 88, 20, Id::txbrouteEntry_##side##_street),                                                      \
        S(K::Label, "lbrouteEntry_" #side "_houseNo", houseNo, {}, x + 8, 87, 71, 16),                                 \
        S(K::TextBox, "txbrouteEntry_" #side "_houseNo", {}, "routeEntry_" #side "_houseNo", x + 80, 84, 88, 20,       \
          Id::txbrouteEntry_##side##_houseNo),                                                                         \
        S(K::Label, "lbrouteEntry_" #side "_zip", zip, {}, x + 8, 109, 71, 16),                                        \
        S(K::TextBox, "txbrouteEntry_" #side "_zip", t::kRovSample##sideTag##Zip, "station[" #idBase "].zip", x + 80,  \
          106, 88, 20, Id::txbrouteEntry_##side##_zip),                                                                \
        S(K::Label, "lbrouteEntry_" #side "_city", city, {}, x + 8, 131, 71, 16),                                      \
        S(K::TextBox, "txbrouteEntry_" #side "_city", t::kRovSample##sideTag##City, "station[" #idBase "].city",       \
          x + 80, 128, 88, 20, Id::txbrouteEntry_##side##_city),                                                       \
        S(K::Label, "lbrouteEntry_" #side "_country", country, {}, x + 8, 153, 71, 16),                                \
        S(K::List, "cbxrouteEntry_" #side "_country", {}, "station[" #idBase "].country.isoCode", x + 80, 150, 60, 21, \
          Id::cbxrouteEntry_##side##_country),                                                                         \
        S(K::Button, current, t::kRovCurrentRecord, {}, x + 8, 176, 160, 22, currentId),                               \
        S(K::Button, personal, t::kRovPersonalRecord, {}, x + 8, 200, 160, 22, personalId)

constexpr auto kControls = std::to_array<Entry>({
    S(K::Picture, imBanner, {}, {}, 8, 6, 360, 34, Id::imBanner),
    ADDRESS_FRAME(8, "frStart", t::kRovFrameStart, start, Start, 0, t::kRovStartStreet, t::kRovStartHouseNo,
                  t::kRovStartZip, t::kRovStartCity, t::kRovStartCountry, cmdAktuellerDatensatzStart,
                  cmdPersoenlicherDatensatzStart, Id::cmdAktuellerDatensatzStart, Id::cmdPersoenlicherDatensatzStart),
    ADDRESS_FRAME(192, "frZiel", t::kRovFrameZiel, dest, Dest, 1, t::kRovDestStreet, t::kRovDestHouseNo, t::kRovDestZip,
                  t::kRovDestCity, t::kRovDestCountry, cmdAktuellerDatensatzZiel, cmdPersoenlicherDatensatzZiel,
                  Id::cmdAktuellerDatensatzZiel, Id::cmdPersoenlicherDatensatzZiel),
    S(K::Frame, "frZeitplanung", t::kRovFrameZeitplanung, {}, 8, 230, 176, 74),
    S(K::Label, "lbrouteEntry_time_type", t::kRovTimeType, {}, 16, 248, 66, 15),
    S(K::List, cbxrouteEntry_time_type, {}, "routeEntry_time_type", 16, 265, 66, 21, Id::cbxrouteEntry_time_type),
    S(K::Label, "lbrouteEntry_time_hours", t::kRovTimeHours, {}, 88, 248, 44, 15),
    S(K::List, cbxrouteEntry_time_hours, {}, "routeEntry_time_hours", 88, 265, 42, 21, Id::cbxrouteEntry_time_hours),
    S(K::Label, "lbrouteEntry_time_minutes", t::kRovTimeMinutes, {}, 136, 248, 44, 15),
    S(K::List, cbxrouteEntry_time_minutes, {}, "routeEntry_time_minutes", 136, 265, 42, 21,
      Id::cbxrouteEntry_time_minutes),
    S(K::Frame, "frPKW", t::kRovFramePkw, {}, 192, 230, 176, 36),
    S(K::Option, "optrouteEntry_opti_car_langsam", t::kRovCarSlow, {}, 196, 246, 62, 16, 251, false, true),
    S(K::Option, "optrouteEntry_opti_car_mittel", t::kRovCarMedium, {}, 259, 246, 49, 16, 252, true),
    S(K::Option, "optrouteEntry_opti_car_schnell", t::kRovCarFast, {}, 309, 246, 57, 16, 253),
    S(K::Frame, "frStrecke", t::kRovFrameStrecke, {}, 192, 268, 176, 36),
    S(K::Option, "optrouteEntry_opti_route_kurz", t::kRovRouteShort, {}, 196, 284, 54, 16, 254, false, true),
    S(K::Option, "optrouteEntry_opti_route_schnell", t::kRovRouteFast, {}, 260, 284, 60, 16, 255, true),
    S(K::Check, ckAutoStart, t::kRovAutoStart, {}, 8, 308, 360, 17, Id::ckAutoStart),
    S(K::Check, ckAutoZiel, t::kRovAutoZiel, {}, 8, 326, 360, 17, Id::ckAutoZiel),
    S(K::PictureButton, cmdInfo, {}, {}, 8, 348, 30, 24, Id::cmdInfo),
    S(K::Button, cmdBrowse, t::kRovBrowse, {}, 276, 348, 92, 24, Id::cmdBrowse),
    S(K::Progress, ProgressBar, {}, {}, 8, 376, 360, kProgressBarHeight, Id::ProgressBar),
    S(K::Status, StatusBar, {}, {}, 0, 410 - kStatusBarHeight, 376, kStatusBarHeight, Id::StatusBar),
});

#undef ADDRESS_FRAME

}  // namespace

std::span<const Entry> All() { return kControls; }

const Entry* Find(std::string_view name) {
    for (const Entry& entry : kControls) {
        if (entry.name == name) return &entry;
    }
    return nullptr;
}

}  // namespace Rovandel2Controls
