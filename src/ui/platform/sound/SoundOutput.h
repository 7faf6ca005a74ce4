#pragma once

#include <QLoggingCategory>
#include <memory>

#include "ui/platform/sound/WavSound.h"

// Where the bells sound: the system's own sound service, one file for each system. A sound
// starts at once, on the output that is the default at that moment, and the call returns
// without waiting for it; a new sound cuts off the one still playing. A sound the system will
// not play gives the built-in beep, and where even that fails, the desktop's own beep. Nothing
// here waits for the service or reads a file.
class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    // The samples are shared with `sound`, not copied.
    virtual void play(const WavSound& sound) = 0;
    virtual void playBeep() = 0;
};

// The system's sound service, with `beep` as the built-in beep.
std::unique_ptr<SoundOutput> MakeSoundOutput(WavSound beep);

// Does to a sound what this system's output needs done before it is rung, where the sound is
// read, so that a ring does none of it: on Windows, makes the WAV image that PlaySound plays.
void PrepareSound(WavSound& sound);

// Says which way each bell went; off unless QT_LOGGING_RULES asks for rondelay.bells.debug.
Q_DECLARE_LOGGING_CATEGORY(lcBells)
