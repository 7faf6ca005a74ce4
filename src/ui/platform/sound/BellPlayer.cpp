#include "ui/platform/sound/BellPlayer.h"

#include <QFile>
#include <cstdio>

#include "engine/BellChoice.h"

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
    return *std::move(beep);
}

}  // namespace

BellPlayer::BellPlayer(const TimerSettings& settings)
    : m_settings(settings), m_output(LoadBeep()) {}

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
// file have failed before (it may have been put right since); nothing for the beep.
const WavSound* BellPlayer::soundFor(BellSlot slot) {
    const BellSound sound = ChooseBellSound(m_settings, slot);
    if (sound.kind != BellSound::WavFile) {
        return nullptr;
    }
    PreparedSlot& prepared = m_slots[static_cast<std::size_t>(slot)];
    if (prepared.path != sound.path || !prepared.sound) {
        qCDebug(lcBells) << "decoding at ring time:" << sound.path.c_str();
        prepared = {sound.path, DecodeWav(QString::fromStdString(sound.path))};
    }
    if (!prepared.sound) {
        qCDebug(lcBells) << "cannot play" << sound.path.c_str() << "- the beep instead";
        return nullptr;
    }
    return &*prepared.sound;
}

void BellPlayer::RingBell(BellSlot slot) {
    if (const WavSound* sound = soundFor(slot)) {
        m_output.play(*sound);
    } else {
        m_output.playBeep();
    }
}
