#include "ui/bell/fBell.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <map>

#include "support/FakePlatform.h"

namespace {

// What the user does in the chooser, in order.
enum class Step {
    ChooseBeep,
    ChooseWavFile,
    BrowseCancelled,
    BrowseChoosesCWav,  // picks "/c.wav"
    Ok,
    Cancel,
    CloseBox,
    Escape,
    EnterOnBeepOption,  // Enter with the focus on the beep option
    EnterOnOk,          // Enter with the focus on OK
    ExpectStillOpen,
};

struct Case {
    const char* situation;
    std::int16_t flag;  // handed in with "/a.wav"
    std::vector<Step> steps;
    std::int16_t handedFlag;  // the pair as handed back
    const char* handedFile;
};

TEST(fBell, OpensInTheModeOfThePairAndOnlyOkHandsBackTheChoiceAsTheUserLeftIt) {
    using enum Step;
    const Case cases[] = {
        {"OK keeps the beep", 0, {Ok}, 0, "/a.wav"},
        {"any non-zero flag means a WAV file", 2, {Ok}, 1, "/a.wav"},
        {"a negative flag means a WAV file", -1, {Ok}, 1, "/a.wav"},
        {"the greyed path becomes the WAV file", 0, {ChooseWavFile, Ok}, 1, "/a.wav"},
        {"a cancelled browse keeps the path", 1, {BrowseCancelled, Ok}, 1, "/a.wav"},
        {"a browsed file is handed back", 1, {BrowseCancelled, BrowseChoosesCWav, Ok}, 1, "/c.wav"},
        {"the beep keeps the file passed in, not the browsed one",
         0,
         {ChooseWavFile, BrowseCancelled, BrowseChoosesCWav, ChooseBeep, Ok},
         0,
         "/a.wav"},
        {"Cancel hands back nothing", 1, {BrowseCancelled, BrowseChoosesCWav, Cancel}, 1, "/a.wav"},
        {"the close box hands back nothing",
         1,
         {BrowseCancelled, BrowseChoosesCWav, CloseBox},
         1,
         "/a.wav"},
        {"no cancel and no default button: Enter needs a button",
         1,
         {ChooseBeep, Escape, ExpectStillOpen, EnterOnBeepOption, ExpectStillOpen, EnterOnOk},
         0,
         "/a.wav"},
    };
    OpenFileOptions asked;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.situation);
        BellHandOver pair{c.flag, "/a.wav"};
        std::optional<QString> answer;
        LoadedForms forms;
        auto files = std::make_unique<ScriptedFileChooser>([&](const OpenFileOptions& options) {
            asked = options;
            return answer;
        });
        fBell b(pair, std::move(files), forms);
        b.show();
        EXPECT_EQ(b.cBellRef->isEnabled(), c.flag != 0);
        const QColor path = b.cBellFile->palette().color(QPalette::WindowText);
        EXPECT_EQ(path == b.palette().color(QPalette::Disabled, QPalette::Text), c.flag == 0);
        auto enterOn = [](QWidget* button) {
            button->setFocus();
            QTest::keyClick(button, Qt::Key_Return);
        };
        auto browse = [&](std::optional<QString> chosen) {
            answer = std::move(chosen);
            b.cBellRef->click();
        };
        const std::map<Step, std::function<void()>> act = {
            {ChooseBeep, [&] { b.cBell[0]->click(); }},
            {ChooseWavFile, [&] { b.cBell[1]->click(); }},
            {BrowseCancelled, [&] { browse(std::nullopt); }},
            {BrowseChoosesCWav, [&] { browse("/c.wav"); }},
            {Ok, [&] { b.cOk->click(); }},
            {Cancel, [&] { b.cCancel->click(); }},
            {CloseBox, [&] { b.close(); }},
            {Escape, [&] { QTest::keyClick(&b, Qt::Key_Escape); }},
            {EnterOnBeepOption, [&] { enterOn(b.cBell[0]); }},
            {EnterOnOk, [&] { enterOn(b.cOk); }},
            {ExpectStillOpen, [&] { EXPECT_TRUE(b.isVisible()); }}};
        for (const Step step : c.steps) {
            act.at(step)();
        }
        EXPECT_EQ(pair.EditBellFlag, c.handedFlag);
        EXPECT_EQ(pair.EditBellFile, c.handedFile);
    }
    EXPECT_EQ(asked.filter,
              QStringLiteral("すべてのファイル (*.*)|*.*|WAVファイル (*.wav)|*.wav|"));
    EXPECT_EQ(asked.filterIndex, 2);
    EXPECT_TRUE(asked.flags & OpenFileFlags::FileMustExist);
}

}  // namespace
