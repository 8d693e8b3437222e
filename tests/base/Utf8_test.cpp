#include "base/Utf8.h"

#include <gtest/gtest.h>

TEST(Utf8, CountsAndCutsCharactersNotBytes) {
    EXPECT_EQ(utf8::Length("Grüße"), 5u);
    EXPECT_EQ(utf8::Left("Grüße", 3), "Grü");
    EXPECT_EQ(utf8::Left("€uro", 1), "€");
    EXPECT_EQ(utf8::Left("ab", 10), "ab");
}

TEST(Utf8, InvalidBytesNeverCrashAndAreNotSplit) {
    const std::string bad =
        "a\xC3"
        "b\xE2\x82"
        "c\xFF\xF0\x9F\x98";
    EXPECT_EQ(utf8::Length(bad), 10u);
    EXPECT_EQ(utf8::ToUtf16(bad).size(), 10u);
    EXPECT_EQ(utf8::FromUtf16(utf8::ToUtf16("Müller 😀")), "Müller 😀");
    EXPECT_EQ(utf8::FromUtf16(std::u16string{u'a', 0xD800, u'b'}),
              "a\xEF\xBF\xBD"
              "b");
}
