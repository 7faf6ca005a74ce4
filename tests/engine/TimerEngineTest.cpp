#include "engine/TimerEngine.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

namespace {

using Texts = std::vector<std::string>;

constexpr std::int32_t Count = 111, Rest = 222;  // neither is a default colour

// Records what the engine asks of the window and of the bells, in one sequence.
struct Recorder : TimerView, BellRinger {
    explicit Recorder(const TimerEngine& e) : engine(e) {}
    void UpdateDisplay() override {
        events.push_back("show " + clock() + " r" + std::to_string(engine.state().Round));
    }
    void SetDisplayColor(std::int32_t c) override {
        color = c;
        events.push_back("color " + std::to_string(c));
    }
    void UpdateStartStop() override { events.push_back("startstop"); }
    void SetTickSourceEnabled(bool on) override { events.push_back(on ? "ticks on" : "ticks off"); }
    void RingBell(BellSlot slot) override {
        bells.push_back(std::to_string(slot) + " at " + clock());
        events.push_back("bell " + bells.back());
    }
    std::string clock() const {
        const TimerState& s = engine.state();
        char text[32];
        std::snprintf(text, sizeof text, "%02d:%02d:%02d", s.ClockHour, s.ClockMin, s.ClockSec);
        return text;
    }

    const TimerEngine& engine;
    Texts events;
    Texts bells;  // "slot at clock"
    std::int32_t color = -1;
};

class TimerEngineTest : public ::testing::Test {
protected:
    TimerEngineTest() { engine.attachView(recorder); }

    // Sets the interval, with a rest unless nextSec is 0, and starts the timer the way the
    // main window's load step and Start button do.
    void start(std::int16_t intMin, std::int16_t nextSec, bool rounds) {
        settings.IntMin = intMin;
        settings.NextFlag = nextSec != 0;
        settings.NextSec = nextSec;
        settings.ClearFlag = rounds;
        engine.ResetRunFlag();
        engine.ClearTimer();
        engine.StartStop();
    }
    // Ticks only while running, as the tick source would.
    void ticks(int n) {
        for (int i = 0; i < n && engine.state().RunFlag; ++i) {
            engine.Tick();
        }
    }
    std::string tickToNextBell() {
        const auto rung = recorder.bells.size();
        for (int i = 0; i < 100000 && recorder.bells.size() == rung; ++i) {
            ticks(1);
        }
        return recorder.bells.size() == rung ? "no bell" : recorder.bells.back();
    }

