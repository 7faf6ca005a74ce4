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

    const DisplayLayout large = ComputeDisplayLayout({400, 96});
    EXPECT_EQ(large.outer, (LayoutSize{425, 215}));
    EXPECT_EQ(large.status.width, 400 - 30);
    EXPECT_EQ(large.round, l.round);  // the round counter stays in place

    // A display narrower than the buttons leaves an empty status line.
    const DisplayLayout narrow = ComputeDisplayLayout({20, 8});
    EXPECT_EQ(narrow.status.width, 0);
    EXPECT_EQ(narrow.startButton.left, 5);
}

TEST(DisplayFont, SizeIsScaledDownOnlyWhenTheWindowWouldNotFitTheScreen) {
    const LayoutSize screen{1024, 768};
    EXPECT_EQ(FitPointSize(72, {400, 96}, screen), 72);
    EXPECT_EQ(FitPointSize(36, {999, 649}, screen), 36);    // just fits
    EXPECT_EQ(FitPointSize(2, {100000, 10}, {10, 10}), 1);  // never below one point

    // Too wide, too tall, and far beyond any screen.
    for (const auto& [points, display] :
         {std::pair{512.0, LayoutSize{2900, 700}}, std::pair{512.0, LayoutSize{1000, 1500}},
          std::pair{100000.0, LayoutSize{400000, 100000}}}) {
        const double scale = FitPointSize(points, display, screen) / points;
        EXPECT_LT(scale, 1);
        const LayoutSize shrunk{static_cast<int>(display.width * scale),
                                static_cast<int>(display.height * scale)};
        const LayoutSize outer = ComputeDisplayLayout(shrunk).outer;
        EXPECT_LE(outer.width, screen.width);
        EXPECT_LE(outer.height, screen.height);
        // Shrunk no more than needed.
        EXPECT_TRUE(outer.width > screen.width * 0.9 || outer.height > screen.height * 0.9);
    }
}
