#pragma once
// The controls of Rovandel2's main window (frmRovandel2) as its design has
// them, in one table: per control its typed handle, design name, caption or
// sample text, place, the settings key under which the window keeps its
// value with its turn when the values are restored and stored, whether a
// running task locks it, and its tool tip. The identifiers are those that
// drivers of the window from outside rely on.
#include <string_view>

#include "ui/ControlTable.h"
#include "ui/Twips.h"

namespace Rovandel2Controls {

inline constexpr ui::PictureId imBanner{260};

inline constexpr ui::TextBoxId txbrouteEntry_start_street{201};
inline constexpr ui::TextBoxId txbrouteEntry_start_houseNo{202};
inline constexpr ui::TextBoxId txbrouteEntry_start_zip{203};
inline constexpr ui::TextBoxId txbrouteEntry_start_city{204};
inline constexpr ui::DropDownId cbxrouteEntry_start_country{205};
inline constexpr ui::ButtonId cmdAktuellerDatensatzStart{231};
inline constexpr ui::ButtonId cmdPersoenlicherDatensatzStart{232};

inline constexpr ui::TextBoxId txbrouteEntry_dest_street{211};
inline constexpr ui::TextBoxId txbrouteEntry_dest_houseNo{212};
inline constexpr ui::TextBoxId txbrouteEntry_dest_zip{213};
inline constexpr ui::TextBoxId txbrouteEntry_dest_city{214};
inline constexpr ui::DropDownId cbxrouteEntry_dest_country{215};
inline constexpr ui::ButtonId cmdAktuellerDatensatzZiel{233};
inline constexpr ui::ButtonId cmdPersoenlicherDatensatzZiel{234};

inline constexpr ui::DropDownId cbxrouteEntry_time_type{221};
inline constexpr ui::DropDownId cbxrouteEntry_time_hours{222};
inline constexpr ui::DropDownId cbxrouteEntry_time_minutes{223};

inline constexpr ui::ToggleId optrouteEntry_opti_car_langsam{251};
inline constexpr ui::ToggleId optrouteEntry_opti_car_mittel{252};
inline constexpr ui::ToggleId optrouteEntry_opti_car_schnell{253};
inline constexpr ui::ToggleId optrouteEntry_opti_route_kurz{254};
inline constexpr ui::ToggleId optrouteEntry_opti_route_schnell{255};

inline constexpr ui::ToggleId ckAutoStart{241};
inline constexpr ui::ToggleId ckAutoZiel{242};
inline constexpr ui::ButtonId cmdInfo{236};
inline constexpr ui::ButtonId cmdEinstellungen{237};
inline constexpr ui::ButtonId cmdBrowse{235};
inline constexpr ui::ProgressId ProgressBar{261};
inline constexpr ui::StatusId StatusBar{262};

// In the window's order, which is also the order of the Tab key.
ui::ControlTable All();

// The client area, in twips.
inline constexpr int kInnerWidth = 376 * ui::kTwipsPerPixelAt96Dpi;
inline constexpr int kInnerHeight = 410 * ui::kTwipsPerPixelAt96Dpi;

// The window class, for drivers that look for the window.
inline constexpr std::wstring_view kClassName = L"Rovandel2Haupt";

}  // namespace Rovandel2Controls
