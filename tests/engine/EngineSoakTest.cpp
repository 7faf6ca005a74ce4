#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "engine/TimerEngine.h"
#include "settings/NumberText.h"

namespace {

// Ten million ticks (SOAK_TICKS) of random settings in every mode, values outside the
// Options ranges included, with random clears and restarts between runs. Each tick is
// checked against the rules; the run stops early after SOAK_SECONDS (120 unless told) so that
// a slow sanitizer build stays bounded, and says how far it got.
class EngineSoakTest : public ::testing::Test, protected TimerView, protected BellRinger {
protected:
    void UpdateDisplay(const TimerState& state) override {
        shown = state;
        ++displays;
        EXPECT_EQ(state.RunFlag, tickSourceOn) << "the tick source is on exactly while running";
    }
    void SetDisplayColor(std::int32_t) override {}
    void UpdateStartStop(bool running) override {
        EXPECT_EQ(running, tickSourceOn) << "the Start/Stop caption follows the tick source";
    }
    void SetTickSourceEnabled(bool on) override { tickSourceOn = on; }
    void RingBell(BellSlot slot) override { rung.push_back(slot); }
    void PrepareBells() override {}

    static long long fromEnvironment(const char* name, long long fallback) {
        const char* text = std::getenv(name);
        return text != nullptr ? std::atoll(text) : fallback;
    }

    // Mostly values the Options dialog allows, sometimes anything a hand-edited file holds.
    std::int16_t anyAmount(int low, int high) {
        if (std::uniform_int_distribution<int>(0, 4)(random) == 0) {
            return static_cast<std::int16_t>(std::uniform_int_distribution<int>(
                std::numeric_limits<std::int16_t>::min(),
                std::numeric_limits<std::int16_t>::max())(random));
        }
        return static_cast<std::int16_t>(std::uniform_int_distribution<int>(low, high)(random));
    }
    std::int16_t anyFlag() {
        const int pick = std::uniform_int_distribution<int>(0, 5)(random);
        return static_cast<std::int16_t>(pick < 3 ? 0 : pick < 5 ? 1 : -1);
    }
    TimerSettings anySettings() {
        TimerSettings s;
        s.IntFlag = anyFlag();
        s.IntMin = anyAmount(0, 10);  // short intervals, so that rounds add up
        s.NextFlag = anyFlag();
        s.NextSec = anyAmount(0, 59);
        s.ClearFlag = anyFlag();
        s.FinFlag = anyFlag();
        s.FinHour = anyAmount(0, 23);
        s.FinMin = anyAmount(0, 59);
        const std::vector<std::string> rounds = {"0",    "1", "3", "40000", "-5",   "2.5",
                                                 "１０", "x", "",  "1e9",   "32766"};
        s.FinNum = rounds[std::uniform_int_distribution<std::size_t>(0, rounds.size() - 1)(random)];
        return s;
    }

    // The bells one tick must ring, from the clock and round it showed and whether it stopped:
    // bell 0 at an interval or rest end, bell 2 at the finish, which comes at the finish time,
    // or in round mode once the round passes the round count (checked before the interval
    // step, and again after a round is counted there).
    void checkTick(const TimerSettings& s, const TimerState& before, bool stopped) {
        const bool atBell = shown.ClockHour == shown.BellHour && shown.ClockMin == shown.BellMin &&
                            shown.ClockSec == shown.BellSec;
        const bool roundMode = s.IntFlag == 1 && s.ClearFlag == 1;
        const auto roundCount = ParseNumberText(s.FinNum);
        const bool stopByRounds = s.FinFlag != 0 && roundMode && roundCount.has_value();
        const bool finishedBefore =
            s.FinFlag != 0 &&
            (roundMode ? stopByRounds && shown.Round > *roundCount
                       : shown.ClockHour == s.FinHour && shown.ClockMin == s.FinMin);
        std::vector<BellSlot> expected;
        bool expectStop = finishedBefore;
        if (finishedBefore) {
            expected = {2};
        } else if (s.IntFlag != 0 && atBell) {
            expected = {0};
            const bool counts = roundMode && (s.NextFlag == 0 || !shown.RestFlag);
            const int round = std::min<int>(shown.Round + (counts ? 1 : 0),
                                            std::numeric_limits<std::int16_t>::max());
            if (counts && stopByRounds && round > *roundCount) {
                expected.push_back(2);
                expectStop = true;
            }
        }
        ASSERT_EQ(rung, expected) << "bells of the tick at " << shown.ClockHour << ':'
                                  << shown.ClockMin << ':' << shown.ClockSec << ", round "
                                  << shown.Round;
        ASSERT_EQ(stopped, expectStop) << "the timer stops only at its finish";
        ASSERT_TRUE(shown.ClockHour >= 0 && shown.ClockHour <= 23 && shown.ClockMin >= 0 &&
                    shown.ClockMin <= 59 && shown.ClockSec >= 0 && shown.ClockSec <= 59)
            << "clock " << shown.ClockHour << ':' << shown.ClockMin << ':' << shown.ClockSec;
        ASSERT_TRUE(shown.BellHour >= 0 && shown.BellHour <= 23 && shown.BellMin >= 0 &&
                    shown.BellMin <= 59 && shown.BellSec >= 0 && shown.BellSec <= 59)
            << "next bell " << shown.BellHour << ':' << shown.BellMin << ':' << shown.BellSec;
        ASSERT_GE(shown.Round, before.Round) << "the round never goes back between clears";
        ASSERT_GE(shown.Round, 1) << "round after a clear";
        if (!roundMode) {
            ASSERT_EQ(shown.Round, before.Round) << "rounds count only in round mode";
        }
    }

