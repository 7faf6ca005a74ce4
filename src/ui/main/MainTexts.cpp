#include "ui/main/MainTexts.h"

#include <cstdio>

namespace {

std::string twoDigits(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d", value);
    return text;
}

const char* const FullWidthSpace = "\u3000";

}  // namespace

std::string TimeText(const TimerState& state) {
    return twoDigits(state.ClockHour) + ":" + twoDigits(state.ClockMin) + ":" +
           twoDigits(state.ClockSec);
}

std::string MinimisedTitle(const TimerState& state) {
    return "R:" + std::to_string(state.Round) + " - " + TimeText(state);
}

std::string StatusText(const TimerSettings& s, bool roundMode) {
    std::string text = FullWidthSpace;
    if (s.IntFlag == 0) {
        text += "インターバル設定なし";
    } else {
        text += std::to_string(s.IntMin) + "分ごとにベル";
        if (s.NextFlag == 1) {
            text += "、その後" + std::to_string(s.NextSec) + "秒間休む";
        }
    }
    if (s.FinFlag == 1) {
        text += "\r\n";
        text += FullWidthSpace;
        if (roundMode) {
            text += s.FinNum + "ラウンドで停止";
        } else {
            if (s.FinHour != 0) {
                text += std::to_string(s.FinHour) + "時間";
            }
            text += std::to_string(s.FinMin) + "分で停止";
        }
    }
    return text;
}
