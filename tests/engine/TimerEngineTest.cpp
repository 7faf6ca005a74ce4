#include "engine/TimerEngine.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::string>;

constexpr std::int32_t Count = 111, Rest = 222;  // neither is a default colour

// Follows what the engine asks of the window and of the bells, in one sequence: it counts
// the requests and keeps the most recent few, since a run can take millions of ticks.
class TimerEngineTest : public ::testing::Test, protected TimerView, protected BellRinger {
protected:
    void record(std::string event) {
        ++eventCount;
        recent.push_back(std::move(event));
        if (recent.size() > RecentKept) {
            recent.pop_front();
        }
    }
    // The last n events, oldest first.
    Texts lastEvents(std::size_t n) const { return Texts(recent.end() - n, recent.end()); }

    void UpdateDisplay(const TimerState& state) override {
        shown = state;
        record("show " + clock() + " r" + std::to_string(state.Round));
    }
    void SetDisplayColor(std::int32_t c) override {
        color = c;
        record("color " + std::to_string(c));
    }
    void UpdateStartStop(bool) override { record("startstop"); }
    void SetTickSourceEnabled(bool on) override {
        running = on;
        record(on ? "ticks on" : "ticks off");
    }
    void RingBell(BellSlot slot) override {
        bellsRung.push_back(std::to_string(slot) + " at " + clock());
        record("bell " + bellsRung.back());
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
        engine.ResetRunFlag();
        engine.ClearTimer(*this);
        engine.StartStop(*this);
    }
    // Ticks only while running, as the tick source would: n times, or until maxBells bells
    // have rung. Returns the bells rung meanwhile.
    Texts ticks(int n, std::ptrdiff_t maxBells = 1'000'000) {
        bellsRung.clear();
        for (; n > 0 && running && std::ssize(bellsRung) < maxBells; --n) {
            engine.Tick(*this);
        }
        return std::move(bellsRung);
    }
    Texts nextBells(std::ptrdiff_t n) { return ticks(200'000, n); }

    TimerSettings settings{.IntFlag = 1, .Color = Count, .RestColor = Rest};
    TimerEngine engine{settings, *this};
    static constexpr std::size_t RecentKept = 8;
    std::deque<std::string> recent;
    std::size_t eventCount = 0;
    Texts bellsRung;  // "slot at clock", during ticks()
    std::int32_t color = -1;
    TimerState shown;  // as last shown
    bool running = false;
};

TEST_F(TimerEngineTest, RoundModeWithRestFollowsTheWorkedExample) {
    settings.FinFlag = 1;
    settings.FinNum = "2";
    start(3, 30, true);  // at program start the clear shows round 0 until the next refresh
    EXPECT_EQ(lastEvents(4), (Texts{"color 111", "show 00:00:00 r0", "ticks on", "startstop"}));
    EXPECT_EQ(eventCount, 4u);
    ticks(181);  // 00:03:00: bell, round 2, clock reset, rest begins
    ASSERT_EQ(eventCount, 4 + 179 + 4u);
    EXPECT_EQ(lastEvents(4),
              (Texts{"show 00:03:00 r1", "bell 0 at 00:03:00", "color 222", "show 00:00:01 r2"}));

    EXPECT_EQ(nextBells(1), Texts{"0 at 00:00:30"});  // rest ends
    EXPECT_EQ(color, Count);
    EXPECT_EQ(nextBells(1), (Texts{"0 at 00:03:00", "2 at 00:03:00"}));  // round 3 > 2: stop
    EXPECT_EQ(lastEvents(3), (Texts{"bell 2 at 00:03:00", "ticks off", "startstop"}));
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

TEST_F(TimerEngineTest, HandEditedAmountsBeyondTheDialogsRangesLandInsideTheDay) {
    start(30000, 32767, false);  // 500 hours, then a rest of 9:06:07
    EXPECT_EQ(nextBells(2), (Texts{"0 at 20:00:00", "0 at 05:06:07"}));
    start(-5, 30, false);
    EXPECT_EQ(nextBells(2), (Texts{"0 at 23:55:00", "0 at 23:55:30"}));
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
    struct Case {
        const char* finNum;
        std::size_t bells;     // rung within ten minutes
        const char* lastBell;  // of slot 2 when the timer stopped itself
    };
    const Case cases[] = {
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

}  // namespace
