#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <csignal>

#include "ui/FakePlatform.h"
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
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            seen = true;
            act(*dialog);
        });
        open->trigger();
        EXPECT_TRUE(seen);
    }
    static void type(QLineEdit* edit, const QString& text) {
        edit->setText(text);
        emit edit->textEdited(text);
    }

    FakePlatform platform;
    std::unique_ptr<frmMain> window = std::make_unique<frmMain>(platform.data, platform.services);
};

TEST_F(MenusAndShutdownTest, MenusHaveTheUsersCaptionsAndStartAndClearActLikeTheButtons) {
    QStringList captions;
    for (QAction* top : window->menuBar()->actions()) {
        captions << top->text();
        for (QAction* item : top->menu()->actions()) {
            captions << (item->isSeparator() ? QStringLiteral("-") : item->text());
            EXPECT_TRUE(item->shortcut().isEmpty());
        }
    }
    EXPECT_EQ(captions, (QStringList{"ﾌｧｲﾙ(&F)", "スタート(&S)", "クリアー(&C)", "-",
                                     "レジストリを削除して終了", "-", "終了(&X)", "表示(&V)",
                                     "フォント(&F)...", "-", "ｵﾌﾟｼｮﾝ(&O)...", "ﾍﾙﾌﾟ(&H)",
                                     "ﾊﾞｰｼﾞｮﾝ情報(&A)..."}));

    window->mnuStartTimer->trigger();
    EXPECT_TRUE(window->fTimer.isEnabled());
    EXPECT_EQ(window->mnuStartTimer->text(), QStringLiteral("ストップ(&S)"));
    emit window->fTimer.tick();
    window->mnuClearTimer->trigger();
    EXPECT_EQ(window->fTimerDisplay->text(), "00:00:00");
    window->fStartButton->click();
    EXPECT_EQ(window->mnuStartTimer->text(), QStringLiteral("スタート(&S)"));
}

TEST_F(MenusAndShutdownTest, OptionsRestartARunningTimerWithRoundOneWhetherOkOrCancel) {
    window->fStartButton->click();
    emit window->fTimer.tick();
    whileOpen<frmOptions>(window->mnuViewOptions, [&](frmOptions& options) {
        emit window->fTimer.tick();  // ticks keep arriving while the dialog is open
        EXPECT_EQ(platform.data.engine.state().ClockSec, 2);
        options.cmdCancel->click();
    });
    EXPECT_TRUE(window->fTimer.isEnabled());
    EXPECT_EQ(window->fTimerDisplay->text(), "00:00:00");
    EXPECT_EQ(platform.data.engine.state().Round, 1);

    whileOpen<frmOptions>(window->mnuViewOptions, [&](frmOptions& options) {
        type(options.fRondelayNextSec, "61");
        options.cmdOK->click();
        EXPECT_TRUE(options.isVisible());  // the message keeps the dialog open
        EXPECT_EQ(platform.messages.shown,
                  QStringList{QStringLiteral("休む時間は０～６０秒を指定してください。")});
        type(options.fRondelayNextSec, "0");
        options.fRondelayFlag->click();
        type(options.fRondelayMin, "7");
        options.cmdOK->click();
    });
    EXPECT_EQ(window->fStatus->text(), QStringLiteral("\u30007分ごとにベル"));
    EXPECT_TRUE(window->fTimer.isEnabled());
    EXPECT_EQ(platform.saves(), 0);  // the store is written only at exit
}

TEST_F(MenusAndShutdownTest, AboutBoxShowsTheVersionAndClosesWithEscape) {
    whileOpen<frmAbout>(window->mnuHelpAbout, [](frmAbout& about) {
        EXPECT_EQ(about.lblVersion->text(), "Version 1.00R");
        EXPECT_EQ(about.lblTitle->text(), QStringLiteral("Rondelay（Rondelay）"));
        QTest::keyClick(&about, Qt::Key_Escape);
        EXPECT_FALSE(about.isVisible());
    });
}

TEST_F(MenusAndShutdownTest, ExitSavesTheCurrentSettingsOnceWhateverComesAfter) {
    platform.data.settings.IntMin = 7;
    window->mnuFileExit->trigger();
    EXPECT_FALSE(window->isVisible());
    window->close();
    window->Form_Unload();  // the application's own quit
    EXPECT_EQ(platform.saves(), 21);
    EXPECT_EQ(platform.store.GetSetting("Timer", "IntMin", ""), "7");
}

TEST_F(MenusAndShutdownTest, DeleteAndExitRemovesBothGroupsAndWritesNothingMore) {
    platform.store.put("Timer", "IntMin", "9");
    platform.store.put("Font", "Size", "48");
    window->mnuFileDelRegExit->trigger();
    window->close();
    EXPECT_FALSE(platform.store.hasSection("Timer"));
    EXPECT_FALSE(platform.store.hasSection("Font"));
    EXPECT_EQ(platform.saves(), 0);
}

TEST_F(MenusAndShutdownTest, ATerminationSignalWithADialogOpenClosesItFirstThenSaves) {
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, window.get(),
                     &frmMain::close);
    QSignalSpy spy(&termination, &TerminationSignals::terminationRequested);
    whileOpen<frmOptions>(window->mnuViewOptions, [&](frmOptions& options) {
        type(options.fRondelayMin, "33");
        std::raise(SIGTERM);
        ASSERT_TRUE(spy.wait(2000));
        EXPECT_FALSE(window->isVisible());
        EXPECT_FALSE(options.isVisible());
        EXPECT_EQ(platform.saves(), 21);
    });
    EXPECT_EQ(platform.store.GetSetting("Timer", "IntMin", ""), "1");  // cancelled, not OK
    EXPECT_EQ(platform.saves(), 21);
}

}  // namespace
