#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <optional>

#include "engine/BellRinger.h"
#include "settings/TimerSettings.h"
#include "ui/platform/sound/SoundOutput.h"
#include "ui/platform/sound/WavSound.h"

// Rings the bells through the system's sound output. Each slot's WAV is read and decoded on a
// thread of its own when the bells are prepared, so that a slow disk, a large file or a network
// mount that hangs holds up neither the window nor the clock; a ring only hands the decoded
// sound to the output. A slot whose file is not ready, or could not be read, gives the built-in
// beep, and a file that failed is read again, on its thread, once it has changed.
//
// Rings within one pass of the event loop (slot 0 and the finish bell in one tick) sound only
// the last: a new bell cuts off the one sounding, so the first could never be heard.
class BellPlayer : public BellRinger {
public:
    using Decoder = std::function<std::optional<WavSound>(const QString& path)>;

    // The settings are read again at every bell, so they must outlive the player. Without an
    // output, the system's own with the built-in beep, and each file read as it needs.
    explicit BellPlayer(const TimerSettings& settings);
    BellPlayer(const TimerSettings& settings, std::unique_ptr<SoundOutput> output, Decoder decode);
    ~BellPlayer() override;

    void RingBell(BellSlot slot) override;
    void PrepareBells() override;

private:
    struct Loads;

    void startLast();

    const TimerSettings& m_settings;
    std::unique_ptr<SoundOutput> m_output;
    // Shared with the threads still reading, which may outlive the player.
    std::shared_ptr<Loads> m_loads;
    QObject m_context;               // for the start at the end of the pass
    std::optional<WavSound> m_last;  // the last bell rung in this pass; empty for the beep
    bool m_startQueued = false;
};
