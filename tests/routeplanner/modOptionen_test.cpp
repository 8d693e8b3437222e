// Rovandel2's options in the settings store: the field numbers, the stored
// list positions, and the options read by name.
#include "routeplanner/modOptionen.h"

#include <gtest/gtest.h>

#include "platform/MemorySettingsStore.h"

namespace {

TEST(modOptionen, FieldNumbersAreNumbersRoundedElseTheDefault) {
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

TEST(modOptionen, TheFourFieldNumbersAreReadInTheirOrderWithTheirDefaults) {
    platform::MemorySettingsStore store;
    store.Put("Rovandel2", "Optionen", "IDPLZ", "41,2");
    store.Put("Rovandel2", "Optionen", "IDLand", "Land");
    const modOptionen::Feldnummern f = modOptionen::LeseFeldnummern(store);
    EXPECT_EQ(f, (modOptionen::Feldnummern{30, 27, 41, 33}));
    EXPECT_EQ(store.Reads(), (std::vector<std::string>{"Rovandel2|Optionen|IDOrt", "Rovandel2|Optionen|IDStrasse",
                                                       "Rovandel2|Optionen|IDPLZ", "Rovandel2|Optionen|IDLand"}));
    EXPECT_TRUE(store.Writes().empty());
}

TEST(modOptionen, ListPositionsReadTheLeadingNumber) {
    using modOptionen::Position;
    EXPECT_EQ(Position("2"), 2);
    EXPECT_EQ(Position("2abc"), 2);
    EXPECT_EQ(Position("abc"), 0);
    EXPECT_EQ(Position(""), 0);
    EXPECT_EQ(Position("1,6"), 2);
    EXPECT_EQ(Position("-1"), -1);
    EXPECT_FALSE(Position("99999999999").has_value());
}

TEST(modOptionen, TheNamedOptionsLiveUnderRovandel2OptionenWithTheirDefaults) {
    platform::MemorySettingsStore store;
    EXPECT_EQ(modOptionen::URL(store), "https://www.fahrtweg.example/baseservices/do/routeService");
    EXPECT_EQ(modOptionen::Browser(store), "");
    EXPECT_EQ(modOptionen::BrowserArgumente(store), "");
    EXPECT_EQ(modOptionen::CookiePfad(store), "");
    EXPECT_EQ(store.Reads(),
              (std::vector<std::string>{"Rovandel2|Optionen|URL", "Rovandel2|Optionen|Browser",
                                        "Rovandel2|Optionen|BrowserArgumente", "Rovandel2|Optionen|CookiePfad"}));
    store.Put("Rovandel2", "Optionen", "URL", "http://127.0.0.1:8080/route");
    store.Put("Rovandel2", "Optionen", "Browser", "chrome");
    store.Put("Rovandel2", "Optionen", "BrowserArgumente", "--no-sandbox");
    modOptionen::SetCookiePfad(store, "C:\\Cookies");
    EXPECT_EQ(modOptionen::URL(store), "http://127.0.0.1:8080/route");
    EXPECT_EQ(modOptionen::Browser(store), "chrome");
    EXPECT_EQ(modOptionen::BrowserArgumente(store), "--no-sandbox");
    EXPECT_EQ(modOptionen::CookiePfad(store), "C:\\Cookies");
}

}  // namespace
