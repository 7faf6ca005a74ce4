#include "settings/FlagRules.h"

#include <gtest/gtest.h>

namespace {

TEST(FlagRules, EachFlagIsClearedWhenItsAmountIsZero) {
    TimerSettings s{.IntFlag = 1,
                    .IntMin = 0,
                    .NextFlag = 1,
                    .NextSec = 30,
                    .FinFlag = 1,
                    .FinHour = 0,
                    .FinMin = 30};
    ApplyFlagRules(s);
    EXPECT_EQ(s.IntFlag, 0);
    EXPECT_EQ(s.NextFlag, 1);
    EXPECT_EQ(s.FinFlag, 1);  // minutes alone are an amount

    s = {.IntFlag = 1,
         .IntMin = 1,
         .NextFlag = 1,
         .NextSec = 0,
         .FinFlag = 1,
         .FinHour = 0,
         .FinMin = 0,
         .FinNum = "3"};
    ApplyFlagRules(s);
    EXPECT_EQ(s.IntFlag, 1);
    EXPECT_EQ(s.NextFlag, 0);
    EXPECT_EQ(s.FinFlag, 0);  // a round count is no amount of the stop
}

TEST(FlagRules, AFlagWithItsAmountIsKeptAsItIsEvenHandEdited) {
    TimerSettings s{.IntFlag = 2, .IntMin = 75, .ClearFlag = 1, .FinFlag = 1, .FinHour = 1};
    const TimerSettings before = s;
    ApplyFlagRules(s);
    EXPECT_EQ(s, before);
}

}  // namespace
