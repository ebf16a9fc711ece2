#include "app/frame_clock.h"

#include <gtest/gtest.h>

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
  struct Rate {
    uint64_t frequency;
    int64_t ticksPerFrame;
    int frames;
    double expected, tolerance;
  };
  for (const Rate& r : {Rate{1'000'000, 250, 10'000, 2500, 0},  // 0.25 ms frames for 2.5 s
                        Rate{3'579'545, 3'579'545 / 60, 600, 10'000, 1}}) {
    SCOPED_TRACE(r.frequency);
    clock.frequency = r.frequency;
    Start();
    double total = 0;
    for (int i = 0; i < r.frames; ++i) {
      clock.ticks += r.ticksPerFrame;
      const double dt = sysFrameTime();
      EXPECT_GE(dt, 0.0);
      EXPECT_EQ(dt, static_cast<int>(dt));
      total += dt;
    }
    EXPECT_NEAR(total, r.expected, r.tolerance);
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

TEST_F(FrameClockTest, WithoutCounterRunsOnMillisecondTimerAndRestoresItsPeriod) {
  clock.hasCounter = false;
  clock.milliseconds = 0xFFFFFFF0u;  // wraps around during the test
  Start();
  EXPECT_EQ(timer::OpenPeriods(), 1);
  clock.milliseconds += 0x20;
  EXPECT_EQ(sysFrameTime(), 32.0);
  sysTimerEnd();
  EXPECT_EQ(timer::OpenPeriods(), 0);
}

}  // namespace
