#pragma once

#include <cstdint>

// What the engine needs of the main window.
class TimerView {
public:
    virtual ~TimerView() = default;
    // Show the clock and the round counter.
    virtual void UpdateDisplay() = 0;
    // Fore colour of the time display, as a stored colour value.
    virtual void SetDisplayColor(std::int32_t color) = 0;
    // Make the Start/Stop button and menu command reflect RunFlag.
    virtual void UpdateStartStop() = 0;
    // Switch the one-second tick source on or off.
    virtual void SetTickSourceEnabled(bool enabled) = 0;
};
