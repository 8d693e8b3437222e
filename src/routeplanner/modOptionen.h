#pragma once
// Rovandel2's options in the per-user settings store: application
// "Rovandel2", section "Optionen". The window keeps its values there under
// its controls' tags; the options below are read on every use and written
// only where said.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/PolicySettingsStore.h"
#include "platform/SettingsStore.h"

namespace modOptionen {

inline constexpr std::string_view kApplikation = "Rovandel2";
inline constexpr std::string_view kAbschnitt = "Optionen";

inline constexpr std::string_view kIDOrt = "IDOrt";
inline constexpr std::string_view kIDStrasse = "IDStrasse";
inline constexpr std::string_view kIDPLZ = "IDPLZ";
inline constexpr std::string_view kIDLand = "IDLand";
inline constexpr std::string_view kURL = "URL";
inline constexpr std::string_view kCookiePfad = "CookiePfad";  // written just before a cookie is deleted
inline constexpr std::string_view kBrowser = "Browser";
inline constexpr std::string_view kBrowserArgumente = "BrowserArgumente";
inline constexpr std::string_view kAutoStart = "AutoStart";
inline constexpr std::string_view kAutoZiel = "AutoZiel";

// Where Group Policy sets options for everyone, below HKEY_LOCAL_MACHINE
// and HKEY_CURRENT_USER (policies/Rovandel2.admx names the same key).
inline constexpr std::string_view kRichtlinienSchluessel = "Software\\Policies\\Brannock-Heyl\\Rovandel2";

// The options an administrator may set for everyone: those the settings
// window offers. What the main window keeps (addresses, lists, check
// boxes) stays each user's own.
std::span<const std::string_view> Richtlinien();
// How the program reads its settings under those policies.
platform::PolicySettingsStore::Scope Richtlinienbereich();

// ACT!'s field numbers of an address, as ACT! numbers its contact fields by default.
inline constexpr std::int32_t kStandardOrt = 30;
inline constexpr std::int32_t kStandardStrasse = 27;
inline constexpr std::int32_t kStandardPLZ = 32;
inline constexpr std::int32_t kStandardLand = 33;

struct Feldnummern {
    std::int32_t Ort = kStandardOrt;
    std::int32_t Strasse = kStandardStrasse;
    std::int32_t PLZ = kStandardPLZ;
    std::int32_t Land = kStandardLand;
    bool operator==(const Feldnummern&) const = default;
};

std::string Lesen(platform::ISettingsStore& store, std::string_view key, std::string_view fallback);
void Schreiben(platform::ISettingsStore& store, std::string_view key, std::string_view value);

// A stored field number: a number (see modZahlen) rounded to a whole 32-bit
// number; anything else, the empty text and a missing key give `standard`.
std::int32_t Feldnummer(std::string_view stored, std::int32_t standard);
// The four field numbers, read afresh in the order city, street, postal code, country.
Feldnummern LeseFeldnummern(platform::ISettingsStore& store);

// A stored list position or check-box state: the number at the text's start
// (0 when there is none), rounded; nothing when it does not fit 32 bits.
std::optional<std::int32_t> Position(std::string_view stored);

// The route planner's page.
std::string URL(platform::ISettingsStore& store);
// The browser to drive ("edge", "chrome", "ie", a program's path, "standard");
// "" leaves the choice to the program.
std::string Browser(platform::ISettingsStore& store);
// Added to the command line of a Chromium-family browser the program starts.
std::string BrowserArgumente(platform::ISettingsStore& store);
// The cookie folder; "" until a clean-up has deleted a cookie from one.
std::string CookiePfad(platform::ISettingsStore& store);
void SetCookiePfad(platform::ISettingsStore& store, std::string_view folder);

}  // namespace modOptionen
