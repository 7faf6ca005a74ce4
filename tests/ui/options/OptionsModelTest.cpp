#include "ui/options/OptionsModel.h"

#include <gtest/gtest.h>

#include <set>

#include "settings/SystemColorValues.h"

namespace {

using namespace SystemColor;

// The controls the enabling rules switch: the interval and rest fields, the stop fields and
// the bell rows (row 1 is never rung, so never editable).
enum Control {
    fRondelayMin,
    fRondelayNextFlag,
    fRondelayNextSec,
    fRondelayClearFlag,
    fTimerFinHour,
    fTimerFinMin,
    fTimerFinRound,
    cBellRef0,
    cBellRef1,
    cBellRef2
};
using Enabled = std::set<Control>;  // the rest are greyed

void ExpectEnabled(const OptionsModel& m, const Enabled& want) {
    const char* const names[] = {"fRondelayMin",       "fRondelayNextFlag", "fRondelayNextSec",
                                 "fRondelayClearFlag", "fTimerFinHour",     "fTimerFinMin",
                                 "fTimerFinRound",     "cBellRef(0)",       "cBellRef(1)",
                                 "cBellRef(2)"};
    const bool enabled[] = {m.fRondelayMin.enabled,     m.fRondelayNextFlag.enabled,
                            m.fRondelayNextSec.enabled, m.fRondelayClearFlag.enabled,
                            m.fTimerFinHour.enabled,    m.fTimerFinMin.enabled,
                            m.fTimerFinRound.enabled,   m.cBellRef[0].enabled,
                            m.cBellRef[1].enabled,      m.cBellRef[2].enabled};
    for (int c = fRondelayMin; c <= cBellRef2; ++c) {
        EXPECT_EQ(enabled[c], want.contains(Control(c))) << names[c];
    }
    // Greyed, a field and a bell row's mode take the grey colours.
    EXPECT_EQ(m.fRondelayMin.background,
              want.contains(fRondelayMin) ? WindowBackground : ButtonFace);
    EXPECT_EQ(m.cBellMode[0].foreColor, want.contains(cBellRef0) ? WindowText : GrayText);
}

const Enabled RoundModeWithRest{fRondelayMin,       fRondelayNextFlag, fRondelayNextSec,
                                fRondelayClearFlag, fTimerFinRound,    cBellRef0,
                                cBellRef2};
const Enabled NoInterval{fTimerFinHour, fTimerFinMin, cBellRef2};

// A click on one of the four tick boxes the enabling rules follow, and the value it leaves.
struct Click {
    void (OptionsModel::*box)(std::int16_t);
    std::int16_t value;
};
constexpr auto Interval = &OptionsModel::fRondelayFlag_Click;
constexpr auto Rest = &OptionsModel::fRondelayNextFlag_Click;
constexpr auto RoundClear = &OptionsModel::fRondelayClearFlag_Click;
constexpr auto Stop = &OptionsModel::fTimerFinFlag_Click;

class OptionsModelTest : public ::testing::Test {
protected:
    OptionsModel& open(const TimerSettings& stored) {
        settings = stored;
        return open();
    }
    OptionsModel& open() {
        model.emplace(settings, handOver).Form_Load();
        return *model;
    }

