#include "soundmeter/HeardBells.h"

#include <QtEndian>
#include <algorithm>

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
