#include "ui/options/OptionsModel.h"

#include <gtest/gtest.h>

#include "ui/platform/SystemColorValues.h"

namespace {

using SystemColor::ButtonFace;
using SystemColor::GrayText;
using SystemColor::WindowBackground;
using SystemColor::WindowText;

class OptionsModelTest : public ::testing::Test {
protected:
    OptionsModel& open() {
        model.emplace(settings, handOver);
        model->Form_Load();
        return *model;
    }
    // Enabled states of the interval, rest and stop groups, as a user sees them.
    static std::string enabling(const OptionsModel& m) {
        std::string s;
        auto bit = [&s](bool on) { s += on ? '1' : '0'; };
        bit(m.fRondelayMin.enabled);
        bit(m.fRondelayNextFlag.enabled);
        bit(m.fRondelayNextSec.enabled);
        bit(m.fRondelayClearFlag.enabled);
        s += ' ';
        bit(m.fTimerFinHour.enabled);
        bit(m.fTimerFinMin.enabled);
        bit(m.fTimerFinRound.enabled);
        s += ' ';
        bit(m.cBellRef[0].enabled);
        bit(m.cBellRef[1].enabled);
        bit(m.cBellRef[2].enabled);
        return s;
    }

    TimerSettings settings;
    BellHandOver handOver;
    std::optional<OptionsModel> model;
};

TEST_F(OptionsModelTest, DefaultsShowEveryValueWithBellRowOneAlwaysGreyed) {
    OptionsModel& m = open();
    EXPECT_EQ(m.fRondelayMin.text, "1");
    EXPECT_EQ(m.fRondelayNextSec.text, "0");
    EXPECT_EQ(m.fTimerFinHour.text, "1");
    EXPECT_EQ(m.fTimerFinMin.text, "0");
    EXPECT_EQ(m.fTimerFinRound.text, "0");
    EXPECT_EQ(m.fRondelayColorSample, 0);
    EXPECT_EQ(m.fRondelayNextColorSample, 255);
    for (const auto& mode : m.cBellMode) {
        EXPECT_EQ(mode.caption, "ビープ音");
    }
    EXPECT_EQ(enabling(m), "0000 000 000");
    EXPECT_EQ(m.fRondelayMin.background, ButtonFace);
    EXPECT_FALSE(m.cBellTitle[1].enabled);
    EXPECT_EQ(m.cBellMode[1].foreColor, GrayText);
    EXPECT_TRUE(m.fTimerFinFlag.enabled);  // the stop box itself is always available
}

TEST_F(OptionsModelTest, StoredCombinationsOpenWithTheRightFieldsEnabled) {
    struct Case {
        std::int16_t intFlag, nextFlag, clearFlag, finFlag;
        const char* expected;
    };
    const Case cases[] = {
        {1, 0, 0, 0, "1101 000 100"},
        {1, 1, 0, 0, "1111 000 100"},
        {1, 0, 1, 1, "1101 001 101"},  // round mode: the stop counts rounds
        {1, 0, 0, 1, "1101 110 101"},  // continuous: the stop uses the time
        {0, 0, 1, 1, "0000 110 001"},  // no interval: never round mode
        // Rest stored without interval: its fields open enabled, its box greyed.
        {0, 1, 0, 0, "0010 000 000"},
        {2, 7, 0, 0, "1111 000 100"},  // hand-edited flags show ticked
    };
    for (const Case& c : cases) {
        settings.IntFlag = c.intFlag;
        settings.NextFlag = c.nextFlag;
        settings.ClearFlag = c.clearFlag;
        settings.FinFlag = c.finFlag;
        const std::string trace = std::to_string(c.intFlag) + std::to_string(c.nextFlag) +
                                  std::to_string(c.clearFlag) + std::to_string(c.finFlag);
        SCOPED_TRACE(trace);
        EXPECT_EQ(enabling(open()), c.expected);
        EXPECT_LE(model->fRondelayFlag.value, 1);
        EXPECT_LE(model->fRondelayNextFlag.value, 1);
    }
    settings.IntFlag = 0;
    settings.NextFlag = 1;
    OptionsModel& m = open();
    EXPECT_TRUE(m.fRondelayNextColor.enabled);
    m.fRondelayFlag_Click(1);
    m.fRondelayFlag_Click(0);  // the interval rule takes the rest fields back
    EXPECT_EQ(enabling(m), "0000 000 000");
}

TEST_F(OptionsModelTest, ClicksFollowTheEnablingRules) {
    OptionsModel& m = open();
    m.fRondelayFlag_Click(1);
    EXPECT_EQ(enabling(m), "1101 000 100");
    EXPECT_EQ(m.fRondelayMin.background, WindowBackground);
    EXPECT_EQ(m.cBellMode[0].foreColor, WindowText);

    m.fRondelayNextFlag_Click(1);
    EXPECT_EQ(enabling(m), "1111 000 100");
    m.fRondelayClearFlag_Click(1);
    m.fTimerFinFlag_Click(1);
    EXPECT_EQ(enabling(m), "1111 001 101");  // only the rounds field
    m.fRondelayClearFlag_Click(0);
    EXPECT_EQ(enabling(m), "1111 110 101");  // the time fields instead

    m.fRondelayClearFlag_Click(1);
    m.fRondelayFlag_Click(0);  // everything of the interval greys; the stop falls back to time
    EXPECT_EQ(enabling(m), "0000 110 001");
    EXPECT_EQ(m.fRondelayNextFlag.value, 1);  // greyed boxes keep their ticks
    m.fRondelayFlag_Click(1);
    EXPECT_EQ(enabling(m), "1111 001 101");

    m.fTimerFinFlag_Click(0);
    EXPECT_EQ(enabling(m), "1111 000 100");
    EXPECT_EQ(m.cBellMode[2].foreColor, GrayText);
}

TEST_F(OptionsModelTest, OkChecksTheFourFieldsInOrderAndWritesNothingOnFailure) {
    struct Case {
        const char *min, *rest, *hours, *minutes;
        const char* message;  // nullptr: accepted
    };
    using namespace OptionsMessages;
    const Case cases[] = {
        {"60", "0", "0", "0", IntervalMinutes},
        {"59.5", "0", "0", "0", IntervalMinutes},  // rounds to 60
        {"-1", "0", "0", "0", IntervalMinutes},
        {"abc", "0", "0", "0", IntervalMinutes},
        {"", "0", "0", "0", IntervalMinutes},
        {"99999", "0", "0", "0", IntervalMinutes},
        {"5", "61", "0", "0", RestSeconds},
        {"5", "60", "24", "0", FinishHours},
        {"5", "60", "23", "60", FinishMinutes},
        {"60", "61", "24", "60", IntervalMinutes},  // only the first failure
        {"5", "-1", "-1", "-1", RestSeconds},
        {"\u3000５\u3000", "６０", "0.5", "58.5", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.min) + "/" + c.rest + "/" + c.hours + "/" + c.minutes);
        settings = TimerSettings{};
        OptionsModel& m = open();
        m.fRondelayMin.text = c.min;
        m.fRondelayNextSec.text = c.rest;
        m.fTimerFinHour.text = c.hours;
        m.fTimerFinMin.text = c.minutes;
        const auto message = m.cmdOK_Click();
        if (c.message) {
            ASSERT_TRUE(message.has_value());
            EXPECT_EQ(*message, c.message);
            EXPECT_EQ(settings, TimerSettings{});
        } else {
            EXPECT_FALSE(message.has_value()) << *message;
            EXPECT_EQ(settings.IntMin, 5);
            EXPECT_EQ(settings.NextSec, 60);
            EXPECT_EQ(settings.FinHour, 0);  // halves go to the even neighbour
            EXPECT_EQ(settings.FinMin, 58);
        }
    }
}

