#include <gtest/gtest.h>

#include "app/shell.h"

TEST(Switches, NoSwitchAsksForThirtyTwoBitsWithEverythingOn) {
  const SwitchFlags f = ReadSwitches("");
  EXPECT_EQ(SwitchDepth(f), 32);
  EXPECT_FALSE(f.NoCDMusic || f.Use8BitColors || f.DoubleBuffer || f.NoSound || f.SelectMode);
  EXPECT_TRUE(f.ShowBackground);
  EXPECT_TRUE(f.Use32BitColors);
}

TEST(Switches, EightBitsWinsOverSixteenInAnyOrder) {
  EXPECT_EQ(SwitchDepth(ReadSwitches("--use-16-bit-colors --use-8-bit-colors")), 8);
  EXPECT_EQ(SwitchDepth(ReadSwitches("--use-8-bit-colors --use-16-bit-colors")), 8);
  EXPECT_EQ(SwitchDepth(ReadSwitches("--use-16-bit-colors")), 16);
  EXPECT_EQ(SwitchDepth(ReadSwitches("--use-8-bit-colors")), 8);
}

TEST(Switches, ASwitchCountsInsideALongerWordButCaseMatters) {
  EXPECT_TRUE(ReadSwitches("x--no-soundy").NoSound);
  EXPECT_FALSE(ReadSwitches("--NO-SOUND").NoSound);
  EXPECT_FALSE(ReadSwitches("--no-soun d").NoSound);
  const SwitchFlags all = ReadSwitches(
      "--no-cd-music --double-buffer --no-sound --select-mode --no-background --no-sound");
  EXPECT_TRUE(all.NoCDMusic && all.DoubleBuffer && all.NoSound && all.SelectMode);
  EXPECT_FALSE(all.ShowBackground);
}
