#include "ui/main/Glyphs.h"

#include <gtest/gtest.h>

// The button's 8 x 8 icon in device pixels at a scaled screen's ratio: every pixel black or
// clear, never smoothed, and the pattern in place (the triangle's widest row reaches the right
// edge, its tip row does not; the stop square fills its corner).
TEST(GlyphIconTest, ScaledScreensGetWholePatternPixelsWithoutSmoothedEdges) {
    for (const qreal ratio : {1.0, 1.5, 2.0}) {
        SCOPED_TRACE(testing::Message() << "device pixel ratio " << ratio);
        const QImage start = GlyphIcon(StartGlyphImage()).pixmap(QSize(8, 8), ratio).toImage();
        ASSERT_EQ(start.size(), QSize(qRound(8 * ratio), qRound(8 * ratio)));
        for (int y = 0; y < start.height(); ++y) {
            for (int x = 0; x < start.width(); ++x) {
                const QRgb c = start.pixel(x, y);
                ASSERT_TRUE(qAlpha(c) == 0 || c == qRgb(0, 0, 0))
                    << "smoothed at " << x << "," << y;
            }
        }
        EXPECT_EQ(qAlpha(start.pixel(start.width() - 1, static_cast<int>(3.5 * ratio))), 255);
        EXPECT_EQ(qAlpha(start.pixel(start.width() - 1, 0)), 0);
        const QImage stop = GlyphIcon(StopGlyphImage()).pixmap(QSize(8, 8), ratio).toImage();
        EXPECT_EQ(stop.pixel(stop.width() - 1, stop.height() - 1), qRgb(0, 0, 0));
    }
}
