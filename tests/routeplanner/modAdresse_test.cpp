// The house number in a street text and the country entry of a country name.
#include <gtest/gtest.h>

#include "base/AppError.h"
#include "routeplanner/modAdresse.h"

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
    EXPECT_EQ(ermittleHausnummer("Weg 12ä"), "12");  // the last character is an umlaut, two bytes
    EXPECT_EQ(ermittleHausnummer("Weg 1ä"), "");  // two characters are never cut
    EXPECT_EQ(ermittleHausnummer("Kai 12,5"), "12,5");  // a number as a whole, German style
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

}  // namespace
