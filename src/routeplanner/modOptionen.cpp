#include "routeplanner/modOptionen.h"

#include "base/UiTexts.h"
#include "routeplanner/modZahlen.h"

namespace modOptionen {
namespace {

constexpr std::string_view kRichtlinien[] = {kURL,   kBrowser, kBrowserArgumente, kIDStrasse,
                                             kIDPLZ, kIDOrt,   kIDLand,           kCookiePfad};

}  // namespace

std::span<const std::string_view> Richtlinien() { return kRichtlinien; }

platform::PolicySettingsStore::Scope Richtlinienbereich() {
    return {std::string(kApplikation), std::string(kAbschnitt), std::string(kRichtlinienSchluessel),
            std::vector<std::string>(std::begin(kRichtlinien), std::end(kRichtlinien))};
}

std::string Lesen(platform::ISettingsStore& store, std::string_view key, std::string_view fallback) {
    return store.GetSetting(kApplikation, kAbschnitt, key, fallback);
}

void Schreiben(platform::ISettingsStore& store, std::string_view key, std::string_view value) {
    store.SaveSetting(kApplikation, kAbschnitt, key, value);
}

std::int32_t Feldnummer(std::string_view stored, std::int32_t standard) {
    const std::optional<double> number = modZahlen::ZahlAus(stored);
    if (!number) return standard;
    return modZahlen::Gerundet(*number).value_or(standard);
}

Feldnummern LeseFeldnummern(platform::ISettingsStore& store) {
    Feldnummern f;
    const auto read = [&store](std::string_view key, std::int32_t standard) {
        return Feldnummer(Lesen(store, key, std::to_string(standard)), standard);
    };
    f.Ort = read(kIDOrt, kStandardOrt);
    f.Strasse = read(kIDStrasse, kStandardStrasse);
    f.PLZ = read(kIDPLZ, kStandardPLZ);
    f.Land = read(kIDLand, kStandardLand);
    return f;
}

std::optional<std::int32_t> Position(std::string_view stored) {
    return modZahlen::Gerundet(modZahlen::FuehrendeZahl(stored));
}

std::string URL(platform::ISettingsStore& store) { return Lesen(store, kURL, texts::kDefaultRouteUrl); }
std::string Browser(platform::ISettingsStore& store) { return Lesen(store, kBrowser, ""); }
std::string BrowserArgumente(platform::ISettingsStore& store) { return Lesen(store, kBrowserArgumente, ""); }
std::string CookiePfad(platform::ISettingsStore& store) { return Lesen(store, kCookiePfad, ""); }
void SetCookiePfad(platform::ISettingsStore& store, std::string_view folder) { Schreiben(store, kCookiePfad, folder); }

}  // namespace modOptionen
