#include "ui/bell/fBell.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "support/FakePlatform.h"

namespace {

// The chooser as the user meets it, handed a pair with "/a.wav"; a browse gets `answer`.
struct Chooser {
    explicit Chooser(std::int16_t flag) : pair{flag, "/a.wav"} { b.show(); }
    BellHandOver pair;
    std::optional<QString> answer;
    OpenFileOptions asked;
    LoadedForms forms;
    fBell b{pair, std::make_unique<ScriptedFileChooser>([this](const OpenFileOptions& options) {
                asked = options;
                return answer;
            }),
            forms};
};

// What the user does in the chooser.
using Step = void (*)(Chooser&);
void EnterOn(QWidget* button) {
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Return);
}
const Step ChooseBeep = [](Chooser& c) { c.b.cBell[0]->click(); };
const Step ChooseWavFile = [](Chooser& c) { c.b.cBell[1]->click(); };
const Step BrowseCancelled = [](Chooser& c) {
    c.answer.reset();
    c.b.cBellRef->click();
};
const Step BrowseChoosesCWav = [](Chooser& c) {
    c.answer = "/c.wav";
    c.b.cBellRef->click();
};
const Step Ok = [](Chooser& c) { c.b.cOk->click(); };
const Step Cancel = [](Chooser& c) { c.b.cCancel->click(); };
const Step CloseBox = [](Chooser& c) { c.b.close(); };
const Step Escape = [](Chooser& c) { QTest::keyClick(&c.b, Qt::Key_Escape); };
const Step EnterOnBeepOption = [](Chooser& c) { EnterOn(c.b.cBell[0]); };
const Step EnterOnOk = [](Chooser& c) { EnterOn(c.b.cOk); };
const Step ExpectStillOpen = [](Chooser& c) { EXPECT_TRUE(c.b.isVisible()); };

TEST(fBell, OpensInTheModeOfThePairAndOnlyOkHandsBackTheChoiceAsTheUserLeftIt) {
    const struct {
        const char* situation;
        std::int16_t flag;  // handed in with "/a.wav"
        std::vector<Step> steps;
        std::int16_t handedFlag;  // the pair as handed back
        const char* handedFile = "/a.wav";
    } cases[] = {
        {"OK keeps the beep", 0, {Ok}, 0},
        {"any non-zero flag means a WAV file", 2, {Ok}, 1},
        {"a negative flag means a WAV file", -1, {Ok}, 1},
        {"the greyed path becomes the WAV file", 0, {ChooseWavFile, Ok}, 1},
        {"a cancelled browse keeps the path", 1, {BrowseCancelled, Ok}, 1},
        {"a browsed file is handed back", 1, {BrowseCancelled, BrowseChoosesCWav, Ok}, 1, "/c.wav"},
        {"the beep keeps the file passed in, not the browsed one",
         0,
         {ChooseWavFile, BrowseChoosesCWav, ChooseBeep, Ok},
         0},
        {"Cancel hands back nothing", 1, {BrowseChoosesCWav, Cancel}, 1},
        {"the close box hands back nothing", 1, {BrowseChoosesCWav, CloseBox}, 1},
        {"no cancel and no default button: Enter needs a button",
         1,
         {ChooseBeep, Escape, ExpectStillOpen, EnterOnBeepOption, ExpectStillOpen, EnterOnOk},
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.situation);
        Chooser chooser(c.flag);
        fBell& b = chooser.b;
        EXPECT_EQ(b.cBellRef->isEnabled(), c.flag != 0);
        const QColor path = b.cBellFile->palette().color(QPalette::WindowText);
        EXPECT_EQ(path == b.palette().color(QPalette::Disabled, QPalette::Text), c.flag == 0);
        for (const Step step : c.steps) {
            step(chooser);
        }
        EXPECT_EQ(chooser.pair.EditBellFlag, c.handedFlag);
        EXPECT_EQ(chooser.pair.EditBellFile, c.handedFile);
        if (!chooser.asked.filter.isEmpty()) {  // browsed
            EXPECT_EQ(chooser.asked.filter,
                      QStringLiteral("すべてのファイル (*.*)|*.*|WAVファイル (*.wav)|*.wav|"));
            EXPECT_EQ(chooser.asked.filterIndex, 2);
            EXPECT_TRUE(chooser.asked.flags & OpenFileFlags::FileMustExist);
        }
    }
}

}  // namespace
