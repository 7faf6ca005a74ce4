#include "ui/main/DisplayLayout.h"

#include <gtest/gtest.h>

#include "ui/main/DisplayFont.h"

TEST(DisplayLayout, PlacesEveryControlAroundTheDisplay) {
    const DisplayLayout l = ComputeDisplayLayout({200, 48});
    EXPECT_EQ(l.roundTitle, (LayoutRect{10, 0, 74, 21}));
    EXPECT_EQ(l.round, (LayoutRect{84, 0, 65, 25}));
    EXPECT_EQ(l.display, (LayoutRect{10, 31, 200, 48}));
    EXPECT_EQ(l.startButton, (LayoutRect{185, 84, 25, 17}));
    EXPECT_EQ(l.clearButton, (LayoutRect{185, 101, 25, 17}));
    EXPECT_EQ(l.status, (LayoutRect{10, 84, 170, 33}));
    EXPECT_EQ(l.focusButton, (LayoutRect{240, 84, 17, 17}));
    EXPECT_EQ(l.outer, (LayoutSize{225, 167}));
    // Less the nominal frame, caption and menu bar.
    EXPECT_EQ(ContentSizeForOuter(l.outer), (LayoutSize{217, 121}));

    EXPECT_EQ(ComputeDisplayLayout({400, 96}).status.width, 400 - 30);  // grows with the display
    // A display narrower than the buttons leaves an empty status line.
    EXPECT_EQ(ComputeDisplayLayout({20, 8}).status.width, 0);
}

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
