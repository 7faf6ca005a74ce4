#include "ui/main/MainTexts.h"

#include <gtest/gtest.h>

namespace {

TimerState at(int h, int m, int s, int round) {
    TimerState state;
    state.ClockHour = static_cast<std::int16_t>(h);
    state.ClockMin = static_cast<std::int16_t>(m);
    state.ClockSec = static_cast<std::int16_t>(s);
    state.Round = static_cast<std::int16_t>(round);
    return state;
}

TEST(MainTexts, TimeHasTwoDigitsPerPart) {
    EXPECT_EQ(TimeText(at(0, 0, 0, 0)), "00:00:00");
    EXPECT_EQ(TimeText(at(1, 5, 9, 1)), "01:05:09");
    EXPECT_EQ(TimeText(at(23, 59, 59, 1)), "23:59:59");
}

TEST(MainTexts, MinimisedTitleCarriesRoundAndTime) {
    EXPECT_EQ(MinimisedTitle(at(0, 3, 15, 2)), "R:2 - 00:03:15");
    EXPECT_EQ(MinimisedTitle(at(0, 0, 5, 10)), "R:10 - 00:00:05");
    EXPECT_EQ(MinimisedTitle(at(12, 0, 0, 32767)), "R:32767 - 12:00:00");
}

TimerSettings interval(int minutes) {
    TimerSettings s;
    s.IntFlag = 1;
    s.IntMin = static_cast<std::int16_t>(minutes);
    return s;
}

TEST(MainTexts, StatusLineSumsUpTheSettings) {
    TimerSettings rounds = interval(5);
    rounds.NextFlag = 1;
    rounds.NextSec = 30;
    rounds.FinFlag = 1;
    rounds.FinNum = "3";
    EXPECT_EQ(StatusText(rounds, true),
              "\u30005分ごとにベル、その後30秒間休む\r\n\u30003ラウンドで停止");

    TimerSettings byTime = interval(5);
    byTime.FinFlag = 1;
    byTime.FinHour = 1;
    byTime.FinMin = 0;
    EXPECT_EQ(StatusText(byTime, false), "\u30005分ごとにベル\r\n\u30001時間0分で停止");

    byTime.FinHour = 0;
    byTime.FinMin = 30;
    EXPECT_EQ(StatusText(byTime, false), "\u30005分ごとにベル\r\n\u300030分で停止");

    EXPECT_EQ(StatusText(TimerSettings{}, false), "\u3000インターバル設定なし");
}

TEST(MainTexts, StatusLineShowsTheRoundCountAsStoredAndOnlyFlagsOfOne) {
    TimerSettings s = interval(2);
    s.FinFlag = 1;
    s.FinNum = "３ばん";
    EXPECT_EQ(StatusText(s, true), "\u30002分ごとにベル\r\n\u3000３ばんラウンドで停止");

    s.NextFlag = 2;  // hand-edited: the rest is shown only for exactly 1
    s.NextSec = 10;
    s.FinFlag = 2;
    EXPECT_EQ(StatusText(s, true), "\u30002分ごとにベル");
}

}  // namespace