TEST_F(OptionsModelTest, CommitKeepsAFlagOnlyWithANonZeroAmount) {
    OptionsModel& m = open();
    m.fRondelayFlag_Click(1);
    m.fRondelayNextFlag_Click(1);
    m.fRondelayClearFlag_Click(1);
    m.fTimerFinFlag_Click(1);
    m.fRondelayMin.text = "0";
    m.fRondelayNextSec.text = "0";
    m.fTimerFinHour.text = "0";
    m.fTimerFinMin.text = "0";
    m.fTimerFinRound.text = "";
    ASSERT_FALSE(m.cmdOK_Click());
    EXPECT_EQ(settings.IntFlag, 0);
    EXPECT_EQ(settings.NextFlag, 0);
    EXPECT_EQ(settings.FinFlag, 0);  // also in round mode with a round count
    EXPECT_EQ(settings.ClearFlag, 1);
    EXPECT_EQ(settings.FinNum, "");

    OptionsModel& again = open();
    EXPECT_EQ(again.fTimerFinRound.text, "");
    again.fRondelayNextFlag_Click(1);  // ticked while greyed: interval is off
    again.fRondelayNextSec.text = "30";
    again.fTimerFinHour.text = "1";
    again.fTimerFinRound.text = "three";
    ASSERT_FALSE(again.cmdOK_Click());
    EXPECT_EQ(settings.NextFlag, 1);
    EXPECT_EQ(settings.FinNum, "three");
}

