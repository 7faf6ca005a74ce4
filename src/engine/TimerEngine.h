#pragma once

#include "engine/BellRinger.h"
#include "engine/TimerState.h"
#include "engine/TimerView.h"
#include "settings/TimerSettings.h"

// The elapsed-time clock with its counting and rest phases, round counting and automatic
// stop. It counts ticks, one second each, and never looks at the wall clock. Each command
// tells `view` what to show as it goes.
class TimerEngine {
public:
    TimerEngine(const TimerSettings& settings, BellRinger& bells);

    void ClearTimer(TimerView& view);
    void StartStop(TimerView& view);
    void Tick(TimerView& view);
    bool IsRoundMode() const;
    // Shows the clock and round as they are now, for a window that could not show them while
    // it was minimised.
    void ShowClock(TimerView& view) const { view.UpdateDisplay(m_state); }

    // The window's load step marks the timer stopped before its first clear.
    void ResetRunFlag() { m_state.RunFlag = false; }

private:
    void ResetClock();
    void AdvanceClock();
    bool IsFinished() const;
    void FinishTimer(TimerView& view);
    void CheckInterval(TimerView& view);
    void IntervalStep(TimerView& view);
    void ScheduleBell();
    void ScheduleRestEnd();

    const TimerSettings& m_settings;
    BellRinger& m_bells;
    TimerState m_state;
};
