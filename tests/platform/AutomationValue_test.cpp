// How automation answers turn into the texts and numbers the link hands on.
#include <gtest/gtest.h>

#include "base/AppError.h"
#include "platform/Automation.h"

namespace {

using platform::AutoValue;

TEST(AutomationValue, AnswersConvertToTextAndNumberAsClassicCallersConvertThem) {
    EXPECT_EQ(platform::AsText(AutoValue()), "");
    EXPECT_EQ(platform::AsText(AutoValue(std::int16_t{-7})), "-7");
    EXPECT_EQ(platform::AsText(AutoValue(true)), "Wahr");
    EXPECT_EQ(platform::AsText(AutoValue(platform::AutoObjectPtr())), "");
    EXPECT_EQ(platform::AsNumber(AutoValue(std::string(" 42abc"))), 42);
    EXPECT_EQ(platform::AsNumber(AutoValue(std::string("-2147483648"))), -2147483647 - 1);
    EXPECT_EQ(platform::AsNumber(AutoValue(std::string("x"))), 0);
    EXPECT_EQ(platform::AsNumber(AutoValue(true)), -1);
    EXPECT_THROW(platform::AsNumber(AutoValue(std::string("99999999999"))), AppError);
}

}  // namespace
