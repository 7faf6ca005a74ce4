#include "ui/app/Application.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QRawFont>
#include <string>

#include "ui/platform/FormDesign.h"

namespace {

// The face that draws Japanese in this font, fallbacks included.
std::string JapaneseFace(const QFont& font) {
    return QRawFont::fromFont(font, QFontDatabase::Japanese).familyName().toStdString();
}

}  // namespace

// The menus are in the desktop's font and the labels in the design's; a second Japanese face for
// the menus would be a second large font file held in memory.
TEST(ApplicationSetupTest, JapaneseInTheDesktopsFontIsDrawnInTheDesignsFace) {
    ApplicationSetup setup(*qApp);
    EXPECT_EQ(JapaneseFace(QApplication::font()), JapaneseFace(DesignFont(9)))
        << "the desktop's font is " << QApplication::font().family().toStdString();
}
