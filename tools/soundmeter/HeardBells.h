#pragma once

#include <QByteArray>
#include <optional>
#include <string>
#include <vector>

#include "soundmeter/SinkRecorder.h"
#include "soundmeter/SoundSegments.h"
#include "soundmeter/StallWatch.h"

// What a sound file holds, measured the way a recording is.
struct SoundPrint {
    double seconds = 0;
    double hertz = 0;
};

// The sound in 16-bit WAV data (its first channel), or nothing if it holds none.
std::optional<SoundPrint> PrintOfWav(const QByteArray& wav);

// What became of one ring in the recording.
struct HeardBell {
    bool heard = false;
    double lateMs = 0;  // from the ring to the first audible sample
    double seconds = 0;
    double hertz = 0;
};

// Pairs each ring (in order) with the first sound that began after it and before the next
// ring, at most `patience` later.
std::vector<HeardBell> MatchRings(const SinkRecorder& recording,
                                  const std::vector<SinkRecorder::Clock::time_point>& rings,
                                  std::chrono::milliseconds patience);

// The median and the worst of a set of figures.
struct Spread {
    double median = 0;
    double worst = 0;
};
Spread SpreadOf(std::vector<double> figures);

// What one ring should have sounded like, and whether it is judged at all.
struct WantedBell {
    SinkRecorder::Clock::time_point rungAt;
    SoundPrint sound;
    bool judged = true;
    std::string label;  // names the bell in a fault line
};

// A bell counts when its sound is found in the recording whole (within 20 ms of its length),
// at its pitch (within 3 %) and no later than `allowedLateMs` after the ring. A bell that
// seems wrong and was rung or sounding (up to 250 ms either side) while the machine stood
// still is set aside rather than judged: the server drops part of what sounds through a
// stall, whoever plays it, and may hand the rest to the next ring.
struct BellVerdict {
    int judged = 0;
    std::vector<std::string> faults;    // one line for each bell that was wrong
    std::vector<std::string> setAside;  // one line for each wrong bell during a stall
    Spread late;                        // of the bells heard and not set aside
};
BellVerdict JudgeBells(const SinkRecorder& recording, const std::vector<WantedBell>& bells,
                       double allowedLateMs, const std::vector<Stall>& stalls = {});

// How late a bell may be heard: `allowanceMs` after the median of paplay's beeps in the same
// run (`baseline`, from `baselinePlays` plays), or after the ring itself when there were none or
// when any of them went wrong: a beep that the server delayed or cut is no measure of the
// server, and a test must fail on the player's faults alone.
bool BaselineTrusted(const BellVerdict& baseline, int baselinePlays);
double AllowedLateness(const BellVerdict& baseline, int baselinePlays, double allowanceMs);

// Prints a line for each bell that was wrong or set aside, then a summary beside paplay's
// verdict on the same beep, saying when it was not trusted. True when no bell was wrong and no
// more than one in twenty was set aside (a machine that stands still that often leaves too
// little judged to trust).
bool ReportVerdict(const BellVerdict& bells, const BellVerdict& baseline, int baselinePlays,
                   std::size_t stalls);
