#include "settings/FlagRules.h"

void ApplyFlagRules(TimerSettings& s) {
    if (s.IntMin == 0) {
        s.IntFlag = 0;
    }
    if (s.NextSec == 0) {
        s.NextFlag = 0;
    }
    if (s.FinHour == 0 && s.FinMin == 0) {
        s.FinFlag = 0;
    }
}
