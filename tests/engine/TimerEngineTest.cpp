#include "engine/TimerEngine.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// Records what the engine asks of the window and of the bells, in one sequence.
class Recorder : public TimerView, public BellRinger {
public:
    explicit Recorder(const TimerEngine*& engine) : m_engine(engine) {}

    void UpdateDisplay() override {
        const TimerState& s = m_engine->state();
        shownClock = clockText(s);
        shown = shownClock + " r" + std::to_string(s.Round);
        events.push_back("show " + shown);
    }
    void SetDisplayColor(std::int32_t c) override {
        color = c;
        events.push_back("color " + std::to_string(c));
    }
    void UpdateStartStop() override { events.push_back("startstop"); }
    void SetTickSourceEnabled(bool on) override {
        ticking = on;
        events.push_back(on ? "ticks on" : "ticks off");
    }
    void RingBell(BellSlot slot) override {
        bells.push_back(slot);
        events.push_back("bell " + std::to_string(slot) + " at " + clockText(m_engine->state()));
    }

    static std::string clockText(const TimerState& s) {
        char text[32];
        std::snprintf(text, sizeof text, "%02d:%02d:%02d", s.ClockHour, s.ClockMin, s.ClockSec);
        return text;
    }

    std::vector<std::string> events;
    std::vector<BellSlot> bells;
    std::string shown;
    std::string shownClock;
    std::int32_t color = -1;
    bool ticking = false;

private:
    const TimerEngine*& m_engine;
};

constexpr std::int32_t Count = 0x112233;
constexpr std::int32_t Rest = 0x0000FF;

class TimerEngineTest : public ::testing::Test {
protected:
    TimerEngineTest() : recorder(enginePtr), engine(settings, recorder) {
        enginePtr = &engine;
        engine.attachView(recorder);
        settings.Color = Count;
        settings.RestColor = Rest;
    }

    // As the main window's load step leaves it, then started.
    void clearAndStart() {
        engine.ClearTimer();
        engine.StartStop();
        recorder.events.clear();
        recorder.bells.clear();
    }
    void ticks(int n) {
        for (int i = 0; i < n; ++i) {
            engine.Tick();
        }
    }
    // Ticks until the next bell; returns the time shown by that tick.
    std::string tickToNextBell(int limit = 100000) {
        const auto before = recorder.bells.size();
        for (int i = 0; i < limit && recorder.ticking; ++i) {
            engine.Tick();
            if (recorder.bells.size() != before) {
                return recorder.shownClock;
            }
        }
        return "no bell";
    }
    void roundModeWithRest(int intMin, int nextSec) {
        settings.IntFlag = 1;
        settings.IntMin = static_cast<std::int16_t>(intMin);
        settings.NextFlag = 1;
        settings.NextSec = static_cast<std::int16_t>(nextSec);
        settings.ClearFlag = 1;
    }

    TimerSettings settings;
    const TimerEngine* enginePtr = nullptr;
    Recorder recorder;
    TimerEngine engine;
};

TEST_F(TimerEngineTest, ClearShowsZeroTimeWithTheOldRoundThenSetsRoundOne) {
    engine.ClearTimer();
    EXPECT_EQ(recorder.shown, "00:00:00 r0");  // program start: the round shows 0
    EXPECT_EQ(engine.state().Round, 1);
    EXPECT_EQ(recorder.color, Count);
    EXPECT_FALSE(engine.state().RunFlag);
}

TEST_F(TimerEngineTest, ClearWhileRunningKeepsRunningFromZeroInCountingColour) {
    roundModeWithRest(3, 30);
    clearAndStart();
    ticks(180 + 10);  // into the rest of round 2
    ASSERT_TRUE(engine.state().RestFlag);
    engine.ClearTimer();
    EXPECT_TRUE(engine.state().RunFlag);
    EXPECT_TRUE(recorder.ticking);
    EXPECT_EQ(recorder.color, Count);
    EXPECT_EQ(engine.state().Round, 1);
    EXPECT_EQ(tickToNextBell(), "00:03:00");
}

TEST_F(TimerEngineTest, StartAndStopSwitchTheTickSourceAndAppearance) {
    engine.ClearTimer();
    recorder.events.clear();
    engine.StartStop();
    engine.StartStop();
    EXPECT_EQ(recorder.events,
              (std::vector<std::string>{"ticks on", "startstop", "ticks off", "startstop"}));
}

