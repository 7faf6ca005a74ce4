#include "ui/options/OptionsModel.h"

#include <gtest/gtest.h>

#include <tuple>

#include "ui/platform/SystemColorValues.h"

namespace {

using namespace SystemColor;

class OptionsModelTest : public ::testing::Test {
protected:
    OptionsModel& open() {
        model.emplace(settings, handOver).Form_Load();
        return *model;
    }
    // Enabled states of the interval/rest fields, the stop fields and the three bell rows.
    std::string enabling() const {
        const OptionsModel& m = *model;
        auto bits = [](std::initializer_list<bool> states) {
            std::string s;
            for (bool on : states) {
                s += on ? '1' : '0';
            }
            return s;
        };
        return bits({m.fRondelayMin.enabled, m.fRondelayNextFlag.enabled,
                     m.fRondelayNextSec.enabled, m.fRondelayClearFlag.enabled}) +
               ' ' +
               bits({m.fTimerFinHour.enabled, m.fTimerFinMin.enabled, m.fTimerFinRound.enabled}) +
               ' ' + bits({m.cBellRef[0].enabled, m.cBellRef[1].enabled, m.cBellRef[2].enabled});
    }

    TimerSettings settings;
    BellHandOver handOver;
    std::optional<OptionsModel> model;
};

TEST_F(OptionsModelTest, FieldsOpenAndFollowTheEnablingRulesAndOnlyAmountsKeepFlags) {
    // Stored IntFlag, NextFlag, ClearFlag, FinFlag.
    using Flags = std::tuple<std::int16_t, std::int16_t, std::int16_t, std::int16_t>;
    const std::pair<Flags, const char*> loads[] = {
        {{1, 0, 1, 1}, "1101 001 101"},  // round mode; bell row 1 is never rung, so always greyed
        {{2, 7, 0, 0}, "1111 000 100"},  // hand-edited flags show ticked
        // Rest stored without interval: its fields open enabled, its box greyed.
        {{0, 1, 0, 0}, "0010 000 000"},
        {{0, 0, 0, 1}, "0000 110 001"},  // no interval: never round mode
    };
    for (const auto& [flags, expected] : loads) {
        std::tie(settings.IntFlag, settings.NextFlag, settings.ClearFlag, settings.FinFlag) = flags;
        open();
        EXPECT_EQ(enabling(), expected);
        EXPECT_LE(std::max(model->fRondelayFlag.value, model->fRondelayNextFlag.value), 1);
    }
    EXPECT_EQ(model->fRondelayMin.background, ButtonFace);
    EXPECT_EQ(model->cBellMode[0].foreColor, GrayText);

    // Clicked from the last load, only the stop ticked.
    using M = OptionsModel;
    const std::tuple<void (M::*)(std::int16_t), std::int16_t, const char*> clicks[] = {
        {&M::fRondelayFlag_Click, 1, "1101 110 101"},  // continuous: the time fields
        {&M::fRondelayNextFlag_Click, 1, "1111 110 101"},
        {&M::fRondelayClearFlag_Click, 1, "1111 001 101"},  // round mode: only the rounds field
        {&M::fRondelayFlag_Click, 0, "0000 110 001"},       // everything of the interval greys
        {&M::fRondelayFlag_Click, 1, "1111 001 101"},       // greyed boxes kept their ticks
        {&M::fTimerFinFlag_Click, 0, "1111 000 100"},
        {&M::fTimerFinFlag_Click, 1, "1111 001 101"},
    };
    for (const auto& [click, value, expected] : clicks) {
        ((*model).*click)(value);
        EXPECT_EQ(enabling(), expected);
    }
    EXPECT_EQ(model->fRondelayMin.background, WindowBackground);
    EXPECT_EQ(model->cBellMode[0].foreColor, WindowText);

    // Committed with all four amounts zero: each flag goes with its amount, in round mode too;
    // the round mode tick has no amount and stays.
    model->fRondelayMin.text = model->fTimerFinHour.text = "0";
    ASSERT_FALSE(model->cmdOK_Click());
    EXPECT_EQ(settings, (TimerSettings{.IntMin = 0, .ClearFlag = 1, .FinHour = 0}));
}

TEST_F(OptionsModelTest, OkChecksTheFourFieldsInOrderAndWritesNothingOnFailure) {
    using namespace OptionsMessages;
    // Interval, rest, hours and minutes as typed, and the message (empty: accepted).
    const std::array<std::string, 5> cases[] = {
        {"59.5", "61", "24", "60", IntervalMinutes},  // rounds to 60; only the first failure
        {"", "0", "0", "0", IntervalMinutes},
        {"65541", "0", "0", "0", IntervalMinutes},  // not 5: beyond 16 bits
        {"5", "61", "0", "0", RestSeconds},
        {"5", "-1", "-1", "-1", RestSeconds},
        {"5", "60", "24", "60", FinishHours},
        {"5", "60", "23", "60", FinishMinutes},
        {"\u3000５\u3000", "６０", "0.5", "57.5", ""},  // last: its values are checked below
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        OptionsModel& m = open();
        std::tie(m.fRondelayMin.text, m.fRondelayNextSec.text, m.fTimerFinHour.text,
                 m.fTimerFinMin.text) = std::tie(c[0], c[1], c[2], c[3]);
        EXPECT_EQ(m.cmdOK_Click().value_or(""), c[4]);
        EXPECT_EQ(settings == TimerSettings{}, !c[4].empty());
    }
    // Halves go to the even neighbour.
    EXPECT_EQ((std::array{settings.IntMin, settings.NextSec, settings.FinHour, settings.FinMin}),
              (std::array<std::int16_t, 4>{5, 60, 0, 58}));
}

TEST_F(OptionsModelTest, ColoursAreWrittenAtOnceBellRowsOnlyByOkAndTheRestAsLoaded) {
    settings = {.IntMin = 5, .NextSec = 30, .FinMin = 15, .FinNum = "three", .Color = 9};
    settings.BellFlag = {1, 0, 2};
    settings.BellFile = {"/committed.wav", "", "/kept.wav"};
    TimerSettings expected = settings;
    expected.Color = 0x00FF00;
    OptionsModel& m = open();
    EXPECT_EQ(std::pair(m.fRondelayColorSample, m.fRondelayNextColorSample), std::pair(9, 255));
    EXPECT_EQ(m.cBellMode[2].caption, "WAVファイル");  // a hand-edited flag
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

    // OK writes back every value as it was loaded, the round count's text too, and a flag ticked
    // while greyed: the rest has its seconds though the interval is off.
    open().cBellRef_Click(2, [this] { handOver.EditBellFlag = 1; });
    model->fRondelayNextFlag_Click(1);
    ASSERT_FALSE(model->cmdOK_Click());
    expected.BellFlag[2] = expected.NextFlag = 1;
    EXPECT_EQ(settings, expected);
}

}  // namespace
