#include "soundmeter/SoundSegments.h"

#include <cstdlib>

namespace {

double ZeroCrossingHertz(std::span<const std::int16_t> samples, std::size_t begin, std::size_t end,
                         int rate) {
    std::size_t crossings = 0;
    for (std::size_t i = begin + 1; i < end; ++i) {
        crossings += (samples[i - 1] < 0) != (samples[i] < 0);
    }
    const double seconds = static_cast<double>(end - begin) / rate;
    return seconds > 0 ? crossings / 2.0 / seconds : 0;
}

}  // namespace

std::vector<SoundSegment> FindSounds(std::span<const std::int16_t> samples, std::int16_t threshold,
                                     std::size_t bridge) {
    constexpr int kRate = 44100;
    std::vector<SoundSegment> found;
    bool inSound = false;
    SoundSegment current;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        if (std::abs(samples[i]) <= threshold) {
            if (inSound && i - current.end >= bridge) {
                found.push_back(current);
                inSound = false;
            }
            continue;
        }
        if (!inSound) {
            current = {i, i + 1, 0};
            inSound = true;
        }
        current.end = i + 1;
    }
    if (inSound) {
        found.push_back(current);
    }
    for (SoundSegment& s : found) {
        s.hertz = ZeroCrossingHertz(samples, s.begin, s.end, kRate);
    }
    return found;
}
