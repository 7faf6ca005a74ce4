#include "ui/bell/fBell.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "ui/FakePlatform.h"

namespace {

// One opening of the chooser with the pair (flag, "/a.wav"); `act` plays the user's part.
class fBellTest : public ::testing::Test {
protected:
    BellHandOver run(std::int16_t flag, const std::function<void(fBell&)>& act) {
        BellHandOver pair{flag, "/a.wav"};
        fBell chooser(pair, std::make_unique<ScriptedFileChooser>(files), forms);
        chooser.show();
        act(chooser);
        return pair;
    }

    ScriptedFileChooser::Script files;
    LoadedForms forms;
};

TEST_F(fBellTest, OpensInTheModeOfThePairAndOnlyOkHandsBackTheChoiceAsTheUserLeftIt) {
    // Steps: '0'/'1' choose the beep/the WAV file, 'b' browses (the first browse of each
    // opening is cancelled, the next answers "/c.wav"), then 'k' OK, 'c' Cancel, 'x' close box.
    struct Case {
        std::int16_t flag;
        const char* steps;
        BellHandOver expected;
    };
    const Case cases[] = {
        {0, "k", {0, "/a.wav"}},
        {2, "k", {1, "/a.wav"}},  // any non-zero flag means a WAV file
        {-1, "k", {1, "/a.wav"}},
        {1, "0k", {0, "/a.wav"}},  // switching to the beep keeps the file
        {0, "1k", {1, "/a.wav"}},  // the greyed path becomes the WAV file
        {1, "bk", {1, "/a.wav"}},  // a cancelled browse keeps the path
        {1, "bbk", {1, "/c.wav"}},
        {0, "1bb0k", {0, "/a.wav"}},  // the browsed file is dropped with the beep
        {1, "bbc", {1, "/a.wav"}},
        {1, "bbx", {1, "/a.wav"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.steps);
        files.answers = {QString(), "/c.wav"};
        const BellHandOver pair = run(c.flag, [&c](fBell& b) {
            EXPECT_EQ(b.cBell[1]->isChecked(), c.flag != 0);
            EXPECT_EQ(b.cBellRef->isEnabled(), c.flag != 0);
            EXPECT_EQ(b.fileText(), "/a.wav");
            const QColor path = b.cBellFile->palette().color(QPalette::WindowText);
            EXPECT_EQ(path == b.palette().color(QPalette::Disabled, QPalette::Text), c.flag == 0);
            const std::map<char, std::function<void()>> act = {
                {'0', [&] { b.cBell[0]->click(); }}, {'1', [&] { b.cBell[1]->click(); }},
                {'b', [&] { b.cBellRef->click(); }}, {'k', [&] { b.cOk->click(); }},
                {'c', [&] { b.cCancel->click(); }},  {'x', [&] { b.close(); }}};
            for (const char step : std::string_view(c.steps)) {
                act.at(step)();
            }
        });
        EXPECT_EQ(pair.EditBellFlag, c.expected.EditBellFlag);
        EXPECT_EQ(pair.EditBellFile, c.expected.EditBellFile);
    }
    const OpenFileOptions& asked = files.asked.at(0);
    EXPECT_EQ(asked.filter,
              QStringLiteral("すべてのファイル (*.*)|*.*|WAVファイル (*.wav)|*.wav|"));
    EXPECT_EQ(asked.filterIndex, 2);
    EXPECT_EQ(asked.flags, 0x201800);
}

TEST_F(fBellTest, EnterPressesOnlyTheFocusedButtonAndEscapeNothing) {
    run(1, [](fBell& b) {
        QTest::keyClick(&b, Qt::Key_Escape);
        EXPECT_TRUE(b.isVisible());  // no cancel button
        b.cBell[0]->setFocus();
        QTest::keyClick(b.cBell[0], Qt::Key_Return);
        EXPECT_TRUE(b.isVisible());  // no default button
        b.cOk->setFocus();
        QTest::keyClick(b.cOk, Qt::Key_Return);
        EXPECT_FALSE(b.isVisible());
    });
}

}  // namespace
