#include "ui/main/MainTexts.h"

#include <gtest/gtest.h>

namespace {

TEST(MainTexts, TimeHasTwoDigitsPerPartAndTheMinimisedTitleAddsTheRound) {
    EXPECT_EQ(TimeText({.ClockHour = 1, .ClockMin = 5, .ClockSec = 9}), "01:05:09");
    EXPECT_EQ(TimeText({.ClockHour = 23, .ClockMin = 59, .ClockSec = 59}), "23:59:59");
    EXPECT_EQ(MinimisedTitle({.ClockMin = 3, .ClockSec = 15, .Round = 2}), "R:2 - 00:03:15");
    EXPECT_EQ(MinimisedTitle({.ClockHour = 12, .Round = 32767}), "R:32767 - 12:00:00");
}

TEST(MainTexts, StatusLineSumsUpTheSettings) {
    EXPECT_EQ(StatusText({}, false), "\u3000インターバル設定なし");
    EXPECT_EQ(
        StatusText(
            {.IntFlag = 1, .IntMin = 5, .NextFlag = 1, .NextSec = 30, .FinFlag = 1, .FinNum = "3"},
            true),
        "\u30005分ごとにベル、その後30秒間休む\r\n\u30003ラウンドで停止");
    EXPECT_EQ(
        StatusText({.IntFlag = 1, .IntMin = 5, .FinFlag = 1, .FinHour = 1, .FinMin = 0}, false),
        "\u30005分ごとにベル\r\n\u30001時間0分で停止");
    EXPECT_EQ(
        StatusText({.IntFlag = 1, .IntMin = 5, .FinFlag = 1, .FinHour = 0, .FinMin = 30}, false),
        "\u30005分ごとにベル\r\n\u300030分で停止");
    // The round count is shown as stored.
    EXPECT_EQ(StatusText({.IntFlag = 1, .IntMin = 2, .FinFlag = 1, .FinNum = "３ばん"}, true),
              "\u30002分ごとにベル\r\n\u3000３ばんラウンドで停止");
    // Hand-edited flags: the rest and the stop are shown only for exactly 1.
    EXPECT_EQ(
        StatusText({.IntFlag = 1, .IntMin = 2, .NextFlag = 2, .NextSec = 10, .FinFlag = 2}, true),
        "\u30002分ごとにベル");
}

}  // namespace
