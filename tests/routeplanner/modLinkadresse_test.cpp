// Route planner addresses with the placeholders: what reaches the planner
// must decode to exactly the address line, whatever the line holds.
#include "routeplanner/modLinkadresse.h"

#include <gtest/gtest.h>

namespace {

using namespace modLinkadresse;

TEST(Linkadresse, EveryByteOutsideTheUnreservedCharactersIsPercentEncodedAsUtf8) {
    EXPECT_EQ(Prozentkodiert("Schloßstraße 7, 80331 München, DEU"),
              "Schlo%C3%9Fstra%C3%9Fe%207%2C%2080331%20M%C3%BCnchen%2C%20DEU");
    EXPECT_EQ(Prozentkodiert("Ärger & Öl #3 + 1/2 \"x\" 'y'"),
              "%C3%84rger%20%26%20%C3%96l%20%233%20%2B%201%2F2%20%22x%22%20%27y%27");
    EXPECT_EQ(Prozentkodiert("a-b.c_d~e"), "a-b.c_d~e");
    EXPECT_EQ(Prozentkodiert("%20?=;\\"), "%2520%3F%3D%3B%5C");
    EXPECT_EQ(Prozentkodiert(""), "");
}

TEST(Linkadresse, ThePlaceholdersAreReplacedWhereverTheyStandAndOnlyThere) {
    EXPECT_EQ(Einsetzen("https://www.openstreetmap.org/directions?from={start}&to={ziel}", "A 1, 1 B, DEU", "C&D"),
              "https://www.openstreetmap.org/directions?from=A%201%2C%201%20B%2C%20DEU&to=C%26D");
    EXPECT_EQ(Einsetzen("x/{ziel}/{start}/{ziel}", "s", "z"), "x/z/s/z");
    // An address line that holds a placeholder's text is data, not read again.
    EXPECT_EQ(Einsetzen("?a={start}&b={ziel}", "{ziel}", "z"), "?a=%7Bziel%7D&b=z");
    // Other braces and the letter case of the rest stay as they are.
    EXPECT_EQ(Einsetzen("?q={Start}{x}&s={start", "s", "z"), "?q={Start}{x}&s={start");

    EXPECT_TRUE(HatPlatzhalter("https://maps.example/?origin={start}&destination={ziel}"));
    EXPECT_TRUE(HatPlatzhalter("https://maps.example/?destination={ziel}"));
    EXPECT_FALSE(HatPlatzhalter("https://www.fahrtweg.example/baseservices/do/routeService"));
    EXPECT_FALSE(HatPlatzhalter("https://maps.example/?q={START}"));
}

TEST(Linkadresse, TheDefaultBrowserIsAskedForByTheWordStandardInAnyLetterCase) {
    EXPECT_TRUE(IstStandardbrowser("standard"));
    EXPECT_TRUE(IstStandardbrowser(" Standard "));
    EXPECT_FALSE(IstStandardbrowser(""));
    EXPECT_FALSE(IstStandardbrowser("chrome"));
    EXPECT_FALSE(IstStandardbrowser("C:\\standard\\browser.exe"));
}

}  // namespace
