#pragma once
// The frame clock: the only source of time for the world simulation.
#include <cstdint>

struct FrameClockState {
  bool UseQPC = false;
  uint64_t Frequency = 0;
  int64_t LastStamp = 0;  // 0: not read yet
};
inline FrameClockState FrameClock;

// Whole milliseconds since the previous call, never negative; 0 on the first call.
double sysFrameTime();
bool sysTimerStart();
void sysTimerEnd();
