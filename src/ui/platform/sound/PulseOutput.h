#pragma once

#include <QLoggingCategory>
#include <memory>

#include "ui/platform/sound/WavSound.h"

// One connection to the desktop's sound server (PulseAudio, or PipeWire through its PulseAudio
// service) for the program's life, on a thread of its own, rebuilt every second while the
// server is away. Every sound plays in a stream of its own on the output that is the default
// at that moment, so a bell follows headphones plugged in; a new sound cuts off the one still
// playing. Nothing here ever waits on the server: with no server, or a stream it refuses,
// the built-in beep or the desktop's own beep sounds instead.
// Says which way each bell went; off unless QT_LOGGING_RULES asks for rondelay.bells.debug.
Q_DECLARE_LOGGING_CATEGORY(lcBells)

class PulseOutput {
public:
    explicit PulseOutput(WavSound beep);
    ~PulseOutput();
    PulseOutput(const PulseOutput&) = delete;
    PulseOutput& operator=(const PulseOutput&) = delete;

    // Starts `sound` and returns at once; its samples are shared, not copied.
    void play(const WavSound& sound);
    void playBeep();

private:
    struct Connection;
    std::unique_ptr<Connection> m_connection;
};
