#include "soundmeter/HeardBells.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "ui/platform/sound/WavSound.h"

std::optional<SoundPrint> PrintOfWav(const QByteArray& wav) {
    const std::optional<WavSound> sound = DecodeWavData(wav);
    if (!sound || sound->encoding != WavSound::Encoding::Int16) {
        return std::nullopt;
    }
    const int channels = sound->channels;
    std::vector<std::int16_t> samples;
    const auto* data = reinterpret_cast<const std::int16_t*>(sound->pcm.constData());
    for (qint64 i = 0; i < sound->pcm.size() / 2; i += channels) {
        samples.push_back(data[i]);
    }
    const std::vector<SoundSegment> found = FindSounds(samples);
    if (found.empty()) {
        return std::nullopt;
    }
    const int rate = sound->rate;
    // A file with pauses counts from its first sound to its last.
    SoundSegment whole{found.front().begin, found.back().end, found.front().hertz};
    return SoundPrint{whole.seconds(rate), whole.hertz};
}

std::vector<HeardBell> MatchRings(const SinkRecorder& recording,
                                  const std::vector<SinkRecorder::Clock::time_point>& rings,
                                  std::chrono::milliseconds patience) {
    using namespace std::chrono;
    const std::vector<std::int16_t> samples = recording.samples();
    const std::vector<SoundSegment> sounds = FindSounds(samples);
    constexpr std::size_t kDropout = SinkRecorder::kRate * 30 / 1000;
    std::vector<HeardBell> heard(rings.size());
    std::size_t next = 0;
    for (std::size_t i = 0; i < rings.size(); ++i) {
        // The monitor hands over what the sink renders ahead of playing it, so a sound can
        // seem to start this much before it was rung.
        const auto from = rings[i] - milliseconds(20);
        auto until = rings[i] + patience;
        if (i + 1 < rings.size()) {
            until = std::min(until, rings[i + 1]);
        }
        while (next < sounds.size() && recording.timeOf(sounds[next].begin) < from) {
            ++next;
        }
        if (next == sounds.size()) {
            continue;
        }
        const auto at = recording.timeOf(sounds[next].begin);
        if (at >= until) {
            continue;
        }
        // A server that misses a cycle or two, as on a shared machine, leaves a gap of 10 to
        // 30 ms inside a bell that no player can prevent; what follows it is the rest of the
        // bell, unless it began after the next ring.
        const std::size_t first = next;
        auto piece = [&](std::size_t k) { return sounds[k].seconds(SinkRecorder::kRate); };
        double sounding = piece(next);
        double pitchSum = sounds[next].hertz * piece(next);
        while (next + 1 < sounds.size() && sounds[next + 1].begin - sounds[next].end <= kDropout &&
               (i + 1 == rings.size() ||
                recording.timeOf(sounds[next + 1].begin) < rings[i + 1] - milliseconds(20))) {
            ++next;
            sounding += piece(next);
            pitchSum += sounds[next].hertz * piece(next);
        }
        const double span = static_cast<double>(sounds[next].end - sounds[first].begin);
        heard[i] = {true, duration<double, std::milli>(at - rings[i]).count(),
                    span / SinkRecorder::kRate, pitchSum / sounding};
        ++next;
    }
    return heard;
}

Spread SpreadOf(std::vector<double> figures) {
    if (figures.empty()) {
        return {};
    }
    std::ranges::sort(figures);
    return {figures[figures.size() / 2], figures.back()};
}

BellVerdict JudgeBells(const SinkRecorder& recording, const std::vector<WantedBell>& bells,
                       double allowedLateMs, const std::vector<Stall>& stalls) {
    std::vector<SinkRecorder::Clock::time_point> rings;
    for (const WantedBell& bell : bells) {
        rings.push_back(bell.rungAt);
    }
    const std::vector<HeardBell> heard =
        MatchRings(recording, rings, std::chrono::milliseconds(500));
    BellVerdict verdict;
    std::vector<double> lateness;
    char fault[160];
    for (std::size_t i = 0; i < bells.size(); ++i) {
        const WantedBell& want = bells[i];
        const HeardBell& bell = heard[i];
        if (!want.judged) {
            continue;
        }
        ++verdict.judged;
        fault[0] = '\0';
        if (!bell.heard) {
            std::snprintf(fault, sizeof fault, "never heard");
        } else if (std::abs(bell.seconds - want.sound.seconds) > 0.020) {
            std::snprintf(fault, sizeof fault, "heard for %.3f s, its sound lasts %.3f s",
                          bell.seconds, want.sound.seconds);
        } else if (std::abs(bell.hertz - want.sound.hertz) > want.sound.hertz * 0.03) {
            std::snprintf(fault, sizeof fault, "heard at %.0f Hz, its sound is %.0f Hz", bell.hertz,
                          want.sound.hertz);
        } else if (bell.lateMs > allowedLateMs) {
            std::snprintf(fault, sizeof fault, "%.1f ms late, allowed %.0f ms", bell.lateMs,
                          allowedLateMs);
        }
        if (fault[0] == '\0') {
            lateness.push_back(bell.lateMs);
            continue;
        }
        const auto margin = std::chrono::milliseconds(250);
        const auto from = want.rungAt - margin;
        const auto until = want.rungAt + margin +
                           std::chrono::milliseconds(static_cast<int>(want.sound.seconds * 1000));
        if (std::ranges::any_of(stalls,
                                [&](const Stall& s) { return s.from < until && s.until > from; })) {
            verdict.setAside.push_back(want.label + ": " + fault);
        } else {
            if (bell.heard) {
                lateness.push_back(bell.lateMs);
            }
            verdict.faults.push_back(want.label + ": " + fault);
        }
    }
    verdict.late = SpreadOf(lateness);
    return verdict;
}

bool BaselineTrusted(const BellVerdict& baseline, int baselinePlays) {
    return baselinePlays > 0 && baseline.judged == baselinePlays && baseline.faults.empty() &&
           baseline.setAside.empty();
}

double AllowedLateness(const BellVerdict& baseline, int baselinePlays, double allowanceMs) {
    return (BaselineTrusted(baseline, baselinePlays) ? baseline.late.median : 0) + allowanceMs;
}

bool ReportVerdict(const BellVerdict& bells, const BellVerdict& baseline, int baselinePlays,
                   std::size_t stalls) {
    for (const std::string& fault : bells.faults) {
        std::printf("    %s\n", fault.c_str());
    }
    for (const std::string& aside : bells.setAside) {
        std::printf("    set aside, %s\n", aside.c_str());
    }
    for (const std::string& fault : baseline.faults) {
        std::printf("    baseline, %s\n", fault.c_str());
    }
    std::printf(
        "    %d bells checked, %zu wrong, %zu set aside; late by %.1f ms (median), %.1f ms "
        "(worst)",
        bells.judged, bells.faults.size(), bells.setAside.size(), bells.late.median,
        bells.late.worst);
    if (baselinePlays > 0) {
        std::printf("; paplay %.1f ms (median of %d), %.1f ms (worst), %zu wrong",
                    baseline.late.median, baselinePlays, baseline.late.worst,
                    baseline.faults.size() + baseline.setAside.size());
        if (!BaselineTrusted(baseline, baselinePlays)) {
            std::printf(", so no baseline: the bells were judged by their lateness alone");
        }
    }
    if (stalls > 0) {
        std::printf("; the machine stood still %zu times", stalls);
    }
    std::printf("\n");
    return bells.faults.empty() && bells.setAside.size() * 20 <= std::size_t(bells.judged);
}