TEST_F(TimerEngineTest, RoundModeWithRestFollowsTheWorkedExample) {
    roundModeWithRest(3, 30);
    settings.FinFlag = 1;
    settings.FinNum = "2";
    clearAndStart();

    ticks(179);
    EXPECT_TRUE(recorder.events.size() == 179 && recorder.bells.empty());
    recorder.events.clear();
    engine.Tick();  // 00:03:00: bell, round 2, clock reset, rest begins
    EXPECT_EQ(recorder.events,
              (std::vector<std::string>{"show 00:03:00 r1", "bell 0 at 00:03:00", "color 255"}));
    recorder.events.clear();
    engine.Tick();
    EXPECT_EQ(recorder.shown, "00:00:01 r2");

    EXPECT_EQ(tickToNextBell(), "00:00:30");  // rest ends
    EXPECT_EQ(recorder.color, Count);
    EXPECT_EQ(engine.state().Round, 2);

    EXPECT_EQ(tickToNextBell(), "00:03:00");  // round 3 > 2: stop
    ASSERT_GE(recorder.events.size(), 5u);
    EXPECT_EQ(std::vector<std::string>(recorder.events.end() - 5, recorder.events.end()),
              (std::vector<std::string>{"show 00:03:00 r2", "bell 0 at 00:03:00",
                                        "bell 2 at 00:03:00", "ticks off", "startstop"}));
    EXPECT_FALSE(engine.state().RunFlag);
}

TEST_F(TimerEngineTest, ContinuousModeMeasuresIntervalsFromEachRestEnd) {
    settings.IntFlag = 1;
    settings.IntMin = 5;
    settings.NextFlag = 1;
    settings.NextSec = 30;
    clearAndStart();
    std::vector<std::string> times;
    for (int i = 0; i < 5; ++i) {
        times.push_back(tickToNextBell());
    }
    EXPECT_EQ(times, (std::vector<std::string>{"00:05:00", "00:05:30", "00:10:30", "00:11:00",
                                               "00:16:00"}));
    EXPECT_EQ(engine.state().Round, 1);
    EXPECT_EQ(recorder.color, Rest);  // the bell at 00:16:00 began a rest
}

TEST_F(TimerEngineTest, RestartingMidIntervalPostponesTheBell) {
    settings.IntFlag = 1;
    settings.IntMin = 5;
    clearAndStart();
    ticks(130);  // 00:02:10
    engine.StartStop();
    engine.StartStop();
    EXPECT_EQ(tickToNextBell(), "00:07:00");
}

TEST_F(TimerEngineTest, RestartAfterStopDuringRestCountsOnInRestColour) {
    roundModeWithRest(3, 30);
    clearAndStart();
    ticks(180 + 15);  // 00:00:15 of the rest
    engine.StartStop();
    engine.StartStop();
    EXPECT_FALSE(engine.state().RestFlag);
    EXPECT_EQ(tickToNextBell(), "00:03:30");
    EXPECT_EQ(recorder.color, Rest);  // this bell began a rest: still the rest colour
    EXPECT_EQ(tickToNextBell(), "00:00:30");
    EXPECT_EQ(recorder.color, Count);
}

TEST_F(TimerEngineTest, WithoutRestTheNextBellIsScheduledAtOnce) {
    settings.IntFlag = 1;
    settings.IntMin = 2;
    settings.ClearFlag = 1;
    clearAndStart();
    EXPECT_EQ(tickToNextBell(), "00:02:00");
    EXPECT_EQ(tickToNextBell(), "00:02:00");
    EXPECT_EQ(engine.state().Round, 3);
    EXPECT_EQ(recorder.color, Count);
}

TEST_F(TimerEngineTest, RestOfSixtySecondsEndsAtOneMinute) {
    roundModeWithRest(1, 60);
    clearAndStart();
    EXPECT_EQ(tickToNextBell(), "00:01:00");
    EXPECT_EQ(tickToNextBell(), "00:01:00");
    EXPECT_FALSE(engine.state().RestFlag);
}

TEST_F(TimerEngineTest, ClockWrapsAfterADayAndTheBellFollowsItRoundTheClock) {
    clearAndStart();
    ticks(24 * 3600 - 1);
    EXPECT_EQ(recorder.shown, "23:59:59 r1");
    engine.Tick();
    EXPECT_EQ(recorder.shown, "00:00:00 r1");

    settings.IntFlag = 1;
    settings.IntMin = 5;
    ticks(23 * 3600 + 58 * 60);
    engine.StartStop();
    engine.StartStop();  // schedules from 23:58
    EXPECT_EQ(engine.state().BellHour, 0);
    EXPECT_EQ(engine.state().BellMin, 3);
    EXPECT_EQ(tickToNextBell(), "00:03:00");
}

