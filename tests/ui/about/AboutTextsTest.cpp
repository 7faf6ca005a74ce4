#include "ui/about/AboutTexts.h"

#include <gtest/gtest.h>

TEST(AboutTexts, VersionLinePadsTheMinorNumberToTwoDigits) {
    EXPECT_EQ(VersionText(1, 0), "Version 1.00R");
    EXPECT_EQ(VersionText(1, 7), "Version 1.07R");
    EXPECT_EQ(VersionText(10, 12), "Version 10.12R");
    EXPECT_EQ(VersionText(2, 123), "Version 2.123R");
}

TEST(AboutTexts, TitleLineWrapsTheTitleInFullWidthParentheses) {
    EXPECT_EQ(AboutTitleText("Rondelay"), "Rondelay（Rondelay）");
}
