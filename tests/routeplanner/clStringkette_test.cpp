#include "routeplanner/clStringkette.h"

#include <gtest/gtest.h>

#include "base/AppError.h"

namespace {

clStringkette Kette(std::string text, std::string separator) {
    clStringkette k;
    k.Kette = std::move(text);
    k.Trennzeichen = std::move(separator);
    return k;
}

std::vector<std::string> ByIndex(const clStringkette& k) {
    std::vector<std::string> parts;
    for (std::int32_t i = 1; i <= k.Anzahl(); ++i) parts.push_back(k.Element(i));
    return parts;
}

using Strings = std::vector<std::string>;

TEST(clStringkette, PartsBetweenBlanksCountAndNumberFromOne) {
    clStringkette one = Kette("a b", " ");
    EXPECT_EQ(one.Anzahl(), 2);
    EXPECT_EQ(one.Element(1), "a");
    EXPECT_EQ(one.Element(2), "b");
    EXPECT_EQ(one.Element(3), "");
    EXPECT_EQ(one.Element(0), "");
    EXPECT_EQ(one.Element(-1), "");

    clStringkette two = Kette("a  b", " ");
    EXPECT_EQ(two.Anzahl(), 3);
    EXPECT_EQ(ByIndex(two), (Strings{"a", "", "b"}));

    EXPECT_EQ(Kette("", " ").Anzahl(), 0);
    EXPECT_EQ(Kette("", " ").Element(1), "");
    EXPECT_EQ(ByIndex(Kette("wort", " ")), Strings{"wort"});
    EXPECT_EQ(ByIndex(Kette("a b ", " ")), (Strings{"a", "b", ""}));
}

// Counting starts at the second character, the parts at the first: a text
// that begins with the separator has one part fewer than separators + 1.
TEST(clStringkette, ALeadingSeparatorIsNotCountedButStillEndsTheFirstPart) {
    clStringkette k = Kette(" a b", " ");
    EXPECT_EQ(k.Anzahl(), 2);
    EXPECT_EQ(ByIndex(k), (Strings{"", "a"}));
}

TEST(clStringkette, LongerSeparatorsAreSearchedOneCharacterAfterEachHit) {
    clStringkette k = Kette("Köln, Wien, Zürich", ", ");
    EXPECT_EQ(k.Anzahl(), 3);
    // A part begins one character after the separator's start.
    EXPECT_EQ(ByIndex(k), (Strings{"Köln", " Wien", " Zürich"}));
    // Hits may overlap.
    clStringkette overlap = Kette("xaaay", "aa");
    EXPECT_EQ(overlap.Anzahl(), 3);
    EXPECT_EQ(ByIndex(overlap), (Strings{"x", "", "ay"}));
}

TEST(clStringkette, CharactersNotBytes) {
    clStringkette k = Kette("öxöyö", "ö");
    // From the second character on: two hits.
    EXPECT_EQ(k.Anzahl(), 3);
    EXPECT_EQ(ByIndex(k), (Strings{"", "x", "y"}));
    EXPECT_EQ(ByIndex(Kette("Straße 12", " ")), (Strings{"Straße", "12"}));
}

TEST(clStringkette, AnEmptySeparatorLeavesTheTextWhole) {
    clStringkette k = Kette("abc", "");
    EXPECT_EQ(k.Anzahl(), 1);
    EXPECT_EQ(k.Element(1), "abc");
    EXPECT_EQ(k.Elemente(), Strings{"abc"});
}

TEST(clStringkette, AnhaengenJoinsWithTheSeparatorExceptAtTheStart) {
    clStringkette k;
    k.Trennzeichen = ";";
    k.Anhängen("eins");
    EXPECT_EQ(k.Kette, "eins");
    k.Anhängen("");
    k.Anhängen("drei");
    EXPECT_EQ(k.Kette, "eins;;drei");
    EXPECT_EQ(ByIndex(k), (Strings{"eins", "", "drei"}));
}

// Elemente is the one walk that ermittleHausnummer uses in place of
// Element(1..n): it must give exactly the same parts.
TEST(clStringkette, ElementeGivesWhatElementGivesForEveryIndex) {
    const std::string alphabet[] = {"a", " ", "ö", ",", "x"};
    for (const std::string separator : {" ", ", ", "aa", "ö", ""}) {
        for (unsigned n = 0; n < 5 * 5 * 5 * 5 * 5; ++n) {
            std::string text;
            for (unsigned v = n, i = 0; i < 5; ++i, v /= 5) text += alphabet[v % 5];
            const clStringkette k = Kette(text, separator);
            ASSERT_EQ(k.Elemente(), ByIndex(k)) << "'" << text << "' / '" << separator << "'";
        }
    }
}

TEST(clStringkette, MorePartsThanASixteenBitCountRaiseOverflow) {
    std::string text(32766, ' ');
    text = "a" + text;  // 32767 parts: the most there may be
    EXPECT_EQ(Kette(text, " ").Anzahl(), 32767);
    text += " ";
    try {
        Kette(text, " ").Anzahl();
        FAIL() << "no overflow";
    } catch (const AppError& e) {
        EXPECT_EQ(e.number(), ErrorNumber::Overflow);
    }
}

}  // namespace
