#include "app/frame_clock.h"

#include <gtest/gtest.h>

#include <tuple>

#include "platform/system/timer.h"
#include "support/fake_clock.h"

namespace {

// A started clock whose first reading has been taken.
struct FrameClockTest : ::testing::Test {
  FakeClock clock;
  void Start() {
    FrameClock = {};
    sysTimerStart();
    EXPECT_EQ(sysFrameTime(), 0.0);  // the first call
  }
  void SetUp() override { Start(); }
};

// Sub-millisecond frames, and 60 Hz on an odd counter rate.
TEST_F(FrameClockTest, ManyFramesAddUpToTheWallClock) {
  // Frequency, ticks a frame (0.25 ms, 1/60 s), frames, the milliseconds they make, tolerance.
  for (const auto& [frequency, ticks, frames, expected, tolerance] :
       {std::tuple<uint64_t, int64_t, int, double, double>{1'000'000, 250, 10'000, 2500, 0},
        {3'579'545, 3'579'545 / 60, 600, 10'000, 1}}) {
    SCOPED_TRACE(frequency);
    clock.frequency = frequency;
    Start();
    double total = 0;
    for (int i = 0; i < frames; ++i) {
      clock.ticks += ticks;
      const double dt = sysFrameTime();
      EXPECT_TRUE(dt >= 0 && dt == static_cast<int>(dt)) << dt;
      total += dt;
    }
    EXPECT_NEAR(total, expected, tolerance);
  }
}

// A restart after a pause counts from there on; a counter that ran backwards gives zero.
TEST_F(FrameClockTest, ARestartOrACounterRunningBackwardsGivesZero) {
  clock.AdvanceMicroseconds(60'000'000);  // a minute in the menu
  sysFrameTime();                         // play resumes: the result is ignored
  clock.AdvanceMicroseconds(20'000);
  EXPECT_EQ(sysFrameTime(), 20.0);
  clock.ticks -= 50'000;
  EXPECT_EQ(sysFrameTime(), 0.0);
}

}  // namespace
