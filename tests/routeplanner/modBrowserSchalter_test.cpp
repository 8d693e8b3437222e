// The switches "BrowserArgumente" may not hold, found as Chromium would
// read them from the command line: any prefix and letter case, quoted,
// with a value after "=" or as the next word.
#include "routeplanner/modBrowserSchalter.h"

#include <gtest/gtest.h>

namespace {

using modBrowserSchalter::Verboten;

TEST(BrowserSwitches, EverySpellingOfAControlOrProfileSwitchIsFoundAndNoOtherIs) {
    EXPECT_EQ(Verboten("--REMOTE-debugging-port"), "--REMOTE-debugging-port");
    EXPECT_EQ(Verboten("-user-data-dir C:\\x"), "-user-data-dir");
    EXPECT_EQ(Verboten("a\\\\\"b c\" /remote-debugging-address=::"), "/remote-debugging-address=::");
    EXPECT_EQ(Verboten("\"--no-sandbox\" \"--remote-allow-origins=*\""), "--remote-allow-origins=*");
    EXPECT_EQ(Verboten("--x=\"a --remote-debugging-pipe b\""), std::nullopt) << "inside a value";
    EXPECT_EQ(Verboten("\\\"--remote-debugging-pipe"), std::nullopt) << "an escaped quote starts the word";
    EXPECT_EQ(Verboten("remote-debugging-port --user-data-directory --remote-debugging-portx"), std::nullopt);
    EXPECT_EQ(Verboten(""), std::nullopt);
}

}  // namespace
