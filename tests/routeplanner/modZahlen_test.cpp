// What counts as a number in the options and the house numbers.
#include "routeplanner/modZahlen.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace {

TEST(modZahlen, CommaOrPointWithoutGrouping) {
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

TEST(modZahlen, AFractionTooSmallToHoldIsZeroAndOnlyAHugeWholePartIsInfinite) {
    const std::string zeros(400, '0');
    EXPECT_EQ(modZahlen::ZahlAus("0," + zeros + "1"), 0.0);
    EXPECT_EQ(modZahlen::FuehrendeZahl("-0." + zeros + "7 km"), 0.0);
    EXPECT_EQ(modZahlen::Gerundet(*modZahlen::ZahlAus("00," + zeros + "1")), 0);
    EXPECT_EQ(modZahlen::ZahlAus("1" + zeros), std::numeric_limits<double>::infinity());
    EXPECT_EQ(modZahlen::FuehrendeZahl("-" + zeros + "1" + zeros), -std::numeric_limits<double>::infinity());
}

}  // namespace