    TimerSettings settings{.IntFlag = 1, .Color = Count, .RestColor = Rest};
    Recorder recorder{engine};
    TimerEngine engine{settings, recorder};
};

TEST_F(TimerEngineTest, RoundModeWithRestFollowsTheWorkedExample) {
    settings.FinFlag = 1;
    settings.FinNum = "2";
    start(3, 30, true);  // at program start the clear shows round 0 until the next refresh
    ticks(181);          // 00:03:00: bell, round 2, clock reset, rest begins
    ASSERT_EQ(recorder.events.size(), 4 + 179 + 4u);
    EXPECT_EQ(
        Texts(recorder.events.begin(), recorder.events.begin() + 5),
        (Texts{"color 111", "show 00:00:00 r0", "ticks on", "startstop", "show 00:00:01 r1"}));
    EXPECT_EQ(Texts(recorder.events.end() - 4, recorder.events.end()),
              (Texts{"show 00:03:00 r1", "bell 0 at 00:03:00", "color 222", "show 00:00:01 r2"}));

    EXPECT_EQ(tickToNextBell(), "0 at 00:00:30");  // rest ends
    EXPECT_EQ(recorder.color, Count);
    EXPECT_EQ(tickToNextBell(), "2 at 00:03:00");  // round 3 > 2: stop
    EXPECT_EQ(Texts(recorder.events.end() - 5, recorder.events.end()),
              (Texts{"show 00:03:00 r2", "bell 0 at 00:03:00", "bell 2 at 00:03:00", "ticks off",
                     "startstop"}));
}

TEST_F(TimerEngineTest, RestartOrClearDuringARestEndsItAndCountsOn) {
    start(3, 30, true);
    ticks(180 + 15);  // 00:00:15 of the rest
    engine.StartStop();
    engine.StartStop();
    EXPECT_EQ(tickToNextBell(), "0 at 00:03:30");  // the rest end's seconds are kept
    EXPECT_EQ(recorder.color, Rest);               // this bell began a rest: still the rest colour
    EXPECT_EQ(tickToNextBell(), "0 at 00:00:30");
    EXPECT_EQ(recorder.color, Count);

    ticks(180 + 10);  // into the next rest
    ASSERT_TRUE(engine.state().RestFlag);
    engine.ClearTimer();  // keeps running, from zero, in the counting colour
    EXPECT_EQ(recorder.color, Count);
    EXPECT_EQ(tickToNextBell(), "0 at 00:03:00");
    EXPECT_EQ(recorder.color, Rest);  // the clear ended the rest: this bell began one
}

TEST_F(TimerEngineTest, ContinuousModeMeasuresIntervalsFromEachRestEnd) {
    start(5, 30, false);
    ticks(16 * 60);
    EXPECT_EQ(recorder.bells, (Texts{"0 at 00:05:00", "0 at 00:05:30", "0 at 00:10:30",
                                     "0 at 00:11:00", "0 at 00:16:00"}));
    EXPECT_EQ(engine.state().Round, 1);
    EXPECT_EQ(recorder.color, Rest);  // the bell at 00:16:00 began a rest
}

TEST_F(TimerEngineTest, ClockWrapsAfterADayAndARestartPostponesTheBellPastMidnight) {
    start(5, 0, false);
    ticks(24 * 3600);
    EXPECT_EQ(recorder.bells.back(), "0 at 00:00:00");
    ticks(23 * 3600 + 58 * 60 + 10);
    engine.StartStop();
    engine.StartStop();  // five whole minutes from 23:58, not from the last bell
    EXPECT_EQ(tickToNextBell(), "0 at 00:03:00");
}

TEST_F(TimerEngineTest, ContinuousStopWinsOverABellOnTheSameTickAndRepeatsOnRestart) {
    settings.FinFlag = 1;
    settings.FinHour = 0;
    settings.FinMin = 2;
    start(2, 0, false);
    ticks(1000);
    EXPECT_EQ(recorder.bells, Texts{"2 at 00:02:00"});
    engine.StartStop();  // no clear: still in the finishing minute
    ticks(1000);
    EXPECT_EQ(recorder.bells, (Texts{"2 at 00:02:00", "2 at 00:02:01"}));
}

TEST_F(TimerEngineTest, RoundCountStopDependsOnTheRoundCountText) {
    // Bells within ten minutes; the last is slot 2 when the timer stopped itself. A round count
    // that is no number never stops the timer.
    const std::tuple<const char*, std::size_t, const char*> cases[] = {
        {"0", 1, "2 at 00:00:01"},         {"-1", 1, "2 at 00:00:01"},
        {"1", 2, "2 at 00:01:00"},         {"２", 3, "2 at 00:01:00"},
        {" 1.5 ", 2, "2 at 00:01:00"},     {"1e0", 2, "2 at 00:01:00"},
        {"abc", 10, "0 at 00:01:00"},      {"", 10, "0 at 00:01:00"},
        {"3 rounds", 10, "0 at 00:01:00"}, {"1,5", 10, "0 at 00:01:00"},
    };
    settings.FinFlag = 1;
    for (const auto& [finNum, bells, lastBell] : cases) {
        SCOPED_TRACE(finNum);
        settings.FinNum = finNum;
        recorder.bells.clear();
        start(1, 0, true);
        ticks(10 * 60);
        ASSERT_EQ(recorder.bells.size(), bells);
        EXPECT_EQ(recorder.bells.back(), lastBell);
    }
}

TEST_F(TimerEngineTest, RoundCounterSaturatesAndTheTimerKeepsRunning) {
    start(1, 0, true);
    ticks(60 * (32766 + 3));
    EXPECT_EQ(engine.state().Round, 32767);
    EXPECT_TRUE(engine.state().RunFlag);
    EXPECT_EQ(recorder.color, Count);  // no rest without NextFlag
}

TEST_F(TimerEngineTest, ScheduleSumsCarryAndWrapWithoutOverflow) {
    start(1, 60, false);  // a rest of a full minute
    EXPECT_EQ(tickToNextBell(), "0 at 00:01:00");
    EXPECT_EQ(tickToNextBell(), "0 at 00:02:00");
    start(30000, 32767, false);  // hand-edited: 500 hours, then a rest of 9:06:07
    EXPECT_EQ(tickToNextBell(), "0 at 20:00:00");
    EXPECT_EQ(tickToNextBell(), "0 at 05:06:07");
    start(-5, 30, false);  // lands inside the day
    EXPECT_EQ(tickToNextBell(), "0 at 23:55:00");
    EXPECT_EQ(tickToNextBell(), "0 at 23:55:30");
}

}  // namespace
