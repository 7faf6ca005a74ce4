#include "settings/FontSize.h"

#include <gtest/gtest.h>

#include <limits>

TEST(FontSize, TextHasUpToFourFractionalDigitsAndNoTrailingZeros) {
    EXPECT_EQ(FontSize::fromWhole(36).toText(), "36");
    EXPECT_EQ(FontSize::fromText("1.05")->toText(), "1.05");
    EXPECT_EQ(FontSize::fromText("-1.5")->toText(), "-1.5");
    EXPECT_EQ(FontSize::fromText("12.34567")->toText(), "12.3457");
}

TEST(FontSize, HeldExactlyAndOnlyForFiniteNumbers) {
    EXPECT_EQ(FontSize::fromPoints(10.1), FontSize::fromTenThousandths(101000));
    EXPECT_EQ(FontSize::fromPoints(15.75)->points(), 15.75);
    EXPECT_FALSE(FontSize::fromText("big").has_value());
    EXPECT_FALSE(FontSize::fromText("1e300").has_value());
    EXPECT_FALSE(FontSize::fromPoints(std::numeric_limits<double>::infinity()).has_value());
}
