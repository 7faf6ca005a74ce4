// Arbitrary bytes as a WAV file, through the check the bell player runs before it plays one:
// it must give nothing or a playable sound whose samples lie inside what it hands out, and
// never a trailing silence larger than the largest bell.
#include <cstdint>
#include <cstdlib>

#include "ui/platform/WavSound.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const std::optional<WavSound> sound = DecodeWavData(bytes);
    if (sound) {
        const qint64 silence = sound->pcm.size() - sound->audibleBytes;
        if (!sound->format.isValid() || sound->audibleBytes <= 0 ||
            sound->audibleBytes > sound->pcm.size() ||
            sound->audibleBytes % sound->format.bytesPerFrame() != 0 ||
            silence > kLargestWavBytes) {
            std::abort();
        }
    }
    return 0;
}
