#include "ui/platform/BellPlayer.h"

#include <QApplication>
#include <QAudioDevice>
#include <QFile>
#include <QFileInfo>
#include <QMediaDevices>
#include <QString>
#include <QtEndian>

#include "engine/BellChoice.h"

namespace {

// beep.wav ends in a quarter second of silence: Qt 6.4 stops the stream as soon as it has handed
// over the last samples, cutting off the 0.1 to 0.15 s the sound server still holds.
const QUrl& BeepUrl() {
    static const QUrl url(QStringLiteral("qrc:/sounds/beep.wav"));
    return url;
}

// Sets the source, loading it afresh if the last attempt failed: the file may have been put
// right since, or the audio output come back. QSoundEffect ignores setting the same source.
void Load(QSoundEffect& effect, const QUrl& url) {
    if (effect.source() == url && effect.status() == QSoundEffect::Error) {
        effect.setSource(QUrl());
    }
    effect.setSource(url);
}

// Qt 6.4 never finishes loading a WAV file whose chunks run past its end (empty, cut short,
// partly downloaded): it neither plays nor reports an error, and releasing the sample later
// blocks this thread for good, waiting on the loader. Only such files are refused here; the
// rest (format, encoding) is left to QSoundEffect, which reports an error properly.
bool IsCompleteWav(const QString& path) {
    if (!QFileInfo(path).isFile()) {
        return false;  // also keeps QFile from blocking on a named pipe
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    const qint64 size = file.size();
    const QByteArray riff = file.read(12);
    if (riff.size() < 12 || riff.sliced(8) != "WAVE") {
        return false;
    }
    const bool bigEndian = riff.startsWith("RIFX");
    if (!bigEndian && !riff.startsWith("RIFF")) {
        return false;
    }
    constexpr qint64 kChunkHeader = 8;
    qint64 pos = 12;
    while (pos + kChunkHeader <= size && file.seek(pos)) {
        const QByteArray chunk = file.read(kChunkHeader);
        if (chunk.size() < kChunkHeader) {
            return false;
        }
        const auto* field = chunk.constData() + 4;
        const qint64 length =
            bigEndian ? qFromBigEndian<quint32>(field) : qFromLittleEndian<quint32>(field);
        if (chunk.startsWith("data")) {
            // A zero length stands for the rest of the file, which Qt reckons as all but a
            // 44-byte header wherever the data really starts.
            const qint64 expected = length != 0 ? length : size - 44;
            return pos + kChunkHeader + expected <= size;
        }
        pos += kChunkHeader + length + (length & 1);  // chunks are padded to even lengths
        if (pos > size) {
            return false;
        }
    }
    return false;
}

}  // namespace

BellPlayer::BellPlayer(const TimerSettings& settings, QObject* parent)
    : QObject(parent), m_settings(settings) {
    // The sounds live in a static library, whose unreferenced resource object the linker drops.
    Q_INIT_RESOURCE(sounds);
    // Loaded now, so that the first bell does not wait for it.
    m_beep.setSource(BeepUrl());
    connect(&m_wav, &QSoundEffect::statusChanged, this, &BellPlayer::onWavStatusChanged);
}

BellPlayer::~BellPlayer() = default;

void BellPlayer::RingBell(BellSlot slot) {
    const BellSound sound = ChooseBellSound(m_settings, slot);
    if (QMediaDevices::audioOutputs().isEmpty()) {
        QApplication::beep();
        return;
    }
    const QString path = QString::fromStdString(sound.path);
    if (sound.kind == BellSound::WavFile && IsCompleteWav(path)) {
        playWav(QUrl::fromLocalFile(path));
    } else {
        playBeep();
    }
}

// play() on an effect still sounding starts it over, so only the other one needs stopping.
void BellPlayer::playBeep() {
    m_wavWanted = false;
    m_wav.stop();
    Load(m_beep, BeepUrl());
    m_beep.play();
}

void BellPlayer::playWav(const QUrl& url) {
    m_beep.stop();
    m_wavWanted = true;
    Load(m_wav, url);
    // A source still loading starts playing once it is ready. One that failed at once has
    // already given the beep through onWavStatusChanged, and play() would clear its error.
    if (m_wavWanted) {
        m_wav.play();
    }
}

void BellPlayer::onWavStatusChanged() {
    if (m_wavWanted && m_wav.status() == QSoundEffect::Error) {
        playBeep();
    }
}
