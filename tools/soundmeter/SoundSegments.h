#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// A stretch of sound in a recording, between two silences.
struct SoundSegment {
    std::size_t begin = 0;  // first audible sample
    std::size_t end = 0;    // one past the last audible sample
    double hertz = 0;       // the pitch of a plain tone

    double seconds(int rate) const { return static_cast<double>(end - begin) / rate; }
};

// Sound is any sample louder than `threshold`; a quieter stretch shorter than `bridge`
// samples (a tone's zero crossings) does not end it. A server's dropout inside a bell does:
// the matching of rings joins the pieces.
std::vector<SoundSegment> FindSounds(std::span<const std::int16_t> samples,
                                     std::int16_t threshold = 300, std::size_t bridge = 220);
