#pragma once

#include <string>

#include "engine/TimerState.h"
#include "settings/TimerSettings.h"

// The texts the main window shows, built from the timer's state and settings alone.

// "01:05:09": two digits each for hours, minutes and seconds.
std::string TimeText(const TimerState& state);

// The title while minimised: "R:2 - 00:03:15".
std::string MinimisedTitle(const TimerState& state);

// The status line: the interval and rest on the first line, the automatic stop (when on) on
// a second; each line begins with a full-width space.
std::string StatusText(const TimerSettings& settings, bool roundMode);
