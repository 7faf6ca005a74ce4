#include "engine/TimerEngine.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::string>;

constexpr std::int32_t Count = 111, Rest = 222;  // neither is a default colour

// Follows what the engine asks of the window and of the bells, in one sequence: the events since
// the start, or of the last tick once it ticks, as a run can take millions of ticks.
class TimerEngineTest : public ::testing::Test, protected TimerView, protected BellRinger {
protected:
    void UpdateDisplay(const TimerState& state) override {
        EXPECT_EQ(state.RunFlag, running) << "the tick source is on exactly while running";
        shown = state;
        events.push_back("show " + clock() + " r" + std::to_string(state.Round));
    }
    void SetDisplayColor(std::int32_t c) override {
        color = c;
        events.push_back("color " + std::to_string(c));
    }
    void UpdateStartStop(bool on) override {
        EXPECT_EQ(on, running) << "the Start/Stop caption follows the tick source";
        events.push_back("startstop");
    }
    void SetTickSourceEnabled(bool on) override {
        running = on;
        events.push_back(on ? "ticks on" : "ticks off");
    }
    void RingBell(BellSlot slot) override {
        slotsRung.push_back(slot);
        bellsRung.push_back(std::to_string(slot) + " at " + clock());
        events.push_back("bell " + bellsRung.back());
    }
    void PrepareBells() override {}
    // The clock as last shown; a bell rings after the tick's display.
    std::string clock() const {
        const TimerState& s = shown;
        char text[32];
        std::snprintf(text, sizeof text, "%02d:%02d:%02d", s.ClockHour, s.ClockMin, s.ClockSec);
        return text;
    }

    // Sets the interval, with a rest unless nextSec is 0, and starts the timer the way the
    // main window's load step and Start button do.
    void start(std::int16_t intMin, std::int16_t nextSec, bool rounds) {
        settings.IntMin = intMin;
        settings.NextFlag = nextSec != 0;
        settings.NextSec = nextSec;
        settings.ClearFlag = rounds;
        if (running) {
            engine.StartStop(*this);
        }
        events.clear();
        engine.ResetRunFlag();
        engine.ClearTimer(*this);
        engine.StartStop(*this);
    }
    // Ticks only while running, as the tick source would: n times, or until maxBells bells
    // have rung. Returns the bells rung meanwhile.
    Texts ticks(int n, std::ptrdiff_t maxBells = 1'000'000) {
        bellsRung.clear();
        for (; n > 0 && running && std::ssize(bellsRung) < maxBells; --n) {
            events.clear();
            engine.Tick(*this);
        }
        return std::move(bellsRung);
    }
    Texts nextBells(std::ptrdiff_t n) { return ticks(200'000, n); }

    TimerSettings settings{.IntFlag = 1, .Color = Count, .RestColor = Rest};
    TimerEngine engine{settings, *this};
    Texts events;
    Texts bellsRung;                  // "slot at clock", during ticks()
    std::vector<BellSlot> slotsRung;  // in the last tick of the random run
    std::int32_t color = -1;
    TimerState shown;  // as last shown
    bool running = false;
};

TEST_F(TimerEngineTest, RoundModeWithRestFollowsTheWorkedExample) {
    settings.FinFlag = 1;
    settings.FinNum = "2";
    start(3, 30, true);  // at program start the clear shows round 0 until the next refresh
    EXPECT_EQ(events, (Texts{"color 111", "show 00:00:00 r0", "ticks on", "startstop"}));
    ticks(179);
    EXPECT_EQ(events, Texts{"show 00:02:59 r1"});
    ticks(1);  // 00:03:00: bell, rest begins
    EXPECT_EQ(events, (Texts{"show 00:03:00 r1", "bell 0 at 00:03:00", "color 222"}));
    ticks(1);  // round 2, the clock counting from its reset
    EXPECT_EQ(events, Texts{"show 00:00:01 r2"});

    EXPECT_EQ(nextBells(1), Texts{"0 at 00:00:30"});  // rest ends
    EXPECT_EQ(color, Count);
    EXPECT_EQ(nextBells(1), (Texts{"0 at 00:03:00", "2 at 00:03:00"}));  // round 3 > 2: stop
    EXPECT_EQ(events, (Texts{"show 00:03:00 r2", "bell 0 at 00:03:00", "bell 2 at 00:03:00",
                             "ticks off", "startstop"}));
}

TEST_F(TimerEngineTest, RestartOrClearDuringARestEndsItAndCountsOn) {
    start(3, 30, true);
    ticks(180 + 15);  // 00:00:15 of the rest
    engine.StartStop(*this);
    engine.StartStop(*this);
    EXPECT_EQ(nextBells(1), Texts{"0 at 00:03:30"});  // the rest end's seconds are kept
    EXPECT_EQ(color, Rest);    // this bell began a rest: still the rest colour
    ticks(10);                 // into that rest
    engine.ClearTimer(*this);  // keeps running, from zero, in the counting colour
    EXPECT_EQ(color, Count);
    EXPECT_EQ(nextBells(1), Texts{"0 at 00:03:00"});
    EXPECT_EQ(color, Rest);  // the clear ended the rest: this bell began one
}

TEST_F(TimerEngineTest, ContinuousIntervalsCountOnFromEachRestEnd) {
    start(5, 30, false);
    EXPECT_EQ(nextBells(5), (Texts{"0 at 00:05:00", "0 at 00:05:30", "0 at 00:10:30",
                                   "0 at 00:11:00", "0 at 00:16:00"}));
    EXPECT_EQ(shown.Round, 1);
    EXPECT_EQ(color, Rest);  // the bell at 00:16:00 began a rest
    start(1, 60, false);     // a rest of a full minute
    EXPECT_EQ(nextBells(2), (Texts{"0 at 00:01:00", "0 at 00:02:00"}));
}

TEST_F(TimerEngineTest, TheClockWrapsAfterADayAndARestartCountsFromNow) {
    start(5, 0, false);
    EXPECT_EQ(ticks(24 * 3600).back(), "0 at 00:00:00");
    ticks(23 * 3600 + 58 * 60 + 10);
    engine.StartStop(*this);
    engine.StartStop(*this);  // five whole minutes from 23:58, not from the last bell
    EXPECT_EQ(nextBells(1), Texts{"0 at 00:03:00"});
}

TEST_F(TimerEngineTest, TheStopTimeWinsOverABellOnTheSameTick) {
    settings.FinFlag = 1;
    settings.FinHour = 0;
    settings.FinMin = 2;
    start(2, 0, false);
    EXPECT_EQ(ticks(1000), Texts{"2 at 00:02:00"});
    engine.StartStop(*this);  // no clear: still in the finishing minute, so it stops again at once
    EXPECT_EQ(ticks(1000), Texts{"2 at 00:02:01"});
}

TEST_F(TimerEngineTest, TheRoundCountTextDecidesTheStop) {
    const struct Case {
        const char* finNum;
        std::size_t bells;     // rung within ten minutes
        const char* lastBell;  // of slot 2 when the timer stopped itself
    } cases[] = {
        {"0", 1, "2 at 00:00:01"},
        {"-1", 1, "2 at 00:00:01"},
        {"1", 2, "2 at 00:01:00"},
        {"２", 3, "2 at 00:01:00"},
        {"1.5", 2, "2 at 00:01:00"},
        {"", 10, "0 at 00:01:00"},  // no number: the timer never stops itself
    };
    settings.FinFlag = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.finNum);
        settings.FinNum = c.finNum;
        start(1, 0, true);
        const Texts rung = ticks(10 * 60);
        EXPECT_EQ(rung.size(), c.bells);
        EXPECT_EQ(rung.empty() ? "" : rung.back(), c.lastBell);
    }
}

