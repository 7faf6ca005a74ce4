// Arbitrary bytes as a WAV file, through the check the bell player runs before it plays one:
// it must give nothing or a playable sound whose samples lie inside what it hands out.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include <QtEndian>

#include "ui/platform/WavSound.h"

namespace {

// Whether any "fmt " chunk in the data claims so many bytes a second that 400 ms of silence
// would outgrow the largest bell. Read here by hand: Qt's own header reader loops for ever on
// chunk lengths that the check turns away before it.
bool ClaimsHugeRate(const QByteArray& data) {
    for (qsizetype at = data.indexOf("fmt "); at >= 0 && at + 24 <= data.size();
         at = data.indexOf("fmt ", at + 1)) {
        const char* fields = data.constData() + at + 8;
        const double channels = qFromLittleEndian<quint16>(fields + 2);
        const double rate = qFromLittleEndian<quint32>(fields + 4);
        const double bytes = (qFromLittleEndian<quint16>(fields + 14) + 7) / 8;
        if (rate * channels * bytes * kTrailingSilenceMs / 1000 > kLargestWavBytes) {
            return true;
        }
    }
    return false;
}

// Whether the chunks, walked from the start, hold no "fmt " before the "data" chunk.
bool FormatMissingBeforeData(const QByteArray& data) {
    for (qsizetype at = 12; at + 8 <= data.size();) {
        const QByteArray id = data.sliced(at, 4);
        if (id == "fmt ") {
            return false;
        }
        if (id == "data") {
            return true;
        }
        const qint64 length = qFromLittleEndian<quint32>(data.constData() + at + 4);
        at += 8 + length + (length & 1);  // as the check walks them
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Three faults found here wait for the check to turn such files away (the inputs are in
    // tests/fuzz/pending/wav_check/); they are left out so that this fuzzer goes on looking
    // for others. Qt 6.4's QWaveDecoder crashes swapping the samples of a big-endian (RIFX)
    // file of 16 or more bits, and loops for ever on a file whose "fmt " chunk does not come
    // before its "data" chunk; a header claiming a rate of millions of frames a second makes
    // the trailing silence take gigabytes.
    if (size >= 4 && std::memcmp(data, "RIFX", 4) == 0) {
        return 0;
    }
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (FormatMissingBeforeData(bytes) || ClaimsHugeRate(bytes)) {
        return 0;
    }
    const std::optional<WavSound> sound = DecodeWavData(bytes);
    if (sound) {
        if (!sound->format.isValid() || sound->audibleBytes <= 0 ||
            sound->audibleBytes > sound->pcm.size() ||
            sound->audibleBytes % sound->format.bytesPerFrame() != 0) {
            std::abort();
        }
    }
    return 0;
}
