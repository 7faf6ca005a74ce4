#include "settings/FontSize.h"

#include <gtest/gtest.h>

#include <limits>

// Exactness (10.1 survives a save and load) and the sizes refused on load are checked in the
// settings tests.
TEST(FontSize, TextHasUpToFourFractionalDigitsAndOnlyFiniteSanePointsConvert) {
    EXPECT_EQ(FontSize::fromText("1.05")->toText(), "1.05");
    EXPECT_EQ(FontSize::fromText("-1.5")->toText(), "-1.5");
    EXPECT_EQ(FontSize::fromText("12.34567")->toText(), "12.3457");
    EXPECT_EQ(FontSize::fromPoints(15.75)->points(), 15.75);
    EXPECT_FALSE(FontSize::fromText("1e300").has_value());  // beyond the 64-bit units
    EXPECT_FALSE(FontSize::fromPoints(std::numeric_limits<double>::infinity()).has_value());
}
