#include "ui/bell/fBell.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "support/FakePlatform.h"

namespace {

TEST(fBell, OpensInTheModeOfThePairAndOnlyOkHandsBackTheChoiceAsTheUserLeftIt) {
    // Each case opens the chooser with the pair (flag, "/a.wav") and plays the steps: '0'/'1'
    // choose the beep/the WAV file, 'b' browses (cancelled the first time, then "/c.wav"),
    // 'k' OK, 'c' Cancel, 'x' the close box, 'e' Esc, 'r' Enter on the focused beep option,
    // 'R' Enter on the focused OK, 'v' checks that the chooser is still open.
    const std::tuple<std::int16_t, const char*, std::int16_t, const char*> cases[] = {
        {0, "k", 0, "/a.wav"},
        {2, "k", 1, "/a.wav"},  // any non-zero flag means a WAV file
        {-1, "k", 1, "/a.wav"},
        {0, "1k", 1, "/a.wav"},  // the greyed path becomes the WAV file
        {1, "bk", 1, "/a.wav"},  // a cancelled browse keeps the path
        {1, "bbk", 1, "/c.wav"},
        {0, "1bb0k", 0, "/a.wav"},  // the beep keeps the file passed in, not the browsed one
        {1, "bbc", 1, "/a.wav"},
        {1, "bbx", 1, "/a.wav"},
        {1, "0evrvR", 0, "/a.wav"},  // no cancel and no default button: Enter needs a button
    };
    OpenFileOptions asked;
    for (const auto& [flag, steps, handedFlag, handedFile] : cases) {
        SCOPED_TRACE(steps);
        BellHandOver pair{flag, "/a.wav"};
        int browses = 0;
        LoadedForms forms;
        auto files = std::make_unique<ScriptedFileChooser>([&](const OpenFileOptions& options) {
            asked = options;
            return ++browses == 1 ? std::nullopt : std::optional<QString>("/c.wav");
        });
        fBell b(pair, std::move(files), forms);
        b.show();
        EXPECT_EQ(b.cBellRef->isEnabled(), flag != 0);
        const QColor path = b.cBellFile->palette().color(QPalette::WindowText);
        EXPECT_EQ(path == b.palette().color(QPalette::Disabled, QPalette::Text), flag == 0);
        auto enterOn = [](QWidget* button) {
            button->setFocus();
            QTest::keyClick(button, Qt::Key_Return);
        };
        const std::map<char, std::function<void()>> act = {
            {'0', [&] { b.cBell[0]->click(); }},
            {'1', [&] { b.cBell[1]->click(); }},
            {'b', [&] { b.cBellRef->click(); }},
            {'k', [&] { b.cOk->click(); }},
            {'c', [&] { b.cCancel->click(); }},
            {'x', [&] { b.close(); }},
            {'e', [&] { QTest::keyClick(&b, Qt::Key_Escape); }},
            {'r', [&] { enterOn(b.cBell[0]); }},
            {'R', [&] { enterOn(b.cOk); }},
            {'v', [&] { EXPECT_TRUE(b.isVisible()); }}};
        for (const char step : std::string_view(steps)) {
            act.at(step)();
        }
        EXPECT_EQ(std::pair(pair.EditBellFlag, pair.EditBellFile),
                  std::pair(handedFlag, std::string(handedFile)));
    }
    EXPECT_EQ(std::tuple(asked.filter, asked.filterIndex, asked.flags),
              std::tuple(QStringLiteral("すべてのファイル (*.*)|*.*|WAVファイル (*.wav)|*.wav|"), 2,
                         0x201800));
}

}  // namespace
