// The house number in a street text, the country entry of a country name,
// and what counts as a number in the options and the house numbers.
#include <gtest/gtest.h>

#include "base/AppError.h"
#include "platform/MemorySettingsStore.h"
#include "routeplanner/modAdresse.h"
#include "routeplanner/modOptionen.h"
#include "routeplanner/modZahlen.h"

namespace {

using modAdresse::ermittleHausnummer;
using modAdresse::LandPosition;

TEST(ermittleHausnummer, TheExamplesOfTheStreetField) {
    EXPECT_EQ(ermittleHausnummer("Hauptstraße 12"), "12");
    EXPECT_EQ(ermittleHausnummer("Ring 12a"), "12");
    EXPECT_EQ(ermittleHausnummer("Am Markt 3a"), "");
    EXPECT_EQ(ermittleHausnummer("Hauptstr.12"), "");
    EXPECT_EQ(ermittleHausnummer("12 Hauptstraße"), "");
    EXPECT_EQ(ermittleHausnummer("Lange Reihe 5 a"), "5");
}

TEST(ermittleHausnummer, BlanksLetterCaseAndOtherForms) {
    EXPECT_EQ(ermittleHausnummer("   Schloßstraße 7   "), "7");
    EXPECT_EQ(ermittleHausnummer("Mariahilfer Straße  45"), "45");  // the empty part between two blanks is skipped
    EXPECT_EQ(ermittleHausnummer("RING 12A"), "12");
    EXPECT_EQ(ermittleHausnummer("Weg 12ä"), "12");          // the last character is an umlaut, two bytes
    EXPECT_EQ(ermittleHausnummer("Weg 1ä"), "");             // two characters are never cut
    EXPECT_EQ(ermittleHausnummer("Kai 12,5"), "12,5");       // a number as a whole, German style
    EXPECT_EQ(ermittleHausnummer("Kai 12.5"), "12.5");
    EXPECT_EQ(ermittleHausnummer("Weg 12, Hinterhaus"), "12");
    EXPECT_EQ(ermittleHausnummer("Weg 5-7"), "");
    EXPECT_EQ(ermittleHausnummer("Weg 100b Haus 3"), "100");
    EXPECT_EQ(ermittleHausnummer("Weg"), "");
    EXPECT_EQ(ermittleHausnummer(""), "");
    EXPECT_EQ(ermittleHausnummer("    "), "");
}

TEST(ermittleHausnummer, AStreetOfMorePartsThanCanBeCountedRaisesOverflow) {
    std::string street = "Weg";
    for (int i = 0; i < 40000; ++i) street += " x";
    EXPECT_THROW(ermittleHausnummer(street), AppError);
}

TEST(LandPosition, GermanNamesInAnyCaseWithBlanksElseGermany) {
    EXPECT_EQ(LandPosition("Deutschland"), modAdresse::kDeutschland);
    EXPECT_EQ(LandPosition("  Österreich "), modAdresse::kOesterreich);
    EXPECT_EQ(LandPosition("ÖSTERREICH"), modAdresse::kOesterreich);
    EXPECT_EQ(LandPosition("schweiz"), modAdresse::kSchweiz);
    EXPECT_EQ(LandPosition("SCHWEIZ"), modAdresse::kSchweiz);
    EXPECT_EQ(LandPosition("Germany"), modAdresse::kDeutschland);
    EXPECT_EQ(LandPosition("Austria"), modAdresse::kDeutschland);
    EXPECT_EQ(LandPosition(""), modAdresse::kDeutschland);
    EXPECT_EQ(LandPosition("Oesterreich"), modAdresse::kDeutschland);
    EXPECT_EQ(LandPosition("\tSchweiz"), modAdresse::kDeutschland);  // only blanks are trimmed
}

TEST(Zahlen, CommaOrPointWithoutGrouping) {
    using modZahlen::ZahlAus;
    EXPECT_EQ(ZahlAus("31"), 31.0);
    EXPECT_EQ(ZahlAus("31,4"), 31.4);
    EXPECT_EQ(ZahlAus("31.4"), 31.4);
    EXPECT_EQ(ZahlAus(" -2,5 "), -2.5);
    EXPECT_EQ(ZahlAus("+7"), 7.0);
    EXPECT_EQ(ZahlAus("1.000"), 1.0);
    for (const char* no : {"", " ", "abc", "31a", "3 1", "1.000,5", "1,", ",5", "-", "+", "1e3", "&H10", "٣"}) {
        EXPECT_FALSE(ZahlAus(no).has_value()) << no;
    }
    EXPECT_EQ(modZahlen::FuehrendeZahl("  2abc"), 2.0);
    EXPECT_EQ(modZahlen::FuehrendeZahl("2,6x"), 2.6);
    EXPECT_EQ(modZahlen::FuehrendeZahl("x2"), 0.0);
    EXPECT_EQ(modZahlen::Gerundet(2.5), 3);
    EXPECT_EQ(modZahlen::Gerundet(-2.5), -3);
    EXPECT_EQ(modZahlen::Gerundet(2147483647.4), 2147483647);
    EXPECT_FALSE(modZahlen::Gerundet(2147483647.5).has_value());
}

TEST(Optionen, FieldNumbersAreNumbersRoundedElseTheDefault) {
    using modOptionen::Feldnummer;
    EXPECT_EQ(Feldnummer("31", 30), 31);
    EXPECT_EQ(Feldnummer("31,4", 30), 31);
    EXPECT_EQ(Feldnummer("31.4", 30), 31);
    EXPECT_EQ(Feldnummer("31,5", 30), 32);
    EXPECT_EQ(Feldnummer(" 31 ", 30), 31);
    EXPECT_EQ(Feldnummer("-5", 30), -5);
    EXPECT_EQ(Feldnummer("Ort", 30), 30);
    EXPECT_EQ(Feldnummer("", 30), 30);
    EXPECT_EQ(Feldnummer("99999999999", 30), 30);
    EXPECT_EQ(Feldnummer(std::string(65536, '7'), 30), 30);
    EXPECT_EQ(Feldnummer(std::string(65536, 'x'), 30), 30);
}

TEST(Optionen, TheFourFieldNumbersAreReadInTheirOrderWithTheirDefaults) {
    platform::MemorySettingsStore store;
    store.Put("Rovandel2", "Optionen", "IDPLZ", "41,2");
    store.Put("Rovandel2", "Optionen", "IDLand", "Land");
    const modOptionen::Feldnummern f = modOptionen::LeseFeldnummern(store);
    EXPECT_EQ(f, (modOptionen::Feldnummern{30, 27, 41, 33}));
    EXPECT_EQ(store.Reads(), (std::vector<std::string>{"Rovandel2|Optionen|IDOrt", "Rovandel2|Optionen|IDStrasse",
                                                       "Rovandel2|Optionen|IDPLZ", "Rovandel2|Optionen|IDLand"}));
    EXPECT_TRUE(store.Writes().empty());
}

TEST(Optionen, ListPositionsReadTheLeadingNumber) {
    using modOptionen::Position;
    EXPECT_EQ(Position("2"), 2);
    EXPECT_EQ(Position("2abc"), 2);
    EXPECT_EQ(Position("abc"), 0);
    EXPECT_EQ(Position(""), 0);
    EXPECT_EQ(Position("1,6"), 2);
    EXPECT_EQ(Position("-1"), -1);
    EXPECT_FALSE(Position("99999999999").has_value());
}

TEST(Optionen, TheRoutePlannersPageUnlessStoredOtherwise) {
    platform::MemorySettingsStore store;
    EXPECT_EQ(modOptionen::URL(store), "https://www.fahrtweg.example/baseservices/do/routeService");
    store.Put("Rovandel2", "Optionen", "URL", "http://127.0.0.1:8080/route");
    EXPECT_EQ(modOptionen::URL(store), "http://127.0.0.1:8080/route");
}

}  // namespace
