#include "ui/main/MainTexts.h"

#include <gtest/gtest.h>

TEST(MainTexts, StatusLineSumsUpTheSettings) {
    TimerSettings s;
    EXPECT_EQ(StatusText(s, false), "\u3000インターバル設定なし");
    s = {.IntFlag = 1, .IntMin = 5, .FinFlag = 1, .FinHour = 1, .FinMin = 0};
    EXPECT_EQ(StatusText(s, false), "\u30005分ごとにベル\r\n\u30001時間0分で停止");
    s.FinHour = 0;
    s.FinMin = 30;
    EXPECT_EQ(StatusText(s, false), "\u30005分ごとにベル\r\n\u300030分で停止");
    s.NextFlag = 1;
    s.NextSec = 30;
    s.FinNum = "３ばん";  // shown as stored
    EXPECT_EQ(StatusText(s, true),
              "\u30005分ごとにベル、その後30秒間休む\r\n\u3000３ばんラウンドで停止");
    // Hand-edited flags: the rest and the stop are shown only for exactly 1.
    s.NextFlag = s.FinFlag = 2;
    EXPECT_EQ(StatusText(s, true), "\u30005分ごとにベル");
}
