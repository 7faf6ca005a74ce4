#include "ui/platform/sound/WavSound.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <algorithm>

// Our own reader rather than Qt's QWaveDecoder: on Qt 6.4 that one loops for ever on a file
// without a format chunk, crashes on some big-endian (RIFX) files, and takes any sample rate,
// so that a damaged header asked for a gigabyte of trailing silence. Plain PCM and float WAV
// is simple enough to read whole and check as it is read.

namespace {

class Reader {
public:
    Reader(const QByteArray& data, bool bigEndian) : m_data(data), m_bigEndian(bigEndian) {}
    quint16 u16(qint64 pos) const {
        const char* p = m_data.constData() + pos;
        return m_bigEndian ? qFromBigEndian<quint16>(p) : qFromLittleEndian<quint16>(p);
    }
    quint32 u32(qint64 pos) const {
        const char* p = m_data.constData() + pos;
        return m_bigEndian ? qFromBigEndian<quint32>(p) : qFromLittleEndian<quint32>(p);
    }

private:
    const QByteArray& m_data;
    const bool m_bigEndian;
};

struct Format {
    int encoding = 0;  // 1 integer PCM, 3 float
    int channels = 0;
    int rate = 0;
    int bits = 0;
    int blockAlign = 0;
};

constexpr int kPcm = 1;
constexpr int kFloat = 3;
constexpr int kExtensible = 0xFFFE;

std::optional<Format> ReadFormat(const Reader& in, qint64 body, qint64 length) {
    if (length < 16) {
        return std::nullopt;
    }
    Format f{in.u16(body), in.u16(body + 2),
             static_cast<int>(std::min<quint32>(in.u32(body + 4), 1u << 30)), in.u16(body + 14),
             in.u16(body + 12)};
    if (f.encoding == kExtensible && length >= 26) {
        f.encoding = in.u16(body + 24);  // the sub-format's identifier starts with it
    }
    return f;
}

// The samples in a sample format an output takes: 24-bit samples widened to 32 bits, and
// big-endian ones swapped.
std::optional<WavSound> Samples(const Format& f, QByteArray samples, bool bigEndian) {
    const bool sane = f.channels >= 1 && f.channels <= 8 && f.rate >= 1000 && f.rate <= 384'000 &&
                      f.blockAlign == f.channels * f.bits / 8;
    if (!sane) {
        return std::nullopt;
    }
    WavSound sound;
    sound.channels = f.channels;
    sound.rate = f.rate;
    if (f.encoding == kPcm && f.bits == 8) {
        sound.encoding = WavSound::Encoding::UInt8;
    } else if (f.encoding == kPcm && f.bits == 16) {
        sound.encoding = WavSound::Encoding::Int16;
    } else if (f.encoding == kPcm && (f.bits == 24 || f.bits == 32)) {
        sound.encoding = WavSound::Encoding::Int32;
    } else if (f.encoding == kFloat && f.bits == 32) {
        sound.encoding = WavSound::Encoding::Float32;
    } else {
        return std::nullopt;
    }
    const int width = f.bits / 8;
    samples.truncate(samples.size() - samples.size() % f.blockAlign);  // whole frames only
    if (samples.isEmpty()) {
        return std::nullopt;
    }
    if (width == 3) {
        sound.pcm.resize(samples.size() / 3 * 4);
        const auto* from = reinterpret_cast<const uchar*>(samples.constData());
        auto* to = reinterpret_cast<uchar*>(sound.pcm.data());
        for (qsizetype i = 0; i < samples.size() / 3; ++i, from += 3, to += 4) {
            const uchar low = bigEndian ? from[2] : from[0];
            const uchar mid = from[1];
            const uchar high = bigEndian ? from[0] : from[2];
            qToLittleEndian<quint32>(
                (quint32{high} << 24) | (quint32{mid} << 16) | (quint32{low} << 8), to);
        }
    } else if (bigEndian && width > 1) {
        sound.pcm = samples;
        char* p = sound.pcm.data();
        for (qsizetype i = 0; i < sound.pcm.size(); i += width) {
            std::reverse(p + i, p + i + width);
        }
    } else {
        sound.pcm = samples;
    }
    return sound;
}

}  // namespace

