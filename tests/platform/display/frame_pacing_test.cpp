// Without vsync a flip sleeps out the rest of the display's frame: frames drawn faster keep
// its beat, a late frame starts a new beat, and no clock can make a flip wait longer.
#include "platform/display/frame_pacing.h"

#include <gtest/gtest.h>

namespace {

constexpr uint64_t Period = 1000;

TEST(FramePacing, FastFramesKeepTheDisplaysBeatAndALateOneStartsANewBeat) {
  dd::FramePacer pacer{Period, 0};
  EXPECT_EQ(dd::TicksToWait(pacer, 5000), 0u);  // the first frame
  // Frames ready a tenth of a period after the one before wait for their turn.
  uint64_t now = 5000;
  for (int frame = 1; frame <= 4; ++frame) {
    now += 100;
    const uint64_t wait = dd::TicksToWait(pacer, now);
    EXPECT_EQ(now + wait, 5000 + frame * Period) << frame;
    now += wait;
  }
  // A frame later than its turn goes at once and the beat starts from it.
  EXPECT_EQ(dd::TicksToWait(pacer, 10'700), 0u);
  EXPECT_EQ(dd::TicksToWait(pacer, 10'800), 900u);
  EXPECT_EQ(dd::TicksToWait(pacer, 11'700), 1000u);  // ready as the one before went: a whole period
}

TEST(FramePacing, NoClockMakesAFlipWaitLongerThanAPeriodOrAnUnpacedOneAtAll) {
  dd::FramePacer pacer{Period, 0};
  dd::TicksToWait(pacer, 1'000'000);
  EXPECT_EQ(dd::TicksToWait(pacer, 10), 0u);  // the counter went back
  EXPECT_EQ(dd::TicksToWait(pacer, 510), 500u);
  dd::TicksToWait(pacer, UINT64_MAX - 10);  // the beat would pass the counter's end
  EXPECT_LE(dd::TicksToWait(pacer, UINT64_MAX - 5), Period);

  dd::FramePacer unpaced;
  for (uint64_t now : {0u, 1u, 2u, 1000u}) EXPECT_EQ(dd::TicksToWait(unpaced, now), 0u);
}

}  // namespace
