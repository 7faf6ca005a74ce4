#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "settings/BellSlot.h"
#include "settings/FontFields.h"

// Everything the user configures: the timer in section "Timer", the display font in section
// "Font". Field names are the store's key names; the initial values are the defaults used
// when the store holds no entry.
struct TimerSettings {
    std::int16_t IntFlag = 0;
    std::int16_t IntMin = 1;
    std::int16_t NextFlag = 0;
    std::int16_t NextSec = 0;
    std::int16_t ClearFlag = 0;
    std::int16_t FinFlag = 0;
    std::int16_t FinHour = 1;
    std::int16_t FinMin = 0;
    std::string FinNum = "0";       // kept as typed; read as a number only where it is used
    std::int32_t Color = 0;         // 0x00BBGGRR, or 0x800000nn for a system colour
    std::int32_t RestColor = 0xFF;  // red
    std::array<std::int16_t, BellSlotCount> BellFlag{};  // 0 = built-in beep, else WAV file
    std::array<std::string, BellSlotCount> BellFile{};
    FontFields Font{};

    bool operator==(const TimerSettings&) const = default;
};
