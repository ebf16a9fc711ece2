#pragma once
// The frame clock: the only source of time for the world simulation.
#include <cstdint>

struct FrameClockState {
  bool UseQPC = false;
  uint64_t Frequency = 0;
  bool Started = false;  // the clock has been read once
  int64_t LastStamp = 0;
};
inline FrameClockState FrameClock;

// Whole milliseconds since the previous call, never negative; 0 on the first call.
double sysFrameTime();
bool sysTimerStart();
void sysTimerEnd();
