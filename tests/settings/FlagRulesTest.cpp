#include "settings/FlagRules.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(FlagRules, EachFlagIsClearedWhenItsAmountIsZeroAndOtherwiseKeptAsItIsEvenHandEdited) {
    TimerSettings s{.IntFlag = 1, .IntMin = 0, .NextFlag = 1, .NextSec = 30, .FinFlag = 1};
    s.FinHour = 0;
    s.FinMin = 30;  // minutes alone are an amount
    ApplyFlagRules(s);
    EXPECT_EQ(std::tuple(s.IntFlag, s.NextFlag, s.FinFlag), std::tuple(0, 1, 1));

    s = {.IntFlag = 2, .IntMin = 75, .NextFlag = 1, .ClearFlag = 1, .FinFlag = 1, .FinHour = 0};
    s.FinNum = "3";  // a round count is no amount of the stop
    ApplyFlagRules(s);
    EXPECT_EQ(std::tuple(s.IntFlag, s.IntMin, s.NextFlag, s.ClearFlag, s.FinFlag),
              std::tuple(2, 75, 0, 1, 0));
}
