#include "ui/main/frmMain.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <csignal>

#include "support/FakePlatform.h"
#include "ui/options/frmOptions.h"
#include "ui/platform/TerminationSignals.h"

namespace {

// The system asks the program to end: a signal on Linux; on Windows a close message to the
// window (taskkill without /F), which closes it as its close box does.
void AskToEnd([[maybe_unused]] QWidget* window) {
#ifdef Q_OS_WIN
    QMetaObject::invokeMethod(window, &QWidget::close, Qt::QueuedConnection);
#else
    std::raise(SIGTERM);
#endif
}

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
    // Runs `act` once the modal dialog that `open` shows is up.
    template <typename Dialog>
    void whileOpen(QAction* open, const std::function<void(Dialog&)>& act) {
        Dialog* shown = nullptr;
        QTimer::singleShot(0, [&] {
            shown = qobject_cast<Dialog*>(QApplication::activeModalWidget());
            ASSERT_NE(shown, nullptr);
            act(*shown);
        });
        open->trigger();
        EXPECT_NE(shown, nullptr);
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

TEST_F(frmMainTest, MinimisedTheTitleCountsAndRestoredTheLabelsShowTheClockAtOnce) {
    open();
    window->fStartButton->click();
    window->showMinimized();
    for (int second = 1; second <= 2; ++second) {
        emit window->fTimer.tick();
    }
    EXPECT_EQ(window->fTimerDisplay->text(), "00:00:00") << "a minimised window draws no label";
    window->showNormal();
    EXPECT_EQ(window->fTimerDisplay->text(), "00:00:02");
    EXPECT_EQ(window->fTimerRound->text(), "1");
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
    EXPECT_TRUE(window->width() > screen.width() * 0.9 || window->height() > screen.height() * 0.9)
        << "shrunk more than needed";
    window->close();  // the stored value is kept
    EXPECT_EQ(platform.store.GetSetting("Font", "Size", ""), "4000");
}

TEST_F(frmMainTest, MenusHaveTheUsersCaptionsAndEachItemDoesItsJob) {
    open();
    QStringList captions;
    for (QAction* top : window->menuBar()->actions()) {
        captions << top->text();
        for (QAction* item : top->menu()->actions()) {
            captions << (item->isSeparator() ? QStringLiteral("-") : item->text());
        }
    }
    EXPECT_EQ(captions, (QStringList{"ﾌｧｲﾙ(&F)", "スタート(&S)", "クリアー(&C)", "-",
                                     "レジストリを削除して終了", "-", "終了(&X)", "表示(&V)",
                                     "フォント(&F)...", "-", "ｵﾌﾟｼｮﾝ(&O)...", "ﾍﾙﾌﾟ(&H)",
                                     "ﾊﾞｰｼﾞｮﾝ情報(&A)..."}));

    window->mnuStartTimer->trigger();  // the menu and the button toggle the same timer
    EXPECT_EQ(window->mnuStartTimer->text(), QStringLiteral("ストップ(&S)"));
    emit window->fTimer.tick();
    window->mnuClearTimer->trigger();
    EXPECT_EQ(window->fTimerDisplay->text(), "00:00:00");

    // Delete-and-exit removes the stored settings and writes nothing.
    platform.store.put("Font", "Size", "48");
    window->mnuFileDelRegExit->trigger();
    EXPECT_EQ(platform.store.GetSetting("Font", "Size", "deleted"), "deleted");
    EXPECT_EQ(platform.saves(), 0);
}

TEST_F(frmMainTest, OptionsRestartARunningTimerAndASignalClosesThemFirstThenSavesOnce) {
    platform.store.put("Timer", "IntFlag", "1");  // the interval field open for typing
    open();
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, window.get(),
                     &frmMain::close);
    window->fStartButton->click();
    emit window->fTimer.tick();
    whileOpen<frmOptions>(window->mnuViewOptions, [&](frmOptions& options) {
        EXPECT_TRUE(window->fTimer.isEnabled());       // ticks keep arriving while it is open
        QTest::keyClicks(options.fRondelayMin, "00");  // after the 1 shown
        QTest::keyClick(&options, Qt::Key_Return);     // presses OK, which has the focus
        EXPECT_TRUE(options.isVisible());              // the message keeps the dialog open
        EXPECT_EQ(platform.messages,
                  QStringList{QStringLiteral("インターバル時間は０～５９分を指定してください。")});
        QTest::keyClick(&options, Qt::Key_Escape);  // Cancel
    });
    EXPECT_TRUE(window->fTimer.isEnabled());
    EXPECT_EQ(window->fTimerDisplay->text(), "00:00:00");
    EXPECT_EQ(platform.saves(), 0);  // the store is written only at exit
    // The bell sounds were loaded after the settings, and again once the dialog had closed.
    EXPECT_EQ(platform.bellsPrepared(), 2);

    whileOpen<frmOptions>(window->mnuViewOptions, [&](frmOptions& options) {
        QTest::keyClicks(options.fRondelayMin, "3");  // 13 minutes, never confirmed
        AskToEnd(window.get());
        ASSERT_TRUE(QTest::qWaitFor([&] { return !options.isVisible(); }));
        EXPECT_EQ(platform.saves(), 21);
    });
    window->close();
    window->Form_Unload();  // the application's own quit comes after
    EXPECT_EQ(platform.store.GetSetting("Timer", "IntMin", ""), "1");  // cancelled, not OK
    EXPECT_EQ(platform.saves(), 21);
}

}  // namespace
