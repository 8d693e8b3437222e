#pragma once
// The controls of Rovandel2's settings window (frmEinstellungen): the route
// planner, the browser, ACT!'s field numbers of an address, the cookie
// folder, OK and Abbrechen.
#include <string_view>

#include "ui/ControlTable.h"
#include "ui/Twips.h"

namespace EinstellungenControls {

// Identifiers that drivers of the window from outside rely on.
inline constexpr ui::DropDownId cbxRoutenplaner{301};
inline constexpr ui::TextBoxId txbURL{302};
inline constexpr ui::LabelId lbRoutenplanerGesperrt{303};

inline constexpr ui::ToggleId optAutomatisch{311};
inline constexpr ui::ToggleId optEdge{312};
inline constexpr ui::ToggleId optChrome{313};
inline constexpr ui::ToggleId optStandard{314};
inline constexpr ui::ToggleId optIE{315};
inline constexpr ui::ToggleId optProgramm{316};
inline constexpr ui::TextBoxId txbProgramm{317};
inline constexpr ui::ButtonId cmdProgramm{318};
inline constexpr ui::TextBoxId txbBrowserArgumente{319};
inline constexpr ui::LabelId lbStandardHinweis{320};
inline constexpr ui::LabelId lbBrowserGesperrt{321};

inline constexpr ui::TextBoxId txbIDStrasse{331};
inline constexpr ui::TextBoxId txbIDPLZ{332};
inline constexpr ui::TextBoxId txbIDOrt{333};
inline constexpr ui::TextBoxId txbIDLand{334};
inline constexpr ui::ButtonId cmdStandardwerte{335};
inline constexpr ui::LabelId lbFelderGesperrt{336};
inline constexpr ui::LabelId lbStandardStrasse{337};
inline constexpr ui::LabelId lbStandardPLZ{338};
inline constexpr ui::LabelId lbStandardOrt{339};
inline constexpr ui::LabelId lbStandardLand{340};

inline constexpr ui::TextBoxId txbCookiePfad{341};
inline constexpr ui::ButtonId cmdCookiePfad{342};
inline constexpr ui::LabelId lbCookieGesperrt{343};

inline constexpr ui::ButtonId cmdOK{351};
inline constexpr ui::ButtonId cmdAbbrechen{352};

// In the window's order, which is also the order of the Tab key.
ui::ControlTable All();

// The client area, in twips.
inline constexpr int kInnerWidth = 440 * ui::kTwipsPerPixelAt96Dpi;
inline constexpr int kInnerHeight = 478 * ui::kTwipsPerPixelAt96Dpi;

inline constexpr std::wstring_view kClassName = L"Rovandel2Einstellungen";

}  // namespace EinstellungenControls
