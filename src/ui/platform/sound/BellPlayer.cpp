#include "ui/platform/sound/BellPlayer.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <array>
#include <cstdio>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>

#include "engine/BellChoice.h"

Q_LOGGING_CATEGORY(lcBells, "rondelay.bells", QtInfoMsg)

// Q_INIT_RESOURCE declares a function, so it cannot stand inside a namespace.
static void InitSounds() {
    // The sounds live in a static library, whose unreferenced resource object the linker drops.
    Q_INIT_RESOURCE(sounds);
}

namespace {

// The built-in beep, from the program's resources. Should they be damaged, the player still
// works: every bell then gives the desktop's beep.
WavSound LoadBeep() {
    InitSounds();
    QFile file(QStringLiteral(":/sounds/beep.wav"));
    std::optional<WavSound> beep;
    if (file.open(QIODevice::ReadOnly)) {
        beep = DecodeWavData(file.readAll());
    }
    if (!beep) {
        std::fprintf(stderr,
                     "Rondelay: the built-in beep cannot be read; bells sound the "
                     "desktop's beep instead\n");
        return WavSound{};
    }
    PrepareSound(*beep);
    return *std::move(beep);
}

// What a file looked like when it was read, so that one that failed is read again only once
// it has changed.
struct FileStamp {
    qint64 size = -1;
    QDateTime modified;
    bool operator==(const FileStamp&) const = default;
};

FileStamp StampOf(const QString& path) {
    const QFileInfo info(path);
    return info.exists() ? FileStamp{info.size(), info.lastModified()} : FileStamp{};
}

}  // namespace

// Each slot's sound as its last reading left it. Readings run on threads of their own; a
// reading started for an older path or an older preparation finds its slot taken over and
// leaves it alone.
struct BellPlayer::Loads : std::enable_shared_from_this<Loads> {
    struct Slot {
        std::string path;
        std::uint64_t reading = 0;  // which reading the slot waits for, or took its sound from
        bool busy = false;          // that reading still runs
        std::optional<WavSound> sound;
        std::optional<FileStamp> failed;  // the file as it was when it last could not be read
    };

    explicit Loads(Decoder d) : decode(std::move(d)) {}

    // Reads `path` into `slot` on a thread of its own; an empty path empties the slot. `again`
    // reads it only if it has changed since it last failed.
    void read(BellSlot slot, const std::string& path, bool again) {
        std::uint64_t reading;
        std::optional<FileStamp> failed;
        {
            const std::lock_guard lock(mutex);
            Slot& s = bells[static_cast<std::size_t>(slot)];
            if (again) {
                failed = s.failed;
            } else {
                s = Slot{path, s.reading, false, std::nullopt, std::nullopt};
            }
            reading = ++s.reading;
            s.busy = !path.empty();
        }
        if (path.empty()) {
            return;
        }
        try {
            // Detached: a read that hangs must hold up neither the window nor the program's
            // exit.
            std::thread([self = shared_from_this(), slot, path, again, failed, reading] {
                self->finish(slot, reading, path, again, failed);
            }).detach();
        } catch (const std::system_error&) {
            const std::lock_guard lock(mutex);
            bells[static_cast<std::size_t>(slot)].busy = false;  // tried again at the next ring
        }
    }

    void finish(BellSlot slot, std::uint64_t reading, const std::string& path, bool again,
                const std::optional<FileStamp>& failed) {
        const QString file = QString::fromStdString(path);
        const FileStamp stamp = StampOf(file);
        std::optional<WavSound> sound;
        if (!again || stamp != failed) {
            sound = decode(file);
        }
        const std::lock_guard lock(mutex);
        Slot& s = bells[static_cast<std::size_t>(slot)];
        if (s.reading != reading) {
            return;
        }
        s.busy = false;
        if (sound) {
            s.sound = std::move(sound);
            s.failed.reset();
        } else {
            s.failed = stamp;
        }
    }

    const Decoder decode;
    std::mutex mutex;
    std::array<Slot, BellSlotCount> bells;
};

BellPlayer::BellPlayer(const TimerSettings& settings, std::unique_ptr<SoundOutput> output,
                       Decoder decode)
    : m_settings(settings),
      m_output(std::move(output)),
      m_loads(std::make_shared<Loads>(std::move(decode))) {}

BellPlayer::BellPlayer(const TimerSettings& settings)
    : BellPlayer(settings, MakeSoundOutput(LoadBeep()), [](const QString& path) {
          std::optional<WavSound> sound = DecodeWav(path);
          if (sound) {
              PrepareSound(*sound);
          }
          return sound;
      }) {}

BellPlayer::~BellPlayer() = default;

void BellPlayer::PrepareBells() {
    for (BellSlot slot = 0; slot < BellSlotCount; ++slot) {
        const BellSound sound = ChooseBellSound(m_settings, slot);
        m_loads->read(slot, sound.kind == BellSound::WavFile ? sound.path : std::string(), false);
    }
}

void BellPlayer::RingBell(BellSlot slot) {
    const BellSound sound = ChooseBellSound(m_settings, slot);
    m_last.reset();
    if (sound.kind == BellSound::WavFile) {
        bool readAgain = false;
        bool readNew = false;
        {
            const std::lock_guard lock(m_loads->mutex);
            const Loads::Slot& prepared = m_loads->bells[static_cast<std::size_t>(slot)];
            if (prepared.path != sound.path) {
                readNew = true;  // settings changed without a preparation
            } else if (prepared.sound) {
                m_last = prepared.sound;  // shares the samples
            } else {
                readAgain = !prepared.busy;
            }
        }
        if (readNew || readAgain) {
            m_loads->read(slot, sound.path, readAgain);
        }
        if (!m_last) {
            qCDebug(lcBells) << "no sound ready for" << sound.path.c_str() << "- the beep instead";
        }
    }
    if (!m_startQueued) {
        m_startQueued = true;
        const auto start = [this] { startLast(); };
        QMetaObject::invokeMethod(&m_context, start, Qt::QueuedConnection);
    }
}

void BellPlayer::startLast() {
    m_startQueued = false;
    if (m_last) {
        m_output->play(*m_last);
    } else {
        m_output->playBeep();
    }
    m_last.reset();
}
