#include "app/frame_clock.h"

#include <gtest/gtest.h>

#include "platform/timer.h"
#include "support/fake_clock.h"

namespace {
void StartClock() {
  FrameClock = {};
  sysTimerStart();
}
}  // namespace

TEST(FrameClock, FirstCallIsZeroThenWholeMilliseconds) {
  FakeClock clock;
  StartClock();
  EXPECT_EQ(sysFrameTime(), 0.0);
  clock.AdvanceMicroseconds(16'700);
  EXPECT_EQ(sysFrameTime(), 16.0);
  clock.AdvanceMicroseconds(300);  // 0.7 ms were left over: now 1.0 ms
  EXPECT_EQ(sysFrameTime(), 1.0);
}

TEST(FrameClock, SubMillisecondFramesAddUpToTheWallClock) {
  FakeClock clock;
  StartClock();
  sysFrameTime();
  double total = 0;
  for (int i = 0; i < 10'000; ++i) {  // 10 000 frames of 0.25 ms: 2.5 s
    clock.AdvanceMicroseconds(250);
    const double dt = sysFrameTime();
    EXPECT_GE(dt, 0.0);
    EXPECT_EQ(dt, static_cast<int>(dt));
    total += dt;
  }
  EXPECT_EQ(total, 2500.0);
}

TEST(FrameClock, SixtyHertzLosesNoTime) {
  FakeClock clock;
  clock.frequency = 3'579'545;  // an odd counter rate
  StartClock();
  sysFrameTime();
  double total = 0;
  for (int i = 0; i < 600; ++i) {  // ten seconds at 60 Hz
    clock.ticks += static_cast<int64_t>(clock.frequency) / 60;
    total += sysFrameTime();
  }
  EXPECT_NEAR(total, 10'000.0, 1.0);
}

TEST(FrameClock, ARestartDiscardsThePausedTime) {
  FakeClock clock;
  StartClock();
  sysFrameTime();
  clock.AdvanceMicroseconds(60'000'000);  // a minute in the menu
  sysFrameTime();                         // play resumes: the result is ignored
  clock.AdvanceMicroseconds(20'000);
  EXPECT_EQ(sysFrameTime(), 20.0);
}

TEST(FrameClock, ACounterRunningBackwardsGivesZero) {
  FakeClock clock;
  StartClock();
  sysFrameTime();
  clock.ticks -= 50'000;
  EXPECT_EQ(sysFrameTime(), 0.0);
  clock.AdvanceMicroseconds(5'000);
  EXPECT_EQ(sysFrameTime(), 5.0);
}

TEST(FrameClock, WithoutCounterRunsOnMillisecondTimerAndRestoresItsPeriod) {
  FakeClock clock;
  clock.hasCounter = false;
  clock.milliseconds = 0xFFFFFFF0u;  // wraps around during the test
  StartClock();
  EXPECT_EQ(timer::OpenPeriods(), 1);
  EXPECT_EQ(sysFrameTime(), 0.0);
  clock.milliseconds += 0x20;
  EXPECT_EQ(sysFrameTime(), 32.0);
  sysTimerEnd();
  EXPECT_EQ(timer::OpenPeriods(), 0);
}
