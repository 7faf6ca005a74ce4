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
        heard[i] = {true, duration<double, std::milli>(at - rings[i]).count(),
                    sounds[next].seconds(SinkRecorder::kRate), sounds[next].hertz};
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
                       double allowedLateMs) {
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
        if (bell.heard) {
            lateness.push_back(bell.lateMs);
        }
        if (fault[0] != '\0') {
            verdict.faults.push_back(want.label + ": " + fault);
        }
    }
    verdict.late = SpreadOf(lateness);
    return verdict;
}