TEST_F(TimerEngineTest, ContinuousStopWinsOverABellOnTheSameTickAndRepeatsOnRestart) {
    settings.IntFlag = 1;
    settings.IntMin = 2;
    settings.FinFlag = 1;
    settings.FinHour = 0;
    settings.FinMin = 2;
    clearAndStart();
    EXPECT_EQ(tickToNextBell(), "00:02:00");
    EXPECT_EQ(recorder.bells, std::vector<BellSlot>{2});
    EXPECT_FALSE(engine.state().RunFlag);

    engine.StartStop();  // no clear: still in the finishing minute
    EXPECT_EQ(tickToNextBell(), "00:02:01");
    EXPECT_EQ(recorder.bells, (std::vector<BellSlot>{2, 2}));
    EXPECT_EQ(recorder.shown, "00:02:01 r1");
}

TEST_F(TimerEngineTest, RoundCountStopDependsOnTheRoundCountText) {
    struct Case {
        const char* finNum;
        const char* stopsAt;  // clock when the timer stops itself
        int bellsBeforeStop;  // slot-0 bells rung before slot 2
    };
    const Case cases[] = {
        {"0", "00:00:01", 0},  {"-1", "00:00:01", 0},    {"1", "00:01:00", 1},
        {"２", "00:01:00", 2}, {" 1.5 ", "00:01:00", 1}, {"1e0", "00:01:00", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.finNum);
        TimerSettings s;
        s.IntFlag = 1;
        s.IntMin = 1;
        s.ClearFlag = 1;
        s.FinFlag = 1;
        s.FinNum = c.finNum;
        settings = s;
        recorder.ticking = true;
        clearAndStart();
        std::string stoppedAt;
        for (int i = 0; i < 1000 && engine.state().RunFlag; ++i) {
            engine.Tick();
            stoppedAt = recorder.shownClock;
        }
        EXPECT_EQ(stoppedAt, c.stopsAt);
        ASSERT_FALSE(recorder.bells.empty());
        EXPECT_EQ(recorder.bells.back(), 2);
        EXPECT_EQ(static_cast<int>(recorder.bells.size()) - 1, c.bellsBeforeStop);
        if (engine.state().RunFlag) {
            engine.StartStop();
        }
    }
}

TEST_F(TimerEngineTest, RoundCountThatIsNoNumberNeverStopsTheTimer) {
    settings.IntFlag = 1;
    settings.IntMin = 1;
    settings.ClearFlag = 1;
    settings.FinFlag = 1;
    for (const char* text : {"abc", "", "3 rounds", "1,5"}) {
        SCOPED_TRACE(text);
        settings.FinNum = text;
        clearAndStart();
        ticks(10 * 60);
        EXPECT_TRUE(engine.state().RunFlag);
        EXPECT_EQ(engine.state().Round, 11);
        engine.StartStop();
    }
}

TEST_F(TimerEngineTest, RoundCounterSaturatesAndTheTimerKeepsRunning) {
    settings.IntFlag = 1;
    settings.IntMin = 1;
    settings.ClearFlag = 1;
    clearAndStart();
    ticks(60 * 32766);
    EXPECT_EQ(engine.state().Round, 32767);
    ticks(60 * 3);
    EXPECT_EQ(engine.state().Round, 32767);
    EXPECT_TRUE(engine.state().RunFlag);
    EXPECT_EQ(recorder.shown, "00:01:00 r32767");
}

TEST_F(TimerEngineTest, HandEditedScheduleSettingsOutOfRangeDoNotOverflow) {
    settings.IntFlag = 1;
    settings.IntMin = 30000;  // 500 hours: 20:00 on the clock
    settings.NextFlag = 1;
    settings.NextSec = 32767;  // 9:06:07 after the bell
    clearAndStart();
    EXPECT_EQ(engine.state().BellHour, 20);
    EXPECT_EQ(engine.state().BellMin, 0);
    EXPECT_EQ(tickToNextBell(), "20:00:00");
    EXPECT_EQ(tickToNextBell(), "05:06:07");

    settings.IntMin = -5;  // lands inside the day instead of at an unreachable time
    engine.ClearTimer();
    EXPECT_EQ(engine.state().BellHour, 23);
    EXPECT_EQ(engine.state().BellMin, 55);
}

}  // namespace
