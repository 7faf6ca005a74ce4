#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <csignal>

#include "support/FakePlatform.h"
#include "ui/about/frmAbout.h"
#include "ui/main/frmMain.h"
#include "ui/options/frmOptions.h"
#include "ui/platform/TerminationSignals.h"

namespace {

class MenusAndShutdownTest : public ::testing::Test {
protected:
    MenusAndShutdownTest() { window->show(); }
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
    std::unique_ptr<frmMain> window = std::make_unique<frmMain>(platform.data, platform.services);
};

TEST_F(MenusAndShutdownTest, MenusHaveTheUsersCaptionsAndEachItemDoesItsJob) {
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

    whileOpen<frmAbout>(window->mnuHelpAbout, [](frmAbout& about) {
        QTest::keyClick(&about, Qt::Key_Escape);
        EXPECT_FALSE(about.isVisible());
    });

    // Delete-and-exit removes the stored settings and writes nothing.
    platform.store.put("Font", "Size", "48");
    window->mnuFileDelRegExit->trigger();
    EXPECT_FALSE(platform.store.hasSection("Font"));
    EXPECT_EQ(platform.saves(), 0);
}

TEST_F(MenusAndShutdownTest, OptionsRestartARunningTimerAndASignalClosesThemFirstThenSavesOnce) {
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, window.get(),
                     &frmMain::close);
    platform.data.settings.IntFlag = 1;  // the interval field open for typing
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
        std::raise(SIGTERM);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !options.isVisible(); }));
        EXPECT_EQ(platform.saves(), 21);
    });
    window->close();
    window->Form_Unload();  // the application's own quit comes after
    EXPECT_EQ(platform.store.GetSetting("Timer", "IntMin", ""), "1");  // cancelled, not OK
    EXPECT_EQ(platform.saves(), 21);
}

}  // namespace
