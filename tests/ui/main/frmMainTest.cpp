#include "ui/main/frmMain.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>
#include <QTest>

#include "ui/FakePlatform.h"

namespace {

struct Geometry {
    QList<QRect> controls;
    QSize window;
    bool operator==(const Geometry&) const = default;
};

class frmMainTest : public ::testing::Test {
protected:
    void open() {
        window = std::make_unique<frmMain>(data, platform.services);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    void tick(int n = 1) {
        for (int i = 0; i < n; ++i) {
            emit window->fTimer.tick();
        }
    }
    Geometry geometry() const {
        Geometry g;
        for (QWidget* w : std::initializer_list<QWidget*>{
                 window->fTimerDisplay, window->fTimerRoundTitle, window->fTimerRound,
                 window->fStatus, window->fStartButton, window->fClearButton,
                 window->fDumyButton}) {
            g.controls.append(w->geometry());
        }
        g.window = window->size();
        return g;
    }
    QImage startPicture() const {
        return window->fStartButton->icon().pixmap(QSize(8, 8)).toImage();
    }

    FakePlatform platform;
    MemorySettingsStore& store = platform.store;
    ScriptedFontChooser& fonts = platform.fonts;
    ProgramData& data = platform.data;
    std::unique_ptr<frmMain> window;
};

TEST_F(frmMainTest, LoadShowsZeroTimeRoundZeroTheStatusAndTheStartPicture) {
    store.put("Timer", "IntFlag", "1");
    store.put("Timer", "IntMin", "5");
    store.put("Timer", "Color", "255");
    open();
    EXPECT_EQ(window->windowTitle(), "Rondelay");
    EXPECT_EQ(window->fTimerDisplay->text(), "00:00:00");
    EXPECT_EQ(window->fTimerRound->text(), "0");
    EXPECT_EQ(window->fStatus->text(), QStringLiteral("\u30005分ごとにベル"));
    EXPECT_EQ(window->fStartButton->toolTip(), QStringLiteral("スタート"));
    EXPECT_EQ(window->fClearButton->text(), QStringLiteral("Ｃ"));
    EXPECT_EQ(window->fClearButton->toolTip(), QStringLiteral("クリアー"));
    EXPECT_EQ(window->fTimerDisplay->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_FALSE(window->fTimer.isEnabled());
    const QImage picture = startPicture();
    EXPECT_EQ(picture.pixelColor(0, 3), QColor(Qt::black));  // triangle's widest row
    EXPECT_EQ(picture.pixelColor(7, 0).alpha(), 0);          // white is transparent
}

TEST_F(frmMainTest, StartRunsTheTickSourceAndTicksUpdateTheLabels) {
    open();
    window->fStartButton->click();
    EXPECT_TRUE(window->fTimer.isEnabled());
    EXPECT_EQ(window->fStartButton->toolTip(), QStringLiteral("ストップ"));
    EXPECT_EQ(startPicture().pixelColor(7, 0), QColor(Qt::black));  // the full square
    tick(3);
    EXPECT_EQ(window->fTimerDisplay->text(), "00:00:03");
    EXPECT_EQ(window->fTimerRound->text(), "1");

    window->fClearButton->click();
    EXPECT_EQ(window->fTimerDisplay->text(), "00:00:00");
    EXPECT_TRUE(window->fTimer.isEnabled());  // clearing keeps it running
    window->fStartButton->click();
    EXPECT_FALSE(window->fTimer.isEnabled());
    EXPECT_EQ(window->fStartButton->toolTip(), QStringLiteral("スタート"));
}

TEST_F(frmMainTest, MinimisedTicksWriteTheTitleAndLeaveTheLabels) {
    open();
    window->fStartButton->click();
    tick(2);
    window->showMinimized();
    tick(3);
    EXPECT_EQ(window->windowTitle(), "R:1 - 00:00:05");
    EXPECT_EQ(window->fTimerDisplay->text(), "00:00:02");
    window->showNormal();
    EXPECT_EQ(window->windowTitle(), "Rondelay");
    EXPECT_EQ(window->fTimerDisplay->text(), "00:00:02");  // until the next tick
    tick();
    EXPECT_EQ(window->fTimerDisplay->text(), "00:00:06");
}

TEST_F(frmMainTest, ClicksLeaveTheFocusOnTheHiddenButtonAndEnterStarts) {
    open();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::mouseClick(window->fClearButton, Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), window->fDumyButton);
    QTest::mouseClick(window->fStartButton, Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), window->fDumyButton);
    EXPECT_TRUE(data.engine.state().RunFlag);

