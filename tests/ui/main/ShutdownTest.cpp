#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
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

using Call = MemorySettingsStore::Call;

class MenusAndShutdownTest : public ::testing::Test {
protected:
    MenusAndShutdownTest() {
        window = std::make_unique<frmMain>(platform.data, platform.services);
        window->show();
    }
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
    int saves() const {
        int n = 0;
        for (const Call& call : platform.store.calls()) {
            n += call.kind == Call::Save;
        }
        return n;
    }
    void tick(int n) {
        for (int i = 0; i < n; ++i) {
            emit window->fTimer.tick();
        }
    }

    FakePlatform platform;
    std::unique_ptr<frmMain> window;
};

TEST_F(MenusAndShutdownTest, MenuCaptionsAreExactlyTheUsersOnes) {
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
}

TEST_F(MenusAndShutdownTest, MenuStartFollowsTheButtonAndLeavesTheFocus) {
    window->fClearButton->setFocus();
    window->mnuStartTimer->trigger();
    EXPECT_TRUE(window->fTimer.isEnabled());
    EXPECT_EQ(window->mnuStartTimer->text(), QStringLiteral("ストップ(&S)"));
    EXPECT_EQ(window->fStartButton->toolTip(), QStringLiteral("ストップ"));
    EXPECT_TRUE(window->fClearButton->hasFocus() || !window->isActiveWindow());
    tick(3);
    window->mnuClearTimer->trigger();
    EXPECT_EQ(window->fTimerDisplay->text(), "00:00:00");
    window->fStartButton->click();
    EXPECT_EQ(window->mnuStartTimer->text(), QStringLiteral("スタート(&S)"));
}

TEST_F(MenusAndShutdownTest, OptionsRestartARunningTimerWithRoundOneWhetherOkOrCancel) {
    window->fStartButton->click();
    tick(5);
    whileOpen<frmOptions>(window->mnuViewOptions, [&](frmOptions& options) {
        tick(2);  // ticks keep arriving while the dialog is open
        EXPECT_EQ(platform.data.engine.state().ClockSec, 7);
        options.cmdCancel->click();
    });
    EXPECT_TRUE(window->fTimer.isEnabled());
    EXPECT_EQ(window->fTimerDisplay->text(), "00:00:00");
    EXPECT_EQ(platform.data.engine.state().Round, 1);

    whileOpen<frmOptions>(window->mnuViewOptions, [&](frmOptions& options) {
        options.fRondelayFlag->click();
        options.fRondelayMin->setText("7");
        emit options.fRondelayMin->textEdited("7");
        options.cmdOK->click();
    });
    EXPECT_EQ(window->fStatus->text(), QStringLiteral("\u30007分ごとにベル"));
    EXPECT_TRUE(window->fTimer.isEnabled());
    EXPECT_EQ(saves(), 0);  // the store is written only at exit
}

TEST_F(MenusAndShutdownTest, OptionsMessageKeepsTheDialogOpen) {
    whileOpen<frmOptions>(window->mnuViewOptions, [&](frmOptions& options) {
        options.fRondelayNextSec->setText("61");
        emit options.fRondelayNextSec->textEdited("61");
        options.cmdOK->click();
        EXPECT_TRUE(options.isVisible());
        EXPECT_EQ(platform.messages.shown,
                  QStringList{QStringLiteral("休む時間は０～６０秒を指定してください。")});
        options.reject();
    });
}

TEST_F(MenusAndShutdownTest, AboutBoxShowsTheVersionAndClosesWithEscape) {
    whileOpen<frmAbout>(window->mnuHelpAbout, [](frmAbout& about) {
        EXPECT_EQ(about.windowTitle(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
        EXPECT_EQ(about.lblVersion->text(), "Version 1.00R");
        EXPECT_EQ(about.lblTitle->text(), QStringLiteral("Rondelay（Rondelay）"));
        EXPECT_TRUE(about.cOwner->text().startsWith("'00/2/27 by "));
        QTest::keyClick(&about, Qt::Key_Escape);
        EXPECT_FALSE(about.isVisible());
    });
}

TEST_F(MenusAndShutdownTest, ExitSavesOnce) {
    window->mnuFileExit->trigger();
    EXPECT_FALSE(window->isVisible());
    window->Form_Unload();  // the application's own quit comes after: no second save
    EXPECT_EQ(saves(), 21);
}

TEST_F(MenusAndShutdownTest, DeleteAndExitRemovesBothGroupsAndWritesNothingMore) {
    platform.store.put("Timer", "IntMin", "9");
    platform.store.put("Font", "Size", "48");
    window->mnuFileDelRegExit->trigger();
    window->close();
    EXPECT_FALSE(platform.store.hasSection("Timer"));
    EXPECT_FALSE(platform.store.hasSection("Font"));
    EXPECT_EQ(saves(), 0);
}

TEST_F(MenusAndShutdownTest, ClosingWithADialogOpenClosesItFirstThenSaves) {
    whileOpen<frmOptions>(window->mnuViewOptions, [&](frmOptions& options) {
        options.fRondelayMin->setText("33");
        emit options.fRondelayMin->textEdited("33");
        window->close();  // as the session ending would
        EXPECT_FALSE(options.isVisible());
        EXPECT_EQ(saves(), 21);
    });
    EXPECT_EQ(platform.store.GetSetting("Timer", "IntMin", ""), "1");  // cancelled, not OK
    EXPECT_EQ(saves(), 21);
}

TEST_F(MenusAndShutdownTest, TerminationSignalClosesTheWindowAndSaves) {
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, window.get(),
                     &frmMain::close);
    QSignalSpy spy(&termination, &TerminationSignals::terminationRequested);
    std::raise(SIGTERM);
    ASSERT_TRUE(spy.wait(2000));
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(saves(), 21);
}

}  // namespace
