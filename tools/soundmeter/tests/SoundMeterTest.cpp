#include <gtest/gtest.h>

#include <cmath>

#include "soundmeter/HeardBells.h"

namespace {

using Clock = SinkRecorder::Clock;
using namespace std::chrono_literals;

constexpr int kRate = SinkRecorder::kRate;
const Clock::time_point kStart = Clock::now();

// A recording that holds `hertz` tones at the given moments, silence elsewhere.
struct Tone {
    std::chrono::milliseconds from;
    std::chrono::milliseconds length;
    double hertz = 440;
    double amplitude = 10000;
};
SinkRecorder Recording(std::chrono::milliseconds total, const std::vector<Tone>& tones) {
    std::vector<std::int16_t> samples(static_cast<std::size_t>(total.count() * kRate / 1000));
    for (const Tone& t : tones) {
        const auto first = static_cast<std::size_t>(t.from.count() * kRate / 1000);
        const auto count = static_cast<std::size_t>(t.length.count() * kRate / 1000);
        for (std::size_t i = 0; i < count && first + i < samples.size(); ++i) {
            samples[first + i] =
                static_cast<std::int16_t>(t.amplitude * std::sin(2 * M_PI * t.hertz * i / kRate));
        }
    }
    return SinkRecorder(std::move(samples), kStart);
}

WantedBell Bell(std::chrono::milliseconds at, double seconds, double hertz) {
    return {kStart + at, {seconds, hertz}, true, "bell at " + std::to_string(at.count())};
}

TEST(SoundMeter, ABellIsHeardWholeAtItsPitchAndTimeThroughAServersDropout) {
    // The second bell has 20 ms of silence inside it, as when the server missed a cycle, with
    // a resampler's ringing at both edges. The last two follow each other 10 ms apart.
    const SinkRecorder rec = Recording(3s, {{500ms, 250ms},
                                            {1500ms, 140ms, 660},
                                            {1640ms, 1ms, 15000, 3000},
                                            {1659ms, 1ms, 15000, 3000},
                                            {1660ms, 120ms, 660},
                                            {2000ms, 250ms},
                                            {2260ms, 250ms}});
    const BellVerdict v = JudgeBells(rec,
                                     {Bell(480ms, 0.25, 440), Bell(1480ms, 0.28, 660),
                                      Bell(1980ms, 0.25, 440), Bell(2240ms, 0.25, 440)},
                                     80);
    EXPECT_EQ(v.judged, 4);
    EXPECT_TRUE(v.faults.empty()) << v.faults.front();
    EXPECT_NEAR(v.late.median, 20, 1);
    EXPECT_NEAR(v.late.worst, 20, 1);
}

TEST(SoundMeter, EachWayABellGoesWrongIsTold) {
    // Cut short, at the wrong pitch, late, and never heard.
    const SinkRecorder rec = Recording(5s, {{500ms, 100ms}, {1500ms, 250ms, 880}, {2700ms, 250ms}});
    const BellVerdict v = JudgeBells(rec,
                                     {Bell(500ms, 0.25, 440), Bell(1500ms, 0.25, 440),
                                      Bell(2500ms, 0.25, 440), Bell(4000ms, 0.25, 440)},
                                     80);
    ASSERT_EQ(v.faults.size(), 4u);
    EXPECT_NE(v.faults[0].find("heard for 0.100 s"), std::string::npos) << v.faults[0];
    EXPECT_NE(v.faults[1].find("Hz, its sound is 440 Hz"), std::string::npos) << v.faults[1];
    EXPECT_NE(v.faults[2].find("200.0 ms late"), std::string::npos) << v.faults[2];
    EXPECT_NE(v.faults[3].find("never heard"), std::string::npos) << v.faults[3];
}

TEST(SoundMeter, AFaultWhileTheMachineStoodStillIsSetAsideAndOnlyThen) {
    // Both bells cut short; the machine stood still for 130 ms during the first only.
    const SinkRecorder rec = Recording(3s, {{500ms, 100ms}, {1500ms, 100ms}});
    const std::vector<Stall> stalls{{kStart + 600ms, kStart + 730ms}};
    const BellVerdict v =
        JudgeBells(rec, {Bell(500ms, 0.25, 440), Bell(1500ms, 0.25, 440)}, 80, stalls);
    ASSERT_EQ(v.setAside.size(), 1u);
    EXPECT_NE(v.setAside[0].find("bell at 500"), std::string::npos) << v.setAside[0];
    ASSERT_EQ(v.faults.size(), 1u);
    EXPECT_NE(v.faults[0].find("bell at 1500"), std::string::npos) << v.faults[0];
}

TEST(SoundMeter, PaplayIsTheBaselineOnlyWhenEachOfItsBeepsWasRight) {
    // Three beeps 40 ms late; then the same with the first one 450 ms late and run into the
    // next, as when the sink woke late: no baseline, and the bells are held to the ring itself.
    const SinkRecorder onTime = Recording(3s, {{540ms, 250ms}, {1240ms, 250ms}, {1940ms, 250ms}});
    const std::vector<WantedBell> beeps{Bell(500ms, 0.25, 440), Bell(1200ms, 0.25, 440),
                                        Bell(1900ms, 0.25, 440)};
    const BellVerdict trusted = JudgeBells(onTime, beeps, 1e9);
    EXPECT_TRUE(BaselineTrusted(trusted, 3));
    EXPECT_NEAR(AllowedLateness(trusted, 3, 80), 120, 1);
    EXPECT_FALSE(BaselineTrusted(trusted, 4)) << "a beep never judged counts as wrong";

    const SinkRecorder woke = Recording(3s, {{950ms, 500ms}, {1940ms, 250ms}});
    const BellVerdict wrong = JudgeBells(woke, beeps, 1e9);
    EXPECT_FALSE(BaselineTrusted(wrong, 3));
    EXPECT_EQ(AllowedLateness(wrong, 3, 80), 80);
    EXPECT_EQ(AllowedLateness({}, 0, 80), 80);
}

TEST(SoundMeter, ASoundIsMatchedToOneRingOnlyAndNotBeforeIt) {
    // Two rings 100 ms apart before one sound: the first finds nothing before the second.
    const SinkRecorder rec = Recording(2s, {{700ms, 250ms}});
    const std::vector<HeardBell> heard =
        MatchRings(rec, {kStart + 400ms, kStart + 600ms, kStart + 1500ms}, 500ms);
    EXPECT_FALSE(heard[0].heard);
    EXPECT_TRUE(heard[1].heard);
    EXPECT_FALSE(heard[2].heard);
}

}  // namespace
