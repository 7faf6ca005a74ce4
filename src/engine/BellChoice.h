#pragma once

#include <string>

#include "settings/BellSlot.h"
#include "settings/TimerSettings.h"

// What a bell should sound like, decided from the settings at the moment it rings.
struct BellSound {
    enum Kind { Beep, WavFile } kind = Beep;
    std::string path;  // UTF-8, only for WavFile

    bool operator==(const BellSound&) const = default;
};

// BellFlag 0 beeps even with a path set; a WAV bell with an empty path beeps as well, since
// there is nothing to play. A slot outside 0..2 beeps.
BellSound ChooseBellSound(const TimerSettings& settings, BellSlot slot);
