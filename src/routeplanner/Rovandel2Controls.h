#pragma once
// The controls of Rovandel2's main window as its design has them: kind,
// design name, caption or sample text, tag (the settings key under which
// the window keeps the control's value), place in twips, and the control
// identifier that drivers of the window from outside rely on. The Win32
// window is built from this table; the logic finds the controls by name.
#include <span>
#include <string_view>

#include "ui/Twips.h"

namespace Rovandel2Controls {

enum class Kind { Frame, Label, TextBox, List, Button, PictureButton, Option, Check, Picture, Progress, Status };

struct Entry {
    Kind kind;
    std::string_view name;
    std::string_view caption;  // a text box's sample text
    std::string_view tag;
    int left, top, width, height;  // twips
    int id = 0;  // 0: any
    bool selected = false;  // option buttons chosen at start
    bool firstOfGroup = false;  // option buttons that begin a group
};

// In the window's order, which is also the order of the Tab key.
std::span<const Entry> All();
const Entry* Find(std::string_view name);

// The client area, in twips.
inline constexpr int kInnerWidth = 376 * ui::kTwipsPerPixelAt96Dpi;
inline constexpr int kInnerHeight = 410 * ui::kTwipsPerPixelAt96Dpi;
// Heights in pixels.
inline constexpr int kStatusBarHeight = 20;
inline constexpr int kProgressBarHeight = 14;
// The status panel and the pictures before its text.
inline constexpr std::string_view kStatusPanel = "Status";
inline constexpr int kStatusPictureWidth = 32;
inline constexpr int kStatusPictureHeight = 16;

// The names the logic uses.
inline constexpr std::string_view txbrouteEntry_start_street = "txbrouteEntry_start_street";
inline constexpr std::string_view txbrouteEntry_start_houseNo = "txbrouteEntry_start_houseNo";
inline constexpr std::string_view txbrouteEntry_start_zip = "txbrouteEntry_start_zip";
inline constexpr std::string_view txbrouteEntry_start_city = "txbrouteEntry_start_city";
inline constexpr std::string_view cbxrouteEntry_start_country = "cbxrouteEntry_start_country";
inline constexpr std::string_view txbrouteEntry_dest_street = "txbrouteEntry_dest_street";
inline constexpr std::string_view txbrouteEntry_dest_houseNo = "txbrouteEntry_dest_houseNo";
inline constexpr std::string_view txbrouteEntry_dest_zip = "txbrouteEntry_dest_zip";
inline constexpr std::string_view txbrouteEntry_dest_city = "txbrouteEntry_dest_city";
inline constexpr std::string_view cbxrouteEntry_dest_country = "cbxrouteEntry_dest_country";
inline constexpr std::string_view cbxrouteEntry_time_type = "cbxrouteEntry_time_type";
inline constexpr std::string_view cbxrouteEntry_time_hours = "cbxrouteEntry_time_hours";
inline constexpr std::string_view cbxrouteEntry_time_minutes = "cbxrouteEntry_time_minutes";
inline constexpr std::string_view cmdAktuellerDatensatzStart = "cmdAktuellerDatensatzStart";
inline constexpr std::string_view cmdPersoenlicherDatensatzStart = "cmdPersoenlicherDatensatzStart";
inline constexpr std::string_view cmdAktuellerDatensatzZiel = "cmdAktuellerDatensatzZiel";
inline constexpr std::string_view cmdPersoenlicherDatensatzZiel = "cmdPersoenlicherDatensatzZiel";
inline constexpr std::string_view ckAutoStart = "ckAutoStart";
inline constexpr std::string_view ckAutoZiel = "ckAutoZiel";
inline constexpr std::string_view cmdBrowse = "cmdBrowse";
inline constexpr std::string_view cmdInfo = "cmdInfo";
inline constexpr std::string_view imBanner = "imBanner";
inline constexpr std::string_view ProgressBar = "ProgressBar";
inline constexpr std::string_view StatusBar = "StatusBar";

// Fixed identifiers of the controls that are driven from outside.
namespace Id {
inline constexpr int txbrouteEntry_start_street = 201;
inline constexpr int txbrouteEntry_start_houseNo = 202;
inline constexpr int txbrouteEntry_start_zip = 203;
inline constexpr int txbrouteEntry_start_city = 204;
inline constexpr int cbxrouteEntry_start_country = 205;
inline constexpr int txbrouteEntry_dest_street = 211;
inline constexpr int txbrouteEntry_dest_houseNo = 212;
inline constexpr int txbrouteEntry_dest_zip = 213;
inline constexpr int txbrouteEntry_dest_city = 214;
inline constexpr int cbxrouteEntry_dest_country = 215;
inline constexpr int cbxrouteEntry_time_type = 221;
inline constexpr int cbxrouteEntry_time_hours = 222;
inline constexpr int cbxrouteEntry_time_minutes = 223;
inline constexpr int cmdAktuellerDatensatzStart = 231;
inline constexpr int cmdPersoenlicherDatensatzStart = 232;
inline constexpr int cmdAktuellerDatensatzZiel = 233;
inline constexpr int cmdPersoenlicherDatensatzZiel = 234;
inline constexpr int cmdBrowse = 235;
inline constexpr int cmdInfo = 236;
inline constexpr int ckAutoStart = 241;
inline constexpr int ckAutoZiel = 242;
inline constexpr int imBanner = 260;
inline constexpr int ProgressBar = 261;
inline constexpr int StatusBar = 262;
}  // namespace Id

// The window class, for drivers that look for the window.
inline constexpr std::wstring_view kClassName = L"Rovandel2Haupt";

}  // namespace Rovandel2Controls
