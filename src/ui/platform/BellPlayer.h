#pragma once

#include <QObject>
#include <array>
#include <optional>
#include <string>

#include "engine/BellRinger.h"
#include "settings/TimerSettings.h"
#include "ui/platform/WavSound.h"

class BellOutput;
class QThread;

// Rings the bells through the normal audio output. Each slot's sound is decoded ahead of time;
// every ring opens an output stream of its own, which closes when the sound has been heard.
// A new bell stops the one still sounding; a file that cannot be played gives the built-in
// beep instead, and with no audio output at all the desktop's own beep is used.
//
// The streams are driven from a thread of their own: opening one waits for the sound server,
// and a server that never answers must not stop the clock.
class BellPlayer : public QObject, public BellRinger {
public:
    // The settings are read again at every bell, so they must outlive the player.
    explicit BellPlayer(const TimerSettings& settings, QObject* parent = nullptr);
    ~BellPlayer() override;

    void RingBell(BellSlot slot) override;
    void PrepareBells() override;

private:
    struct PreparedSlot {
        std::string path;  // the file the sound was decoded from
        std::optional<WavSound> sound;
    };

    const WavSound& soundFor(BellSlot slot);
    void sendRing();

    const TimerSettings& m_settings;
    WavSound m_beep;
    std::array<PreparedSlot, BellSlotCount> m_slots;
    QThread* m_thread;
    BellOutput* m_output;  // lives in m_thread
    WavSound m_next;       // the sound of the last ring in this pass of the event loop
    bool m_nextIsBeep = false;
    bool m_ringPending = false;
};
