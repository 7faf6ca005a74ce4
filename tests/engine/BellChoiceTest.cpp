#include "engine/BellChoice.h"

#include <gtest/gtest.h>

TEST(BellChoice, AnyNonZeroFlagPlaysTheFileOfThatSlotElseItBeeps) {
    TimerSettings s;
    s.BellFlag = {0, 7, -1};
    s.BellFile = {"/a.wav", "/b.wav", "/c.wav"};
    EXPECT_EQ(ChooseBellSound(s, 0), BellSound{});  // flag 0 beeps even with a path
    EXPECT_EQ(ChooseBellSound(s, 1), (BellSound{BellSound::WavFile, "/b.wav"}));
    EXPECT_EQ(ChooseBellSound(s, 2), (BellSound{BellSound::WavFile, "/c.wav"}));
    EXPECT_EQ(ChooseBellSound(s, 3), BellSound{});
    EXPECT_EQ(ChooseBellSound(s, -1), BellSound{});
    s.BellFile[1].clear();  // a WAV bell without a path has nothing to play
    EXPECT_EQ(ChooseBellSound(s, 1), BellSound{});
}
