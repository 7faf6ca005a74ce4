#include "ui/platform/WavSound.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QWaveDecoder>
#include <QtEndian>

namespace {

// QWaveDecoder reads whatever samples a cut-short file holds and pads nothing, and the rest of
// Qt Multimedia never finishes loading such a file; either way the bell would be wrong, so
// the chunk sizes are checked against the data's length first.
bool ChunksFit(const QByteArray& data) {
    const qint64 size = data.size();
    if (size < 12 || data.sliced(8, 4) != "WAVE") {
        return false;
    }
    const bool bigEndian = data.startsWith("RIFX");
    if (!bigEndian && !data.startsWith("RIFF")) {
        return false;
    }
    constexpr qint64 kChunkHeader = 8;
    qint64 pos = 12;
    while (pos + kChunkHeader <= size) {
        const char* field = data.constData() + pos + 4;
        const qint64 length =
            bigEndian ? qFromBigEndian<quint32>(field) : qFromLittleEndian<quint32>(field);
        if (data.sliced(pos, 4) == "data") {
            // A zero length stands for the rest of the file, which Qt reckons as all but a
            // 44-byte header wherever the data really starts.
            const qint64 expected = length != 0 ? length : size - 44;
            return expected > 0 && pos + kChunkHeader + expected <= size;
        }
        pos += kChunkHeader + length + (length & 1);  // chunks are padded to even lengths
    }
    return false;
}

}  // namespace

std::optional<WavSound> DecodeWavData(const QByteArray& data) {
    if (!ChunksFit(data)) {
        return std::nullopt;
    }
    QBuffer file;
    file.setData(data);
    file.open(QIODevice::ReadOnly);
    QWaveDecoder decoder(&file);
    // On a device whose bytes are all there, open() parses the header before it returns.
    if (!decoder.open(QIODevice::ReadOnly) || !decoder.audioFormat().isValid()) {
        return std::nullopt;
    }
    WavSound sound;
    sound.format = decoder.audioFormat();
    sound.pcm = decoder.readAll();
    const int frame = sound.format.bytesPerFrame();
    sound.pcm.truncate(sound.pcm.size() - sound.pcm.size() % frame);  // whole frames only
    if (sound.pcm.isEmpty()) {
        return std::nullopt;
    }
    sound.audibleBytes = sound.pcm.size();
    // Unsigned 8-bit samples are silent at their middle value, all others at zero.
    const char silence = sound.format.sampleFormat() == QAudioFormat::UInt8 ? '\x80' : '\0';
    sound.pcm.append(sound.format.bytesForDuration(qint64{kTrailingSilenceMs} * 1000), silence);
    return sound;
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
