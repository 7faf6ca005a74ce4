#pragma once

#include <array>
#include <optional>
#include <string>

#include "engine/BellRinger.h"
#include "settings/TimerSettings.h"
#include "ui/platform/sound/PulseOutput.h"
#include "ui/platform/sound/WavSound.h"

// Rings the bells through the desktop's sound server. Each slot's sound is decoded ahead of
// time; a ring hands it to the output and returns at once. A new bell stops the one still
// sounding; a file that cannot be played gives the built-in beep instead.
class BellPlayer : public BellRinger {
public:
    // The settings are read again at every bell, so they must outlive the player.
    explicit BellPlayer(const TimerSettings& settings);

    void RingBell(BellSlot slot) override;
    void PrepareBells() override;

private:
    struct PreparedSlot {
        std::string path;  // the file the sound was decoded from
        std::optional<WavSound> sound;
    };

    const WavSound* soundFor(BellSlot slot);

    const TimerSettings& m_settings;
    std::array<PreparedSlot, BellSlotCount> m_slots;
    PulseOutput m_output;
};
