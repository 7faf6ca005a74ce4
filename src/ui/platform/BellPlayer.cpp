#include "ui/platform/BellPlayer.h"

#include <QApplication>
#include <QAudioSink>
#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QLoggingCategory>
#include <QMediaDevices>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <algorithm>

#include "engine/BellChoice.h"

// Q_INIT_RESOURCE declares a function, so it cannot stand inside a namespace.
static void InitSounds() {
    // The sounds live in a static library, whose unreferenced resource object the linker drops.
    Q_INIT_RESOURCE(sounds);
}

namespace {

// Says which way each bell went; off unless QT_LOGGING_RULES asks for rondelay.bells.debug.
Q_LOGGING_CATEGORY(lcBells, "rondelay.bells", QtInfoMsg)

// The most of a sound that is handed to the server at once.
constexpr qint64 kWholeBufferUs = 4'000'000;
// How long after its sound has had its time a stream is closed.
constexpr qint64 kDrainMarginMs = 100;
// How long a stopped stream is kept before it is deleted.
constexpr int kRetireAfterMs = 10'000;
// How long the player waits for a stuck output thread when it is destroyed.
constexpr unsigned long kThreadExitWaitMs = 1000;

// The last resort when no audio output will take a sound. The desktop's beep belongs to the
// window system, so it is sounded from the user-interface thread.
void DesktopBeep(const char* why) {
    qCDebug(lcBells) << "desktop beep:" << why;
    QMetaObject::invokeMethod(
        qApp, [] { QApplication::beep(); }, Qt::QueuedConnection);
}

WavSound LoadBeep() {
    InitSounds();
    QFile file(QStringLiteral(":/sounds/beep.wav"));
    file.open(QIODevice::ReadOnly);
    std::optional<WavSound> beep = DecodeWavData(file.readAll());
    Q_ASSERT(beep);
    return beep ? *std::move(beep) : WavSound{};
}

}  // namespace

// Plays one sound at a time on the output thread, a stream of its own for each.
class BellOutput : public QObject {
public:
    explicit BellOutput(WavSound beep) : m_beep(std::move(beep)) {}
    ~BellOutput() override { stopPlaying(); }

    void play(const WavSound& sound) {
        stopPlaying();
        const QAudioDevice output = QMediaDevices::defaultAudioOutput();
        if (output.isNull()) {
            DesktopBeep("no audio output");
            return;
        }
        // A stream of its own for every ring: Qt 6.4 loses sounds when one output is reused
        // for one sound after another, and a stream open only while a bell sounds costs
        // nothing while the timer waits.
        auto* sink = new QAudioSink(output, sound.format, this);
        auto* samples = new QBuffer(sink);
        samples->setData(sound.pcm);  // shared, not copied
        samples->open(QIODevice::ReadOnly);
        // The whole sound goes to the server at once (up to a few seconds of it), so that a
        // busy machine delaying this thread leaves no holes in the bell. The server grants a
        // little less than asked, so the ask is not cut to the sound's size.
        sink->setBufferSize(static_cast<qsizetype>(sound.format.bytesForDuration(kWholeBufferUs)));
        connect(sink, &QAudioSink::stateChanged, this, [this, sink] { onStateChanged(sink); });
        m_sink = sink;
        m_started.start();
        m_soundUs = sound.format.durationForBytes(sound.pcm.size());
        sink->start(samples);
        if (sink->error() != QAudio::NoError) {
            qCDebug(lcBells) << "the output refused the sound:" << sink->error();
            stopPlaying();
            if (&sound != &m_beep) {
                play(m_beep);
            } else {
                DesktopBeep("the output refuses sounds");
            }
        }
    }

    void stopPlaying() {
        if (QAudioSink* sink = m_sink) {
            m_sink = nullptr;
            sink->disconnect(this);
            sink->stop();
            // Qt 6.4's PulseAudio output can still be called back by the sound server after it
            // stopped; deleted at once, it crashed the program now and then (on PipeWire, in
            // about one of a few hundred bells). A stopped stream is kept a while first.
            QTimer::singleShot(kRetireAfterMs, this, [sink] { delete sink; });
        }
    }

