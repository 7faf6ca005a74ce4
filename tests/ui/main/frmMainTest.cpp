#include "ui/main/frmMain.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>
#include <QTest>

#include "support/FakePlatform.h"

namespace {

class frmMainTest : public ::testing::Test {
protected:
    void open() {
        window = std::make_unique<frmMain>(platform.data, platform.services);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    QList<QRect> controls() const {
        const QList<QWidget*> children = window->centralWidget()->findChildren<QWidget*>();
        QList<QRect> rects(children.size());
        std::ranges::transform(children, rects.begin(), &QWidget::geometry);
        return rects;
    }

    FakePlatform platform;
    std::unique_ptr<frmMain> window;
};

TEST_F(frmMainTest, LoadsStoppedThenTheButtonsDriveTheLabelsAndLeaveTheFocusAside) {
    platform.store.put("Timer", "Color", "255");
    open();
    EXPECT_EQ(window->fStatus->text(), QStringLiteral("\u3000インターバル設定なし"));
    EXPECT_EQ(window->fTimerDisplay->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_FALSE(window->fTimer.isEnabled());

    // Clicks leave the focus on the hidden button, so that Enter reaches the window.
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::mouseClick(window->fStartButton, Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), window->fDumyButton);
    emit window->fTimer.tick();
    EXPECT_EQ(window->fTimerRound->text(), "1");
    QTest::mouseClick(window->fClearButton, Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), window->fDumyButton);
    EXPECT_EQ(window->fTimerDisplay->text(), "00:00:00");
}

TEST_F(frmMainTest, OnlyAConfirmedFontRearrangesTheWindowAndItIsSaved) {
    open();
    const QList<QRect> before = controls();
    const QSize designed = window->size();
    window->resize(designed + QSize(120, 80));  // by hand: no control moves
    QApplication::processEvents();

    window->ChooseDisplayFont();  // cancelled
    // Asked with the face actually shown, for a size from 36 to 512 points.
    const auto& [family, points, bold, italic] = platform.askedFont;
    const auto& [flags, minSize, maxSize] = platform.askedFontOptions;
    EXPECT_EQ(std::tuple(family.isEmpty(), points, bold, italic),
              std::tuple(false, 36, false, false));
    EXPECT_TRUE(flags & FontChooserFlags::LimitSize);
    EXPECT_EQ(std::pair(minSize, maxSize), std::pair(36, 512));
    EXPECT_EQ(controls(), before);
    EXPECT_EQ(window->size(), designed + QSize(120, 80));
    EXPECT_EQ(platform.data.settings.Font, FontFields{});

    platform.fontAnswer = FontChoice{platform.askedFont.family, 72, true, false};
    window->ChooseDisplayFont();
    const QList<QRect> after = controls();
    EXPECT_GT(window->width(), designed.width());
    EXPECT_EQ(window->fTimerDisplay->text(), "00:00:00");  // caption kept
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
    window->close();  // the stored value is kept
    EXPECT_EQ(platform.store.GetSetting("Font", "Size", ""), "4000");
}

}  // namespace