    QTest::keyClick(window->fDumyButton, Qt::Key_Return);
    EXPECT_FALSE(data.engine.state().RunFlag);
    QTest::keyClick(window->fDumyButton, Qt::Key_Enter);
    EXPECT_TRUE(data.engine.state().RunFlag);
}

TEST_F(frmMainTest, HandResizingMovesNoControl) {
    open();
    const Geometry before = geometry();
    window->resize(before.window + QSize(120, 80));
    QApplication::processEvents();
    EXPECT_EQ(geometry().controls, before.controls);
}

TEST_F(frmMainTest, CancelledFontChooserChangesNothing) {
    open();
    const Geometry before = geometry();
    window->ChooseDisplayFont();
    EXPECT_EQ(fonts.calls, 1);
    EXPECT_EQ(fonts.asked.pointSize, 36);
    EXPECT_FALSE(fonts.asked.bold);
    EXPECT_FALSE(fonts.asked.family.isEmpty());  // the face actually shown
    EXPECT_EQ(fonts.askedOptions.flags, 0x12401);
    EXPECT_EQ(fonts.askedOptions.minSize, 36);
    EXPECT_EQ(fonts.askedOptions.maxSize, 512);
    EXPECT_EQ(geometry(), before);
    EXPECT_EQ(window->displayFont(), FontFields{});
}

TEST_F(frmMainTest, ConfirmedLargerFontWidensAndHeightensTheWindowAndIsSaved) {
    open();
    const Geometry before = geometry();
    window->fStartButton->click();
    tick(5);
    fonts.answer = FontChoice{fonts.asked.family, 72, true, false};
    window->ChooseDisplayFont();
    const Geometry after = geometry();
    EXPECT_GT(after.window.width(), before.window.width());
    EXPECT_GT(after.window.height(), before.window.height());
    EXPECT_GT(after.controls[0].width(), before.controls[0].width());
    EXPECT_EQ(window->fTimerDisplay->text(), "00:00:05");  // caption kept
    EXPECT_EQ(window->fTimerDisplay->font().pointSizeF(), 72);

    window->ChooseDisplayFont();  // the same font again changes nothing visible
    EXPECT_EQ(geometry(), after);

    window->close();
    EXPECT_EQ(store.GetSetting("Font", "Size", ""), "72");
    EXPECT_EQ(store.GetSetting("Font", "Bold", ""), "True");
}

TEST_F(frmMainTest, ClosingSavesEverySettingOnce) {
    store.put("Timer", "IntMin", "7");
    open();
    window->close();
    window->close();
    int saves = 0;
    for (const auto& call : store.calls()) {
        saves += call.kind == MemorySettingsStore::Call::Save;
    }
    EXPECT_EQ(saves, 21);
    EXPECT_EQ(store.GetSetting("Timer", "IntMin", ""), "7");
}

TEST_F(frmMainTest, HugeStoredFontSizeStillGivesAWindowWithinTheScreen) {
    store.put("Font", "Size", "4000");
    open();
    const QSize screen = window->screen()->availableGeometry().size();
    EXPECT_LE(window->width(), screen.width());
    EXPECT_LE(window->height(), screen.height());
    EXPECT_EQ(window->displayFont().Size.toText(), "4000");  // the stored value is kept
    window->close();
    EXPECT_EQ(store.GetSetting("Font", "Size", ""), "4000");
}

}  // namespace
