#include <gtest/gtest.h>

#include <clocale>

#include "platform/NumericLocale.h"

// The test main has created the application object, which is what switches the
// C library to the user's locale; the reset must leave "." decimals behind.
TEST(NumericLocale, ResetGivesPointDecimals) {
    std::setlocale(LC_NUMERIC, "");
    platform::resetNumericLocale();
    EXPECT_TRUE(platform::numericLocaleIsC());
}

TEST(NumericLocale, CommaLocaleIsDetectedAndReset) {
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
        GTEST_SKIP() << "no comma-decimal locale generated on this machine";
    EXPECT_FALSE(platform::numericLocaleIsC());
    platform::resetNumericLocale();
    EXPECT_TRUE(platform::numericLocaleIsC());
}
