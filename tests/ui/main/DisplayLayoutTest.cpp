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
}

TEST(DisplayLayout, GrowsWithTheDisplayAndKeepsTheRoundCounterInPlace) {
    const DisplayLayout small = ComputeDisplayLayout({200, 48});
    const DisplayLayout large = ComputeDisplayLayout({400, 96});
    EXPECT_EQ(large.outer, (LayoutSize{425, 215}));
    EXPECT_EQ(large.status.width, 400 - 30);
    EXPECT_EQ(large.round, small.round);
}

TEST(DisplayLayout, DisplayNarrowerThanTheButtonsLeavesAnEmptyStatusLine) {
    const DisplayLayout l = ComputeDisplayLayout({20, 8});
    EXPECT_EQ(l.status.width, 0);
    EXPECT_EQ(l.startButton.left, 5);
}

TEST(DisplayLayout, ContentIsTheOuterSizeLessNominalFrameCaptionAndMenu) {
    EXPECT_EQ(ContentSizeForOuter({225, 167}), (LayoutSize{217, 121}));
    // The content below the menu bar holds the lowest control, the Clear button.
    const DisplayLayout l = ComputeDisplayLayout({200, 48});
    EXPECT_GE(ContentSizeForOuter(l.outer).height, l.clearButton.top + l.clearButton.height);
    EXPECT_GE(ContentSizeForOuter(l.outer).width, l.display.left + l.display.width);
}

TEST(DisplayFont, SizeIsScaledDownOnlyWhenTheWindowWouldNotFitTheScreen) {
    EXPECT_EQ(FitPointSize(72, {400, 96}, {1024, 768}), 72);
    EXPECT_EQ(FitPointSize(36, {999, 649}, {1024, 768}), 36);  // just fits

    struct Case {
        double points;
        LayoutSize display;
    };
    for (const Case c :
         {Case{512, {2900, 700}}, Case{512, {1000, 1500}}, Case{100000, {400000, 100000}}}) {
        const LayoutSize screen{1024, 768};
        const double fitted = FitPointSize(c.points, c.display, screen);
        EXPECT_LT(fitted, c.points);
        const double scale = fitted / c.points;
        const LayoutSize shrunk{static_cast<int>(c.display.width * scale),
                                static_cast<int>(c.display.height * scale)};
        const LayoutSize outer = ComputeDisplayLayout(shrunk).outer;
        EXPECT_LE(outer.width, screen.width);
        EXPECT_LE(outer.height, screen.height);
        // Shrunk no more than needed.
        EXPECT_TRUE(outer.width > screen.width * 0.9 || outer.height > screen.height * 0.9);
    }
    EXPECT_EQ(FitPointSize(2, {100000, 10}, {10, 10}), 1);  // never below one point
}