    // A clear shows the clock before it resets the round, which is 1 from then on.
    void clear(TimerEngine& engine) {
        engine.ClearTimer(*this);
        shown.Round = 1;
    }

    std::mt19937_64 random{static_cast<std::uint64_t>(fromEnvironment("SOAK_SEED", 20261207))};
    TimerState shown;
    long long displays = 0;
    bool tickSourceOn = false;
    std::vector<BellSlot> rung;
};

TEST_F(EngineSoakTest, TenMillionRandomTicksKeepEveryFieldInRangeAndRingOnlyTheRuledBells) {
    const long long ticks = fromEnvironment("SOAK_TICKS", 10'000'000);
    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::seconds(fromEnvironment("SOAK_SECONDS", 120));
    long long done = 0;
    int runs = 0;
    short highestRound = 0;
    while (done < ticks && std::chrono::steady_clock::now() < deadline) {
        // The first run counts a round a minute without end, up to the round counter's limit.
        const bool first = runs == 0;
        const TimerSettings settings =
            first ? TimerSettings{.IntFlag = 1, .IntMin = 1, .ClearFlag = 1} : anySettings();
        TimerEngine engine(settings, *this);
        engine.ResetRunFlag();
        clear(engine);
        ++runs;
        // Runs of ten to three hundred thousand ticks (some wrap the day); the first, longer.
        const long long length =
            first
                ? 2'100'000
                : std::llround(std::pow(10.0, std::uniform_real_distribution<>(1.0, 5.5)(random)));
        for (long long n = 0; n < length && done < ticks; ++n, ++done) {
            if (!tickSourceOn) {
                if (std::uniform_int_distribution<int>(0, 1)(random) == 0) {
                    clear(engine);
                }
                engine.StartStop(*this);
                ASSERT_TRUE(tickSourceOn) << "Start switches the tick source on";
            }
            const TimerState before = shown;
            rung.clear();
            engine.Tick(*this);
            ASSERT_NO_FATAL_FAILURE(checkTick(settings, before, !tickSourceOn));
            highestRound = std::max(highestRound, shown.Round);
            if ((done & 0xFFFF) == 0 && std::chrono::steady_clock::now() >= deadline) {
                break;
            }
        }
        ASSERT_TRUE(rung.empty() || rung.back() != 1) << "bell 1 is never rung";
        if (tickSourceOn && std::uniform_int_distribution<int>(0, 1)(random) == 0) {
            engine.StartStop(*this);  // stopped by the user
        }
        tickSourceOn = false;  // the next run's engine starts stopped
    }
    std::printf("soak: %lld ticks in %d runs, highest round %d\n", done, runs, highestRound);
    EXPECT_EQ(done, ticks) << "time ran out (SOAK_SECONDS) before all ticks were done";
    EXPECT_EQ(highestRound, std::numeric_limits<std::int16_t>::max())
        << "the first run reaches the round counter's limit";
}

}  // namespace