TEST_F(OptionsModelTest, ColoursAreWrittenAtOnceAndSurviveCancel) {
    OptionsModel& m = open();
    m.ColorChosen(0x00FF00);
    EXPECT_EQ(settings.Color, 0x00FF00);
    EXPECT_EQ(m.fRondelayColorSample, 0x00FF00);
    m.RestColorChosen(std::nullopt);  // chooser cancelled
    EXPECT_EQ(settings.RestColor, 255);
    m.RestColorChosen(SystemColor::WindowText);
    EXPECT_EQ(settings.RestColor, SystemColor::WindowText);
    model.reset();  // Cancel: nothing else is written
    EXPECT_EQ(settings.Color, 0x00FF00);
}

TEST_F(OptionsModelTest, BellRowsStartFromTheCommittedSettingsAndCommitOnlyOnOk) {
    settings.BellFlag[0] = 1;
    settings.BellFile[0] = "/committed.wav";
    settings.BellFile[2] = "/kept.wav";
    OptionsModel& m = open();
    EXPECT_EQ(m.cBellMode[0].caption, "WAVファイル");

    m.cBellRef_Click(0, [this] {
        EXPECT_EQ(handOver.EditBellFlag, 1);
        EXPECT_EQ(handOver.EditBellFile, "/committed.wav");
        handOver.EditBellFlag = 0;  // confirmed: the beep
    });
    EXPECT_EQ(m.cBellMode[0].caption, "ビープ音");
    m.cBellRef_Click(0, [this] {
        // Seeded again from the committed slot, not from the row.
        EXPECT_EQ(handOver.EditBellFlag, 1);
    });  // cancelled: the committed setting comes back into the row
    EXPECT_EQ(m.WorkBellFlag[0], 1);
    EXPECT_EQ(m.cBellMode[0].caption, "WAVファイル");

    m.cBellRef_Click(2, [this] {
        handOver.EditBellFlag = 1;
        handOver.EditBellFile = "/gong.wav";
    });
    model.reset();  // Cancel: the record is untouched
    EXPECT_EQ(settings.BellFlag[2], 0);
    EXPECT_EQ(settings.BellFile[2], "/kept.wav");

    OptionsModel& again = open();
    again.cBellRef_Click(2, [this] { handOver.EditBellFlag = 1; });
    ASSERT_FALSE(again.cmdOK_Click());
    EXPECT_EQ(settings.BellFlag[2], 1);
    EXPECT_EQ(settings.BellFile[2], "/kept.wav");
}

}  // namespace
