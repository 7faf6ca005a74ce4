#pragma once

#include <cstdint>

#include "engine/TimerState.h"

// What the engine tells the main window. Data flows one way: everything the window shows
// comes with the call, and the window never reads the engine back.
class TimerView {
public:
    virtual ~TimerView() = default;
    // Show the clock and the round counter of `state`.
    virtual void UpdateDisplay(const TimerState& state) = 0;
    // Fore colour of the time display, as a stored colour value.
    virtual void SetDisplayColor(std::int32_t color) = 0;
    // Make the Start/Stop button and menu command show whether the timer runs.
    virtual void UpdateStartStop(bool running) = 0;
    // Switch the one-second tick source on or off.
    virtual void SetTickSourceEnabled(bool enabled) = 0;
};
