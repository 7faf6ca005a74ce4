#include "engine/BellChoice.h"

#include <gtest/gtest.h>

TEST(BellChoice, FlagZeroBeepsEvenWithAPath) {
    TimerSettings s;
    s.BellFile[0] = "/sounds/gong.wav";
    EXPECT_EQ(ChooseBellSound(s, 0), BellSound{});
}

TEST(BellChoice, AnyNonZeroFlagPlaysTheFileOfThatSlot) {
    TimerSettings s;
    s.BellFlag = {1, 7, -1};
    s.BellFile = {"/a.wav", "/b.wav", "/c.wav"};
    EXPECT_EQ(ChooseBellSound(s, 0), (BellSound{BellSound::WavFile, "/a.wav"}));
    EXPECT_EQ(ChooseBellSound(s, 1), (BellSound{BellSound::WavFile, "/b.wav"}));
    EXPECT_EQ(ChooseBellSound(s, 2), (BellSound{BellSound::WavFile, "/c.wav"}));
}

TEST(BellChoice, WavWithoutAPathOrAnUnknownSlotBeeps) {
    TimerSettings s;
    s.BellFlag = {1, 1, 1};
    s.BellFile = {"", "/b.wav", "/c.wav"};
    EXPECT_EQ(ChooseBellSound(s, 0), BellSound{});
    EXPECT_EQ(ChooseBellSound(s, 3), BellSound{});
    EXPECT_EQ(ChooseBellSound(s, -1), BellSound{});
}
