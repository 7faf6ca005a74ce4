#include "ui/bell/fBell.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "ui/FakePlatform.h"

namespace {

// One opening of the chooser with the pair (flag, file); `act` plays the user's part.
class fBellTest : public ::testing::Test {
protected:
    BellHandOver run(std::int16_t flag, const std::string& file,
                     const std::function<void(fBell&)>& act) {
        BellHandOver pair{flag, file};
        fBell chooser(pair, std::make_unique<ScriptedFileChooser>(files), forms);
        chooser.show();
        act(chooser);
        return pair;
    }
    static void choose(fBell& b, int mode) { QTest::mouseClick(b.cBell[mode], Qt::LeftButton); }

    ScriptedFileChooser::Script files;
    LoadedForms forms;
};

TEST_F(fBellTest, OpensInTheModeOfThePairWithThePathShown) {
    run(0, "/a.wav", [](fBell& b) {
        EXPECT_TRUE(b.cBell[0]->isChecked());
        EXPECT_FALSE(b.cBellRef->isEnabled());
        EXPECT_EQ(b.fileText(), "/a.wav");
        EXPECT_EQ(b.cBellFile->palette().color(QPalette::WindowText),
                  b.palette().color(QPalette::Disabled, QPalette::Text));
    });
    for (std::int16_t flag : {1, 2, -1}) {  // any non-zero flag means a WAV file
        run(flag, "", [](fBell& b) {
            EXPECT_TRUE(b.cBell[1]->isChecked());
            EXPECT_TRUE(b.cBellRef->isEnabled());
            EXPECT_EQ(b.fileText(), "");
        });
    }
}

TEST_F(fBellTest, OkHandsBackTheChoiceAsTheUserLeftIt) {
    auto ok = [](fBell& b) { b.cOk->click(); };
    EXPECT_EQ(run(0, "/a.wav", ok).EditBellFile, "/a.wav");
    EXPECT_EQ(run(1, "", ok).EditBellFlag, 1);

    BellHandOver pair = run(1, "/a.wav", [&](fBell& b) {
        choose(b, 0);
        ok(b);
    });
    EXPECT_EQ(pair.EditBellFlag, 0);
    EXPECT_EQ(pair.EditBellFile, "/a.wav");  // switching to the beep keeps the file

    files.answers = {"/b.wav"};
    pair = run(0, "/a.wav", [&](fBell& b) {
        choose(b, 1);
        b.cBellRef->click();
        EXPECT_EQ(b.fileText(), "/b.wav");
        choose(b, 0);
        ok(b);
    });
    EXPECT_EQ(pair.EditBellFlag, 0);
    EXPECT_EQ(pair.EditBellFile, "/a.wav");  // the browsed file is dropped

    pair = run(0, "/a.wav", [&](fBell& b) {
        choose(b, 1);
        ok(b);
    });
    EXPECT_EQ(pair.EditBellFlag, 1);
    EXPECT_EQ(pair.EditBellFile, "/a.wav");  // the greyed path becomes the WAV file
}

TEST_F(fBellTest, BrowsingAsksForWavFilesAndKeepsThePathWhenCancelled) {
    files.answers = {QString(), "/c.wav"};  // first browse cancelled
    BellHandOver pair = run(1, "/a.wav", [&](fBell& b) {
        b.cBellRef->click();
        EXPECT_EQ(b.fileText(), "/a.wav");
        b.cBellRef->click();
        b.cOk->click();
    });
    EXPECT_EQ(pair.EditBellFile, "/c.wav");
    ASSERT_EQ(files.asked.size(), 2u);
    EXPECT_EQ(files.asked[0].filter,
              QStringLiteral("すべてのファイル (*.*)|*.*|WAVファイル (*.wav)|*.wav|"));
    EXPECT_EQ(files.asked[0].filterIndex, 2);
    EXPECT_EQ(files.asked[0].flags, 0x201800);
}

TEST_F(fBellTest, CancelCloseBoxAndEscapeWriteNothing) {
    files.answers = {"/b.wav"};
    auto browse = [](fBell& b) { b.cBellRef->click(); };
    BellHandOver pair = run(1, "/a.wav", [&](fBell& b) {
        browse(b);
        b.cCancel->click();
    });
    EXPECT_EQ(pair.EditBellFile, "/a.wav");

    files.answers = {"/b.wav"};
    pair = run(1, "/a.wav", [&](fBell& b) {
        browse(b);
        b.close();
    });
    EXPECT_EQ(pair.EditBellFile, "/a.wav");

    run(1, "/a.wav", [](fBell& b) {
        QTest::keyClick(&b, Qt::Key_Escape);
        EXPECT_TRUE(b.isVisible());  // no cancel button
        b.cBell[0]->setFocus();
        QTest::keyClick(b.cBell[0], Qt::Key_Return);
        EXPECT_TRUE(b.isVisible());  // no default button
        b.cOk->setFocus();
        QTest::keyClick(b.cOk, Qt::Key_Return);
        EXPECT_FALSE(b.isVisible());  // Enter on the focused button presses it
    });
}

}  // namespace
