#include "ui/options/OptionsModel.h"

#include <gtest/gtest.h>

#include "ui/platform/SystemColorValues.h"

namespace {

using namespace SystemColor;

class OptionsModelTest : public ::testing::Test {
protected:
    OptionsModel& open() {
        model.emplace(settings, handOver);
        model->Form_Load();
        return *model;
    }
    // Enabled states of the interval/rest fields, the stop fields and the three bell rows.
    std::string enabling() const {
        const OptionsModel& m = *model;
        std::string s;
        for (bool on : {m.fRondelayMin.enabled, m.fRondelayNextFlag.enabled,
                        m.fRondelayNextSec.enabled, m.fRondelayClearFlag.enabled,
                        m.fTimerFinHour.enabled, m.fTimerFinMin.enabled, m.fTimerFinRound.enabled,
                        m.cBellRef[0].enabled, m.cBellRef[1].enabled, m.cBellRef[2].enabled}) {
            s += on ? '1' : '0';
        }
        return s.insert(7, " ").insert(4, " ");
    }

    TimerSettings settings;
    BellHandOver handOver;
    std::optional<OptionsModel> model;
};

TEST_F(OptionsModelTest, OpensWithTheStoredValuesAndTheRightFieldsEnabled) {
    settings = {.IntMin = 5, .NextSec = 30, .FinHour = 2, .FinMin = 15, .FinNum = "", .Color = 9};
    settings.BellFlag = {1, 0, 2};
    OptionsModel& m = open();
    EXPECT_EQ((std::vector{m.fRondelayMin.text, m.fRondelayNextSec.text, m.fTimerFinHour.text,
                           m.fTimerFinMin.text, m.fTimerFinRound.text}),
              (std::vector<std::string>{"5", "30", "2", "15", ""}));
    EXPECT_EQ(m.fRondelayColorSample, 9);
    EXPECT_EQ(m.fRondelayNextColorSample, 255);
    EXPECT_EQ((std::array{m.cBellMode[0].caption, m.cBellMode[1].caption, m.cBellMode[2].caption}),
              (std::array<std::string, 3>{"WAVファイル", "ビープ音", "WAVファイル"}));
    EXPECT_EQ(m.fRondelayMin.background, ButtonFace);
    EXPECT_EQ(m.cBellMode[1].foreColor, GrayText);

    struct Case {
        std::int16_t intFlag, nextFlag, clearFlag, finFlag;
        const char* expected;
    };
    const Case cases[] = {
        {0, 0, 0, 0, "0000 000 000"},  // bell row 1 is never rung, so always greyed
        {1, 0, 1, 1, "1101 001 101"},  // round mode: the stop counts rounds
        {1, 0, 0, 1, "1101 110 101"},  // continuous: the stop uses the time
        {0, 0, 1, 1, "0000 110 001"},  // no interval: never round mode
        {2, 7, 0, 0, "1111 000 100"},  // hand-edited flags show ticked
        // Rest stored without interval: its fields open enabled, its box greyed.
        {0, 1, 0, 0, "0010 000 000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        settings.IntFlag = c.intFlag;
        settings.NextFlag = c.nextFlag;
        settings.ClearFlag = c.clearFlag;
        settings.FinFlag = c.finFlag;
        open();
        EXPECT_EQ(enabling(), c.expected);
        EXPECT_LE(model->fRondelayFlag.value, 1);
        EXPECT_LE(model->fRondelayNextFlag.value, 1);
    }
}

TEST_F(OptionsModelTest, ClicksFollowTheEnablingRules) {
    using M = OptionsModel;
    struct Step {
        void (M::*click)(std::int16_t);
        std::int16_t value;
        const char* expected;
    };
    const Step steps[] = {
        {&M::fRondelayFlag_Click, 1, "1101 000 100"},
        {&M::fRondelayNextFlag_Click, 1, "1111 000 100"},
        {&M::fRondelayClearFlag_Click, 1, "1111 000 100"},
        {&M::fTimerFinFlag_Click, 1, "1111 001 101"},       // only the rounds field
        {&M::fRondelayClearFlag_Click, 0, "1111 110 101"},  // the time fields instead
        {&M::fRondelayClearFlag_Click, 1, "1111 001 101"},
        // Everything of the interval greys; the stop falls back to the time.
        {&M::fRondelayFlag_Click, 0, "0000 110 001"},
        {&M::fRondelayFlag_Click, 1, "1111 001 101"},  // greyed boxes kept their ticks
        {&M::fTimerFinFlag_Click, 0, "1111 000 100"},
    };
    OptionsModel& m = open();
    for (const Step& step : steps) {
        (m.*step.click)(step.value);
        EXPECT_EQ(enabling(), step.expected) << "step " << &step - steps;
    }
    EXPECT_EQ(m.fRondelayMin.background, WindowBackground);
    EXPECT_EQ(m.cBellMode[0].foreColor, WindowText);
}

TEST_F(OptionsModelTest, OkChecksTheFourFieldsInOrderAndWritesNothingOnFailure) {
    struct Case {
        const char *min, *rest, *hours, *minutes;
        std::string message;  // empty: accepted
    };
    using namespace OptionsMessages;
    const Case cases[] = {
        {"60", "0", "0", "0", IntervalMinutes},
        {"59.5", "0", "0", "0", IntervalMinutes},  // rounds to 60
        {"-1", "0", "0", "0", IntervalMinutes},
        {"", "0", "0", "0", IntervalMinutes},
        {"65541", "0", "0", "0", IntervalMinutes},  // not 5: beyond 16 bits
        {"5", "61", "0", "0", RestSeconds},
        {"5", "60", "24", "0", FinishHours},
        {"5", "60", "23", "60", FinishMinutes},
        {"60", "61", "24", "60", IntervalMinutes},  // only the first failure
        {"5", "-1", "-1", "-1", RestSeconds},
        {"\u3000５\u3000", "６０", "0.5", "58.5", ""},  // last: its values are checked below
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases);
        settings = TimerSettings{};
        OptionsModel& m = open();
        m.fRondelayMin.text = c.min;
        m.fRondelayNextSec.text = c.rest;
        m.fTimerFinHour.text = c.hours;
        m.fTimerFinMin.text = c.minutes;
        EXPECT_EQ(m.cmdOK_Click().value_or(""), c.message);
        if (!c.message.empty()) {
            EXPECT_EQ(settings, TimerSettings{});
        }
    }
    // Halves go to the even neighbour.
    EXPECT_EQ((std::array{settings.IntMin, settings.NextSec, settings.FinHour, settings.FinMin}),
              (std::array<std::int16_t, 4>{5, 60, 0, 58}));
}

TEST_F(OptionsModelTest, CommitKeepsAFlagOnlyWithANonZeroAmount) {
    settings.IntFlag = settings.NextFlag = settings.ClearFlag = settings.FinFlag = 1;
    settings.IntMin = settings.FinHour = 0;  // all four amounts zero
    settings.FinNum = "";
    TimerSettings expected = settings;
    expected.IntFlag = expected.NextFlag = expected.FinFlag = 0;  // round mode too
    ASSERT_FALSE(open().cmdOK_Click());
    EXPECT_EQ(settings, expected);

    OptionsModel& again = open();
    again.fRondelayNextFlag_Click(1);  // ticked while greyed: the interval is off
    again.fRondelayNextSec.text = "30";
    again.fTimerFinRound.text = "three";
    ASSERT_FALSE(again.cmdOK_Click());
    EXPECT_EQ(settings.NextFlag, 1);
    EXPECT_EQ(settings.FinNum, "three");
}

TEST_F(OptionsModelTest, ColoursAreWrittenAtOnceBellRowsOnlyByOk) {
    settings.BellFlag[0] = 1;
    settings.BellFile = {"/committed.wav", "", "/kept.wav"};
    TimerSettings expected = settings;
    expected.Color = 0x00FF00;
    OptionsModel& m = open();
    m.ColorChosen(0x00FF00);
    m.RestColorChosen(std::nullopt);  // chooser cancelled
    EXPECT_EQ(m.fRondelayColorSample, 0x00FF00);

    m.cBellRef_Click(0, [this] {
        EXPECT_EQ(handOver.EditBellFlag, 1);
        EXPECT_EQ(handOver.EditBellFile, "/committed.wav");
        handOver.EditBellFlag = 0;  // confirmed: the beep
    });
    EXPECT_EQ(m.cBellMode[0].caption, "ビープ音");
    // Cancelled: seeded again from the committed slot, not the row, which takes it back.
    m.cBellRef_Click(0, [this] { EXPECT_EQ(handOver.EditBellFlag, 1); });
    EXPECT_EQ(m.cBellMode[0].caption, "WAVファイル");
    m.cBellRef_Click(2, [this] { handOver = {1, "/gong.wav"}; });
    model.reset();  // Cancel: only the colour was written
    EXPECT_EQ(settings, expected);

    open().cBellRef_Click(2, [this] { handOver.EditBellFlag = 1; });
    ASSERT_FALSE(model->cmdOK_Click());
    EXPECT_EQ(settings.BellFlag[2], 1);
    EXPECT_EQ(settings.BellFile[2], "/kept.wav");
}

}  // namespace
