#include "ui/main/Glyphs.h"

#include <gtest/gtest.h>

namespace {

// What the icon gives a screen at that ratio: the button's 8 x 8 icon in device pixels.
QImage atRatio(const QIcon& icon, qreal ratio) {
    return icon.pixmap(QSize(8, 8), ratio).toImage();
}

TEST(GlyphIconTest, ScaledScreensGetWholePatternPixelsWithoutSmoothedEdges) {
    for (const qreal ratio : {1.0, 1.5, 2.0}) {
        SCOPED_TRACE(testing::Message() << "device pixel ratio " << ratio);
        const QImage start = atRatio(GlyphIcon(StartGlyphImage()), ratio);
        ASSERT_EQ(start.size(), QSize(qRound(8 * ratio), qRound(8 * ratio)));
        int blurred = 0;
        for (int y = 0; y < start.height(); ++y) {
            for (int x = 0; x < start.width(); ++x) {
                const QColor c = start.pixelColor(x, y);
                const bool clear = c.alpha() == 0;
                const bool black = c.alpha() == 255 && c.rgb() == QColor(Qt::black).rgb();
                blurred += clear || black ? 0 : 1;
            }
        }
        EXPECT_EQ(blurred, 0) << "pixels neither black nor transparent";
        // The widest row of the triangle reaches the right edge; its tip row ends at a quarter.
        const int row3 = static_cast<int>(3.5 * ratio);
        EXPECT_EQ(start.pixelColor(start.width() - 1, row3).alpha(), 255);
        EXPECT_EQ(start.pixelColor(start.width() - 1, 0).alpha(), 0);
        const QImage stop = atRatio(GlyphIcon(StopGlyphImage()), ratio);
        EXPECT_EQ(stop.pixelColor(stop.width() - 1, stop.height() - 1), QColor(Qt::black));
    }
}

}  // namespace
