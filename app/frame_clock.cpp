#include "app/frame_clock.h"

#include "app/demo.h"
#include "platform/system/system.h"
#include "screens/modes.h"

namespace {

int64_t CurrentStamp() {
  if (!FrameClock.UseQPC) return timer::timeGetTime();
  int64_t counter = 0;
  timer::QueryPerformanceCounter(counter);
  return counter;
}

// Whole milliseconds, but the fraction is carried over: the stamp advances only by the
// counter ticks that the returned milliseconds stand for. Otherwise frames shorter than a
// millisecond would all count 0 and the world would never move.
double MeasureFrameTime() {
  const int64_t now = CurrentStamp();
  if (!FrameClock.Started) {
    FrameClock.Started = true;
    FrameClock.LastStamp = now;
    return 0;
  }
  if (!FrameClock.UseQPC) {
    const uint32_t elapsed =
        static_cast<uint32_t>(now) - static_cast<uint32_t>(FrameClock.LastStamp);
    FrameClock.LastStamp = now;
    return elapsed;
  }
  const int64_t ticks = now - FrameClock.LastStamp;
  const int64_t frequency = static_cast<int64_t>(FrameClock.Frequency);
  if (ticks < 0 || frequency <= 0) {  // a counter that ran backwards restarts the clock
    FrameClock.LastStamp = now;
    return 0;
  }
  const int64_t elapsed = ticks * 1000 / frequency;
  FrameClock.LastStamp += elapsed * frequency / 1000;
  return static_cast<double>(elapsed);
}
}  // namespace

// A replayed demo answers in place of the clock; a recorded one keeps every answer.
double sysFrameTime() {
  if (Demo.Mode == DemoMode::Replay) return DemoReadTime();
  const double elapsed = MeasureFrameTime();
  if (Demo.Mode == DemoMode::Record) DemoWriteTime(elapsed);
  return elapsed;
}

bool sysTimerStart() {
  uint64_t frequency = 0;
  if (timer::QueryPerformanceFrequency(frequency) && frequency != 0) {
    FrameClock.UseQPC = true;
    FrameClock.Frequency = frequency;
  } else {
    FrameClock.UseQPC = false;
    timer::timeBeginPeriod(1);
  }
  SetGameMode(gmLogo);
  crt::srand(12345);
  return true;
}

void sysTimerEnd() {
  if (!FrameClock.UseQPC) timer::timeEndPeriod(1);
}