TEST_F(TimerEngineTest, TheRoundCounterSaturatesInsteadOfWrapping) {
    start(1, 0, true);
    ticks(60 * (32766 + 3));
    EXPECT_EQ(shown.Round, 32767);
}

// Ten million ticks of random settings, one value in five beyond the Options ranges, with random
// clears and restarts. After each: the clock and next bell inside the day, the round 1 or more,
// never back and counted only in round mode, bell 1 never rung, a stop only with the finish bell.
TEST_F(TimerEngineTest, RandomSettingsKeepEveryFieldInRangeAndStopOnlyWithTheFinishBell) {
    std::mt19937_64 random(20261207);
    auto any = [&](int low, int high) {
        return static_cast<std::int16_t>(std::uniform_int_distribution<int>(low, high)(random));
    };
    auto amount = [&](int high) { return any(0, 4) ? any(0, high) : any(INT16_MIN, INT16_MAX); };
    const std::array<std::string, 8> rounds = {"0", "1", "3", "-5", "2.5", "１０", "x", "32766"};
    auto inDay = [](int h, int m, int s) {
        return h >= 0 && h < 24 && m >= 0 && m < 60 && s >= 0 && s < 60;
    };
    for (long long done = 0; done < 10'000'000;) {
        settings.IntFlag = any(-1, 1);
        settings.FinFlag = any(-1, 1);
        settings.FinHour = amount(23);
        settings.FinMin = amount(59);
        settings.FinNum = rounds[static_cast<std::size_t>(any(0, rounds.size() - 1))];
        start(amount(10), amount(59), any(0, 1));  // short intervals, so that rounds add up
        shown.Round = 1;                           // the clear showed the round before it reset it
        // Runs of ten to three hundred thousand ticks; some wrap the day.
        for (auto n = std::llround(std::pow(10, std::uniform_real_distribution<>(1, 5.5)(random)));
             n > 0; --n, ++done) {
            if (!running) {
                if (any(0, 1)) {
                    engine.ClearTimer(*this);
                    shown.Round = 1;
                }
                engine.StartStop(*this);
                ASSERT_TRUE(running) << "Start switches the tick source on";
            }
            const TimerState before = shown;
            slotsRung.clear();
            ticks(1);
            ASSERT_TRUE(inDay(shown.ClockHour, shown.ClockMin, shown.ClockSec)) << "the clock";
            ASSERT_TRUE(inDay(shown.BellHour, shown.BellMin, shown.BellSec)) << "the next bell";
            ASSERT_GE(shown.Round, std::max<int>(before.Round, 1)) << "the round never goes back";
            if (settings.IntFlag != 1 || settings.ClearFlag != 1) {
                ASSERT_EQ(shown.Round, before.Round) << "rounds count only in round mode";
            }
            using Bells = std::vector<BellSlot>;
            ASSERT_TRUE(slotsRung.empty() || slotsRung == Bells{0} || slotsRung == Bells{2} ||
                        slotsRung == (Bells{0, 2}))
                << slotsRung.size() << " bells in one tick";
            ASSERT_EQ(!running, !slotsRung.empty() && slotsRung.back() == 2)
                << "the timer stops by itself with the finish bell";
        }
    }
}

}  // namespace
