#pragma once

#include <cstdint>

// The engine's run-time record. All zero at program start; ClearTimer sets it up.
struct TimerState {
    std::int16_t ClockHour = 0;  // elapsed time, 0..23 : 0..59 : 0..59
    std::int16_t ClockMin = 0;
    std::int16_t ClockSec = 0;
    std::int16_t BellHour = 0;  // clock reading of the next step event
    std::int16_t BellMin = 0;
    std::int16_t BellSec = 0;
    bool RestFlag = false;  // true during a rest phase
    std::int16_t Round = 0;
    bool RunFlag = false;  // true exactly while the tick source is enabled
};
