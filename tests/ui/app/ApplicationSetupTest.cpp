#include "ui/app/Application.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>
#include <string>

#include "ui/platform/FormDesign.h"

namespace {

// The face that draws the text's first glyphs in this font, fallbacks included.
std::string FaceDrawing(const QString& text, const QFont& font) {
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    return runs.isEmpty() ? std::string() : runs.first().rawFont().familyName().toStdString();
}

}  // namespace

// The menus are in the desktop's font and the labels in the design's; a second Japanese face for
// the menus would be a second large font file held in memory.
TEST(ApplicationSetupTest, JapaneseInTheDesktopsFontIsDrawnInTheDesignsFace) {
    ApplicationSetup setup(*qApp);
    const QString menu = QStringLiteral("ﾌｧｲﾙ 表示");
    EXPECT_EQ(FaceDrawing(menu, QApplication::font()), FaceDrawing(menu, DesignFont(9)))
        << "the desktop's font is " << QApplication::font().family().toStdString();
}
