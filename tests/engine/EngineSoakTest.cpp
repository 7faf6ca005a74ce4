#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "engine/TimerEngine.h"

namespace {

// Ten million ticks (SOAK_TICKS) of random settings in every mode, values outside the
// Options ranges included, with random clears and restarts between runs. Each tick is
// checked for what must always hold; the rules themselves are TimerEngineTest's. The run stops
// early after SOAK_SECONDS (120 unless told) so that a slow sanitizer build stays bounded, and says
// how far it got.
class EngineSoakTest : public ::testing::Test, protected TimerView, protected BellRinger {
protected:
    void UpdateDisplay(const TimerState& state) override {
        shown = state;
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

    // What holds after every tick whatever the settings: the fields in range, the round at 1
    // or more and counted only in round mode, bell 1 never rung, and the timer stopping by
    // itself exactly when it rings the finish bell.
    void checkTick(const TimerSettings& s, const TimerState& before, bool stopped) {
        ASSERT_TRUE(shown.ClockHour >= 0 && shown.ClockHour <= 23 && shown.ClockMin >= 0 &&
                    shown.ClockMin <= 59 && shown.ClockSec >= 0 && shown.ClockSec <= 59)
            << "clock " << shown.ClockHour << ':' << shown.ClockMin << ':' << shown.ClockSec;
        ASSERT_TRUE(shown.BellHour >= 0 && shown.BellHour <= 23 && shown.BellMin >= 0 &&
                    shown.BellMin <= 59 && shown.BellSec >= 0 && shown.BellSec <= 59)
            << "next bell " << shown.BellHour << ':' << shown.BellMin << ':' << shown.BellSec;
        ASSERT_GE(shown.Round, before.Round) << "the round never goes back between clears";
        ASSERT_GE(shown.Round, 1) << "round after a clear";
        if (s.IntFlag != 1 || s.ClearFlag != 1) {
            ASSERT_EQ(shown.Round, before.Round) << "rounds count only in round mode";
        }
        const bool finishRung = !rung.empty() && rung.back() == 2;
        using Bells = std::vector<BellSlot>;
        ASSERT_TRUE(rung.empty() || rung == Bells{0} || rung == Bells{2} || rung == (Bells{0, 2}))
            << rung.size() << " bells in one tick, the last " << int(rung.back());
        ASSERT_EQ(stopped, finishRung) << "the timer stops by itself with the finish bell";
    }

    // A clear shows the clock before it resets the round, which is 1 from then on.
    void clear(TimerEngine& engine) {
        engine.ClearTimer(*this);
        shown.Round = 1;
    }

    std::mt19937_64 random{static_cast<std::uint64_t>(fromEnvironment("SOAK_SEED", 20261207))};
    TimerState shown;
    bool tickSourceOn = false;
    std::vector<BellSlot> rung;
};

TEST_F(EngineSoakTest, TenMillionRandomTicksKeepEveryFieldInRangeAndStopOnlyWithTheFinishBell) {
    const long long ticks = fromEnvironment("SOAK_TICKS", 10'000'000);
    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::seconds(fromEnvironment("SOAK_SECONDS", 120));
    long long done = 0;
    int runs = 0;
    while (done < ticks && std::chrono::steady_clock::now() < deadline) {
        const TimerSettings settings = anySettings();
        TimerEngine engine(settings, *this);
        engine.ResetRunFlag();
        clear(engine);
        ++runs;
        // Runs of ten to three hundred thousand ticks; some wrap the day.
        const long long length =
            std::llround(std::pow(10.0, std::uniform_real_distribution<>(1.0, 5.5)(random)));
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
            if ((done & 0xFFFF) == 0 && std::chrono::steady_clock::now() >= deadline) {
                break;
            }
        }
        if (tickSourceOn && std::uniform_int_distribution<int>(0, 1)(random) == 0) {
            engine.StartStop(*this);  // stopped by the user
        }
        tickSourceOn = false;  // the next run's engine starts stopped
    }
    std::printf("soak: %lld ticks in %d runs\n", done, runs);
    EXPECT_EQ(done, ticks) << "time ran out (SOAK_SECONDS) before all ticks were done";
}

}  // namespace