int WavSound::bytesPerFrame() const {
    return channels * (encoding == Encoding::UInt8 ? 1 : encoding == Encoding::Int16 ? 2 : 4);
}

std::optional<WavSound> DecodeWavData(const QByteArray& data) {
    const qint64 size = data.size();
    if (size < 12 || data.sliced(8, 4) != "WAVE") {
        return std::nullopt;
    }
    const bool bigEndian = data.startsWith("RIFX");
    if (!bigEndian && !data.startsWith("RIFF")) {
        return std::nullopt;
    }
    const Reader in(data, bigEndian);
    std::optional<Format> format;
    constexpr qint64 kChunkHeader = 8;
    qint64 pos = 12;
    while (pos + kChunkHeader <= size) {
        const QByteArray id = data.sliced(pos, 4);
        const qint64 length = in.u32(pos + 4);
        const qint64 body = pos + kChunkHeader;
        if (id == "fmt ") {
            if (body + length > size) {
                return std::nullopt;
            }
            format = ReadFormat(in, body, length);
        } else if (id == "data") {
            if (!format) {
                return std::nullopt;  // samples whose format is not known
            }
            // A zero length stands for the rest of the file, as streaming writers leave it.
            const qint64 bytes = length != 0 ? length : size - body;
            if (body + bytes > size) {
                return std::nullopt;  // cut short: the bell would end in the middle
            }
            return Samples(*format, data.sliced(body, bytes), bigEndian);
        }
        pos = body + length + (length & 1);  // chunks are padded to even lengths
    }
    return std::nullopt;
}

std::optional<WavSound> DecodeWav(const QString& path) {
    const QFileInfo info(path);
    // Only a regular file: a named pipe or a device would block or never end.
    if (!info.isFile() || info.size() > kLargestWavBytes) {
        return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return DecodeWavData(file.read(kLargestWavBytes + 1));
}

QByteArray WavImage(const WavSound& sound) {
    QByteArray samples;
    const int bits = sound.encoding == WavSound::Encoding::UInt8 ? 8 : 16;
    if (sound.encoding == WavSound::Encoding::UInt8 ||
        sound.encoding == WavSound::Encoding::Int16) {
        samples = sound.pcm;
    } else {
        const qsizetype count = sound.pcm.size() / 4;
        samples.resize(count * 2);
        const char* from = sound.pcm.constData();
        for (qsizetype i = 0; i < count; ++i) {
            qint16 narrowed;
            if (sound.encoding == WavSound::Encoding::Int32) {
                narrowed = static_cast<qint16>(qFromLittleEndian<qint32>(from + 4 * i) >> 16);
            } else {
                const float f = std::clamp(qFromLittleEndian<float>(from + 4 * i), -1.0f, 1.0f);
                narrowed = static_cast<qint16>(f * 32767.0f);
            }
            qToLittleEndian<qint16>(narrowed, samples.data() + 2 * i);
        }
    }
    const int blockAlign = sound.channels * bits / 8;
    QByteArray wav;
    wav.reserve(44 + samples.size());
    auto u32 = [&wav](quint32 v) {
        wav.append(QByteArray(4, '\0'));
        qToLittleEndian(v, wav.end() - 4);
    };
    auto u16 = [&wav](quint16 v) {
        wav.append(QByteArray(2, '\0'));
        qToLittleEndian(v, wav.end() - 2);
    };
    wav.append("RIFF");
    u32(static_cast<quint32>(36 + samples.size()));
    wav.append("WAVEfmt ");
    u32(16);
    u16(1);  // integer PCM
    u16(static_cast<quint16>(sound.channels));
    u32(static_cast<quint32>(sound.rate));
    u32(static_cast<quint32>(sound.rate * blockAlign));
    u16(static_cast<quint16>(blockAlign));
    u16(static_cast<quint16>(bits));
    wav.append("data");
    u32(static_cast<quint32>(samples.size()));
    wav.append(samples);
    return wav;
}