    const WavSound& beep() const { return m_beep; }

private:
    // Idle means every sample, the trailing silence included, is with the server, which may
    // still be playing them: the stream is closed once the sound has had its time. A stream
    // that stopped with an error before anything was heard (the server gone) falls back to
    // the desktop beep.
    void onStateChanged(QAudioSink* sink) {
        if (sink != m_sink) {
            return;
        }
        const QAudio::State state = sink->state();
        const QAudio::Error error = sink->error();
        if (state == QAudio::IdleState) {
            const qint64 leftMs = (m_soundUs - m_started.nsecsElapsed() / 1000) / 1000;
            QTimer::singleShot(std::max<qint64>(leftMs, 0) + kDrainMarginMs, sink, [this, sink] {
                if (sink == m_sink) {
                    stopPlaying();
                }
            });
        } else if (state == QAudio::StoppedState && error != QAudio::NoError) {
            const bool unheard = sink->processedUSecs() == 0;
            qCDebug(lcBells) << "the output failed:" << error;
            stopPlaying();
            if (unheard) {
                DesktopBeep("the output failed before the bell was heard");
            }
        }
    }

    const WavSound m_beep;
    QPointer<QAudioSink> m_sink;  // the stream of the bell still sounding
    QElapsedTimer m_started;      // when it started
    qint64 m_soundUs = 0;         // how long its sound lasts, the trailing silence included
};

BellPlayer::BellPlayer(const TimerSettings& settings, QObject* parent)
    : QObject(parent),
      m_settings(settings),
      m_beep(LoadBeep()),
      m_thread(new QThread),
      m_output(new BellOutput(m_beep)) {
    m_thread->setObjectName(QStringLiteral("bells"));
    m_output->moveToThread(m_thread);
    connect(m_thread, &QThread::finished, m_output, &QObject::deleteLater);
    m_thread->start();
}

BellPlayer::~BellPlayer() {
    m_thread->quit();
    if (m_thread->wait(kThreadExitWaitMs)) {
        delete m_thread;
    } else {
        // Still waiting on a sound server that does not answer: left to end with the process,
        // as destroying a running thread would abort it.
        qCDebug(lcBells) << "the output thread does not answer; left behind";
    }
}

void BellPlayer::PrepareBells() {
    for (BellSlot slot = 0; slot < BellSlotCount; ++slot) {
        const BellSound sound = ChooseBellSound(m_settings, slot);
        PreparedSlot& prepared = m_slots[static_cast<std::size_t>(slot)];
        if (sound.kind == BellSound::WavFile) {
            prepared = {sound.path, DecodeWav(QString::fromStdString(sound.path))};
        } else {
            prepared = {};
        }
    }
}

// The slot's prepared sound, decoded again should the settings have changed since, or the
// file have failed before (it may have been put right since).
const WavSound& BellPlayer::soundFor(BellSlot slot) {
    const BellSound sound = ChooseBellSound(m_settings, slot);
    if (sound.kind != BellSound::WavFile) {
        return m_beep;
    }
    PreparedSlot& prepared = m_slots[static_cast<std::size_t>(slot)];
    if (prepared.path != sound.path || !prepared.sound) {
        qCDebug(lcBells) << "decoding at ring time:" << sound.path.c_str();
        prepared = {sound.path, DecodeWav(QString::fromStdString(sound.path))};
    }
    if (!prepared.sound) {
        qCDebug(lcBells) << "cannot play" << sound.path.c_str() << "- the beep instead";
        return m_beep;
    }
    return *prepared.sound;
}

void BellPlayer::RingBell(BellSlot slot) {
    const WavSound& chosen = soundFor(slot);
    m_next = chosen;  // its samples are shared, not copied
    m_nextIsBeep = &chosen == &m_beep;
    // Handed to the output thread once the tick that rang has ended, so that of slot 0 and
    // slot 2 rung in the same tick only the last is opened: the first would be cut off at
    // once, and opening it would only delay the one heard.
    if (!m_ringPending) {
        m_ringPending = true;
        QMetaObject::invokeMethod(
            this, [this] { sendRing(); }, Qt::QueuedConnection);
    }
}

void BellPlayer::sendRing() {
    m_ringPending = false;
    QMetaObject::invokeMethod(m_output, [output = m_output, sound = m_next, isBeep = m_nextIsBeep] {
        output->play(isBeep ? output->beep() : sound);
    });
}
