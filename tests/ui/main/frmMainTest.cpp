#include "ui/main/frmMain.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>
#include <QTest>

#include "ui/FakePlatform.h"

namespace {

class frmMainTest : public ::testing::Test {
protected:
    void open() {
        window = std::make_unique<frmMain>(platform.data, platform.services);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    void tick(int n) {
        for (int i = 0; i < n; ++i) {
            emit window->fTimer.tick();
        }
    }
    QList<QRect> controls() const {
        QList<QRect> rects;
        for (const QWidget* w : window->centralWidget()->findChildren<QWidget*>()) {
            rects.append(w->geometry());
        }
        return rects;
    }
    QColor startPixel(int x, int y) const {
        return window->fStartButton->icon().pixmap(QSize(8, 8)).toImage().pixelColor(x, y);
    }
    QString display() const { return window->fTimerDisplay->text(); }

    FakePlatform platform;
    std::unique_ptr<frmMain> window;
};

TEST_F(frmMainTest, LoadsStoppedThenTheButtonsDriveTheTickSourceAndTheLabels) {
    platform.store.put("Timer", "IntFlag", "1");
    platform.store.put("Timer", "IntMin", "5");
    platform.store.put("Timer", "Color", "255");
    open();
    EXPECT_EQ(window->windowTitle(), "Rondelay");
    EXPECT_EQ(display(), "00:00:00");
    EXPECT_EQ(window->fTimerRound->text(), "0");
    EXPECT_EQ(window->fStatus->text(), QStringLiteral("\u30005分ごとにベル"));
    EXPECT_EQ(window->fTimerDisplay->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_FALSE(window->fTimer.isEnabled());
    EXPECT_EQ(startPixel(0, 3), QColor(Qt::black));  // the triangle's widest row
    EXPECT_EQ(startPixel(7, 0).alpha(), 0);          // white is transparent

    // Clicks leave the focus on the hidden button, so that Enter reaches the window.
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::mouseClick(window->fStartButton, Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), window->fDumyButton);
    EXPECT_TRUE(window->fTimer.isEnabled());
    EXPECT_EQ(window->fStartButton->toolTip(), QStringLiteral("ストップ"));
    EXPECT_EQ(startPixel(7, 0), QColor(Qt::black));  // the full square
    tick(3);
    EXPECT_EQ(display(), "00:00:03");
    EXPECT_EQ(window->fTimerRound->text(), "1");
    QTest::mouseClick(window->fClearButton, Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), window->fDumyButton);
    EXPECT_EQ(display(), "00:00:00");
    EXPECT_TRUE(window->fTimer.isEnabled());  // clearing keeps it running

    window->showMinimized();  // ticks write the title and leave the labels
    tick(2);
    EXPECT_EQ(window->windowTitle(), "R:1 - 00:00:02");
    EXPECT_EQ(display(), "00:00:00");
    window->showNormal();
    EXPECT_EQ(window->windowTitle(), "Rondelay");
    EXPECT_EQ(display(), "00:00:00");  // until the next tick
    tick(1);
    EXPECT_EQ(display(), "00:00:03");

    QTest::keyClick(window->fDumyButton, Qt::Key_Return);
    EXPECT_FALSE(window->fTimer.isEnabled());
    QTest::keyClick(window->fDumyButton, Qt::Key_Enter);
    EXPECT_TRUE(window->fTimer.isEnabled());
}

TEST_F(frmMainTest, OnlyAConfirmedFontRearrangesTheWindowAndItIsSaved) {
    open();
    window->fStartButton->click();
    tick(5);
    const QList<QRect> before = controls();
    const QSize designed = window->size();
    window->resize(designed + QSize(120, 80));  // by hand: no control moves
    QApplication::processEvents();
    EXPECT_EQ(controls(), before);
    const QSize handSized = window->size();

    window->ChooseDisplayFont();  // cancelled
    EXPECT_EQ(platform.fonts.asked.pointSize, 36);
    EXPECT_FALSE(platform.fonts.asked.bold);
    EXPECT_FALSE(platform.fonts.asked.family.isEmpty());  // the face actually shown
    const FontChooserOptions& options = platform.fonts.askedOptions;
    EXPECT_EQ(std::tuple(options.flags, options.minSize, options.maxSize),
              std::tuple(0x12401, 36, 512));
    EXPECT_EQ(controls(), before);
    EXPECT_EQ(window->size(), handSized);
    EXPECT_EQ(window->displayFont(), FontFields{});

    platform.fonts.answer = FontChoice{platform.fonts.asked.family, 72, true, false};
    window->ChooseDisplayFont();
    const QList<QRect> after = controls();
    EXPECT_GT(window->width(), designed.width());
    EXPECT_GT(window->height(), designed.height());
    EXPECT_EQ(display(), "00:00:05");  // caption kept
    EXPECT_EQ(window->fTimerDisplay->font().pointSizeF(), 72);
    const QSize enlarged = window->size();
    window->ChooseDisplayFont();  // the same font again changes nothing visible
    EXPECT_EQ(controls(), after);
    EXPECT_EQ(window->size(), enlarged);

    window->close();
    EXPECT_EQ(platform.store.GetSetting("Font", "Size", ""), "72");
    EXPECT_EQ(platform.store.GetSetting("Font", "Bold", ""), "True");
}

TEST_F(frmMainTest, HugeStoredFontSizeStillGivesAWindowWithinTheScreen) {
    platform.store.put("Font", "Size", "4000");
    open();
    const QSize screen = window->screen()->availableGeometry().size();
    EXPECT_LE(window->width(), screen.width());
    EXPECT_LE(window->height(), screen.height());
    EXPECT_EQ(window->displayFont().Size.toText(), "4000");  // the stored value is kept
    window->close();
    EXPECT_EQ(platform.store.GetSetting("Font", "Size", ""), "4000");
}

}  // namespace
