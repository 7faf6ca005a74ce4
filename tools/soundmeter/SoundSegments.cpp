#include "soundmeter/SoundSegments.h"

#include <algorithm>
#include <cstdlib>

namespace {

// From the median time between upward zero crossings, so that a dropout, and the ringing a
// resampler makes at its edges, change only a few of the periods and not the pitch.
double PitchHertz(std::span<const std::int16_t> samples, std::size_t begin, std::size_t end,
                  int rate) {
    std::vector<double> periods;
    double last = -1;
    for (std::size_t i = begin + 1; i < end; ++i) {
        if (samples[i - 1] < 0 && samples[i] >= 0) {
            const double at = static_cast<double>(i - 1) +
                              -samples[i - 1] / static_cast<double>(samples[i] - samples[i - 1]);
            if (last >= 0) {
                periods.push_back(at - last);
            }
            last = at;
        }
    }
    if (periods.empty()) {
        return 0;
    }
    const auto middle = periods.begin() + static_cast<std::ptrdiff_t>(periods.size() / 2);
    std::ranges::nth_element(periods, middle);
    return rate / *middle;
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
        s.hertz = PitchHertz(samples, s.begin, s.end, kRate);
    }
    return found;
}
