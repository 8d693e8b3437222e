// The system's code page and lower-casing, as German Windows has them.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/TextCodec_win.h"

TEST(WinTextCodec, UmlautsRoundTripThroughTheSystemCodePage) {
    ASSERT_EQ(GetACP(), 1252u) << "the tests expect the code page of German (Western) Windows";
    platform::WinTextCodec codec;
    EXPECT_EQ(codec.ToCodePage("Grüße, Öl, 5 €"),
              "Gr\xFC\xDF"
              "e, \xD6l, 5 \x80");
    EXPECT_EQ(codec.FromCodePage("Gr\xFC\xDF"
                                 "e, \xD6l, 5 \x80"),
              "Grüße, Öl, 5 €");
    EXPECT_EQ(codec.ToCodePage("Gdańsk 東京"), "Gda?sk ??");
    EXPECT_EQ(codec.ToCodePage(""), "");
}

TEST(WinTextCodec, LowerCaseAsTheSystemDoesIt) {
    platform::WinTextCodec codec;
    EXPECT_EQ(codec.ToLower("ÄÖÜ INSTALL Gruppe ÀÉ"), "äöü install gruppe àé");
    EXPECT_EQ(codec.ToLower("ACT3.0FrameClass"), "act3.0frameclass");
}
