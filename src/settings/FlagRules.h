#pragma once

#include "settings/TimerSettings.h"

// A switch without its amount means nothing, so it is cleared: IntFlag without IntMin,
// NextFlag without NextSec, FinFlag without FinHour or FinMin. The round count is no amount
// of FinFlag's, and ClearFlag has none. Applied on load and on the Options dialog's OK.
void ApplyFlagRules(TimerSettings& settings);
