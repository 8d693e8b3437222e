// Windows-1252 as the substitute speaks it: the code page of German Windows.
#include <gtest/gtest.h>

#include "platform/Cp1252Codec.h"

TEST(Cp1252Codec, UmlautsAndTheEuroRoundTrip) {
    platform::Cp1252Codec codec;
    EXPECT_EQ(codec.ToCodePage("Äpfel, Öl, Übermaß: 5 €"),
              "\xC4pfel, \xD6l, \xDC"
              "berma\xDF: 5 \x80");
    EXPECT_EQ(codec.FromCodePage("\xC4pfel, \xD6l, \xDC"
                                 "berma\xDF: 5 \x80"),
              "Äpfel, Öl, Übermaß: 5 €");
    for (int b = 1; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        EXPECT_EQ(codec.ToCodePage(codec.FromCodePage(one)), one) << b;
    }
}

TEST(Cp1252Codec, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    platform::Cp1252Codec codec;
    EXPECT_EQ(codec.ToCodePage("Gdańsk 東京"), "Gda?sk ??");
    EXPECT_EQ(codec.ToCodePage("\xFF"), "?");
}

TEST(Cp1252Codec, LowerCaseCoversUmlautsAndLeavesTheRest) {
    platform::Cp1252Codec codec;
    EXPECT_EQ(codec.ToLower("ÄÖÜ ÀÉÎ ŠŽŒ Ÿ ẞ INSTALL × 1"), "äöü àéî šžœ ÿ ß install × 1");
    EXPECT_EQ(codec.ToLower("ACT3.0FrameClass"), "act3.0frameclass");
}