    TimerSettings settings;
    BellHandOver handOver;
    std::optional<OptionsModel> model;
};

TEST_F(OptionsModelTest, EachTickBoxEnablesExactlyTheFieldsThatDependOnIt) {
    const TimerSettings All{.IntFlag = 1, .NextFlag = 1, .ClearFlag = 1, .FinFlag = 1};
    const Enabled byTime{fRondelayMin, fRondelayNextFlag, fRondelayClearFlag, fTimerFinHour,
                         fTimerFinMin, cBellRef0,         cBellRef2};
    Enabled withRest = byTime;
    withRest.insert(fRondelayNextSec);
    Enabled noStop = RoundModeWithRest;
    noStop.erase(fTimerFinRound);
    noStop.erase(cBellRef2);
    const struct {
        const char* situation;
        TimerSettings stored;  // its tick boxes
        std::vector<Click> clicks;
        Enabled want;
    } cases[] = {
        {"round mode opens with only the rounds field of the stop",
         {.IntFlag = 1, .ClearFlag = 1, .FinFlag = 1},
         {},
         {fRondelayMin, fRondelayNextFlag, fRondelayClearFlag, fTimerFinRound, cBellRef0,
          cBellRef2}},
        {"hand-edited flags open ticked",
         {.IntFlag = 2, .NextFlag = 7},
         {},
         {fRondelayMin, fRondelayNextFlag, fRondelayNextSec, fRondelayClearFlag, cBellRef0}},
        {"a rest stored without the interval keeps its seconds enabled, its box greyed",
         {.NextFlag = 1},
         {},
         {fRondelayNextSec}},
        {"without the interval the stop is by time", {.FinFlag = 1}, {}, NoInterval},
        {"ticking the interval keeps the stop by time", {.FinFlag = 1}, {{Interval, 1}}, byTime},
        {"ticking the rest enables its seconds",
         {.FinFlag = 1},
         {{Interval, 1}, {Rest, 1}},
         withRest},
        {"ticking the round clear turns the stop to rounds",
         {.IntFlag = 1, .NextFlag = 1, .FinFlag = 1},
         {{RoundClear, 1}},
         RoundModeWithRest},
        {"unticking the interval greys all of it", All, {{Interval, 0}}, NoInterval},
        {"ticking the interval again keeps the other ticks",
         All,
         {{Interval, 0}, {Interval, 1}},
         RoundModeWithRest},
        {"unticking the stop greys its fields and its bell", All, {{Stop, 0}}, noStop},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.situation);
        OptionsModel& m = open(c.stored);
        for (const Click& click : c.clicks) {
            (m.*click.box)(click.value);
        }
        ExpectEnabled(m, c.want);
    }
}

TEST_F(OptionsModelTest, HandEditedFlagsShowTickedAndOkAppliesTheFlagRules) {
    OptionsModel& m = open({.IntFlag = 2, .ClearFlag = 1});
    EXPECT_EQ(m.fRondelayFlag.value, 1);
    m.fRondelayMin.text = "0";
    ASSERT_FALSE(m.cmdOK_Click());
    EXPECT_EQ(settings.IntFlag, 0);
}

TEST_F(OptionsModelTest, OkChecksTheFourFieldsInOrderAndWritesNothingOnFailure) {
    using namespace OptionsMessages;
    struct Typed {
        std::string interval, rest, hours, minutes;
        std::string message;  // empty: accepted
    };
    const Typed cases[] = {
        {"59.5", "61", "24", "60", IntervalMinutes},  // rounds to 60; only the first failure
        {"", "0", "0", "0", IntervalMinutes},
        {"65541", "0", "0", "0", IntervalMinutes},  // not 5: beyond 16 bits
        {"5", "61", "0", "0", RestSeconds},
        {"5", "-1", "-1", "-1", RestSeconds},
        {"5", "60", "24", "60", FinishHours},
        {"5", "60", "23", "60", FinishMinutes},
        {"\u3000５\u3000", "６０", "0.5", "57.5", ""},  // last: its values are checked below
    };
    for (const Typed& c : cases) {
        SCOPED_TRACE(c.interval + " / " + c.rest + " / " + c.hours + " / " + c.minutes);
        OptionsModel& m = open({});
        m.fRondelayMin.text = c.interval;
        m.fRondelayNextSec.text = c.rest;
        m.fTimerFinHour.text = c.hours;
        m.fTimerFinMin.text = c.minutes;
        EXPECT_EQ(m.cmdOK_Click().value_or(""), c.message);
        EXPECT_EQ(settings == TimerSettings{}, !c.message.empty());
    }
    // Halves go to the even neighbour.
    EXPECT_EQ(settings.IntMin, 5);
    EXPECT_EQ(settings.NextSec, 60);
    EXPECT_EQ(settings.FinHour, 0);
    EXPECT_EQ(settings.FinMin, 58);
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
