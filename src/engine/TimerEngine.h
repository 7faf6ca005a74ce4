#pragma once

#include "engine/BellRinger.h"
#include "engine/TimerState.h"
#include "engine/TimerView.h"
#include "settings/TimerSettings.h"

// The elapsed-time clock with its counting and rest phases, round counting and automatic
// stop. It counts ticks, one second each, and never looks at the wall clock.
class TimerEngine {
public:
    TimerEngine(const TimerSettings& settings, BellRinger& bells);

    // The window is created after the engine; until it is attached the engine shows nothing.
    void attachView(TimerView& view) { m_view = &view; }

    void ClearTimer();
    void StartStop();
    void Tick();
    bool IsRoundMode() const;

    // The window's load step marks the timer stopped before its first clear.
    void ResetRunFlag() { m_state.RunFlag = false; }

    const TimerState& state() const { return m_state; }

private:
    void ResetClock();
    void AdvanceClock();
    bool IsFinished() const;
    void FinishTimer();
    void CheckInterval();
    void IntervalStep();
    void ScheduleBell();
    void ScheduleRestEnd();

    const TimerSettings& m_settings;
    BellRinger& m_bells;
    TimerView* m_view;
    TimerState m_state;
};
