#include "engine/TimerEngine.h"

#include <limits>

#include "settings/NumberText.h"

namespace {

// Schedule sums are taken in int, so hand-edited settings far outside the dialog's ranges
// cannot overflow the 16-bit fields; floored division keeps the results in 0..59 and 0..23
// even for negative settings.
int floorDiv(int a, int b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}
std::int16_t floorMod(int a, int b) {
    return static_cast<std::int16_t>(a - floorDiv(a, b) * b);
}

}  // namespace

TimerEngine::TimerEngine(const TimerSettings& settings, BellRinger& bells)
    : m_settings(settings), m_bells(bells) {}

void TimerEngine::ResetClock() {
    m_state.ClockSec = 0;
    m_state.ClockMin = 0;
    m_state.ClockHour = 0;
    m_state.BellSec = 0;
    m_state.BellMin = 0;
    m_state.BellHour = 0;
}

void TimerEngine::ClearTimer(TimerView& view) {
    ResetClock();
    m_state.RestFlag = false;
    ScheduleBell();
    view.SetDisplayColor(m_settings.Color);
    // The display is refreshed before the round is reset, so it shows the old round until
    // the next refresh.
    view.UpdateDisplay(m_state);
    m_state.Round = 1;
}

void TimerEngine::StartStop(TimerView& view) {
    if (!m_state.RunFlag) {
        m_state.RunFlag = true;
        view.SetTickSourceEnabled(true);
        m_state.RestFlag = false;
        ScheduleBell();
        view.UpdateStartStop(m_state.RunFlag);
    } else {
        m_state.RunFlag = false;
        view.SetTickSourceEnabled(false);
        view.UpdateStartStop(m_state.RunFlag);
    }
}

void TimerEngine::ScheduleBell() {
    const int minutes = m_settings.IntMin + m_state.ClockMin;
    const int hours = m_state.ClockHour + floorDiv(minutes, 60);
    m_state.BellMin = floorMod(minutes, 60);
    m_state.BellHour = floorMod(hours, 24);
}

void TimerEngine::ScheduleRestEnd() {
    const int seconds = m_settings.NextSec + m_state.ClockSec;
    const int minutes = m_state.ClockMin + floorDiv(seconds, 60);
    m_state.BellSec = floorMod(seconds, 60);
    const int hours = m_state.ClockHour + floorDiv(minutes, 60);
    m_state.BellMin = floorMod(minutes, 60);
    m_state.BellHour = floorMod(hours, 24);
}

void TimerEngine::AdvanceClock() {
    if (++m_state.ClockSec == 60) {
        m_state.ClockSec = 0;
        if (++m_state.ClockMin == 60) {
            m_state.ClockMin = 0;
            if (++m_state.ClockHour == 24) {
                m_state.ClockHour = 0;
            }
        }
    }
}

void TimerEngine::Tick(TimerView& view) {
    AdvanceClock();
    view.UpdateDisplay(m_state);
    if (IsFinished()) {
        FinishTimer(view);
    } else {
        CheckInterval(view);
    }
}

bool TimerEngine::IsRoundMode() const {
    return m_settings.IntFlag == 1 && m_settings.ClearFlag == 1;
}

bool TimerEngine::IsFinished() const {
    if (m_settings.FinFlag == 0) {
        return false;
    }
    if (IsRoundMode()) {
        // A round count that is no number cannot be reached: the stop by rounds is off.
        const auto rounds = ParseNumberText(m_settings.FinNum);
        return rounds && m_state.Round > *rounds;
    }
    return m_state.ClockHour == m_settings.FinHour && m_state.ClockMin == m_settings.FinMin;
}

void TimerEngine::FinishTimer(TimerView& view) {
    m_bells.RingBell(2);
    StartStop(view);
}

void TimerEngine::CheckInterval(TimerView& view) {
    if (m_settings.IntFlag != 0) {
        IntervalStep(view);
    }
}

void TimerEngine::IntervalStep(TimerView& view) {
    if (m_state.ClockHour != m_state.BellHour || m_state.ClockMin != m_state.BellMin ||
        m_state.ClockSec != m_state.BellSec) {
        return;
    }
    m_bells.RingBell(0);
    if (IsRoundMode()) {
        if (m_settings.NextFlag == 0 || !m_state.RestFlag) {
            // Saturates instead of wrapping negative, so the counter and the stop by rounds
            // stay meaningful however long the timer runs.
            if (m_state.Round < std::numeric_limits<std::int16_t>::max()) {
                ++m_state.Round;
            }
            if (IsFinished()) {
                FinishTimer(view);
                return;
            }
        }
        ResetClock();
    }
    if (m_settings.NextFlag == 0) {
        ScheduleBell();
        return;
    }
    if (m_state.RestFlag) {
        m_state.RestFlag = false;
        ScheduleBell();
        view.SetDisplayColor(m_settings.Color);
    } else {
        m_state.RestFlag = true;
        ScheduleRestEnd();
        view.SetDisplayColor(m_settings.RestColor);
    }
}
