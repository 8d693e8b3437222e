#include "routeplanner/modAdresse.h"

#include "base/Ascii.h"
#include "base/Utf8.h"
#include "routeplanner/clStringkette.h"
#include "routeplanner/modZahlen.h"

namespace modAdresse {

std::string ermittleHausnummer(std::string_view Strasse) {
    const std::string s = utf8::ToLower(ascii::TrimBlanks(Strasse));
    if (s.empty()) return {};
    clStringkette teile;
    teile.Kette = s;
    teile.Trennzeichen = " ";
    if (teile.Anzahl() < 2) return {};
    const std::vector<std::string> elemente = teile.Elemente();
    for (std::size_t i = 1; i < elemente.size(); ++i) {  // the first part is never taken
        const std::string& e = elemente[i];
        if (modZahlen::IstZahl(e)) return e;
        const std::size_t length = utf8::Length(e);
        if (length > 2) {
            const std::string_view ohneLetztes = utf8::Left(e, length - 1);
            if (modZahlen::IstZahl(ohneLetztes)) return std::string(ohneLetztes);
        }
    }
    return {};
}

int LandPosition(std::string_view Land) {
    const std::string land = utf8::ToLower(ascii::TrimBlanks(Land));
    if (land == "deutschland") return kDeutschland;
    if (land == "österreich") return kOesterreich;
    if (land == "schweiz") return kSchweiz;
    return kDeutschland;
}

}  // namespace modAdresse
