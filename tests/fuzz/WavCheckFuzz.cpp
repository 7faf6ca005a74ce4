// Arbitrary bytes as a WAV file, through the bell player's check before it plays one: nothing,
// or a playable sound of whole frames no larger than the largest bell once widened.
#include <cstdint>
#include <cstdlib>

#include "ui/platform/sound/WavSound.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const std::optional<WavSound> sound = DecodeWavData(bytes);
    if (sound) {
        const qint64 bytes = sound->pcm.size();
        if (sound->channels < 1 || sound->channels > 8 || sound->rate < 1000 ||
            sound->rate > 384'000 || bytes <= 0 || bytes % sound->bytesPerFrame() != 0 ||
            bytes > kLargestWavBytes / 3 * 4) {
            std::abort();
        }
    }
    return 0;
}
