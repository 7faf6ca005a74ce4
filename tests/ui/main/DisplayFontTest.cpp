#include "ui/main/DisplayFont.h"

#include <gtest/gtest.h>

#include "ui/main/DisplayLayout.h"

TEST(DisplayFont, SizeIsScaledDownOnlyWhenTheWindowWouldNotFitTheScreen) {
    const LayoutSize screen{1024, 768};
    EXPECT_EQ(FitPointSize(36, {999, 649}, screen), 36);    // just fits
    EXPECT_EQ(FitPointSize(2, {100000, 10}, {10, 10}), 1);  // never below one point

    for (const LayoutSize display : {LayoutSize{2900, 700}, LayoutSize{1000, 1500}}) {
        const double scale = FitPointSize(512, display, screen) / 512;  // too wide, too tall
        const LayoutSize outer = ComputeDisplayLayout({static_cast<int>(display.width * scale),
                                                       static_cast<int>(display.height * scale)})
                                     .outer;
        EXPECT_LE(outer.width, screen.width);
        EXPECT_LE(outer.height, screen.height);
        // Shrunk no more than needed.
        EXPECT_TRUE(outer.width > screen.width * 0.9 || outer.height > screen.height * 0.9);
    }
}
