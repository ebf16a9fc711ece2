#pragma once
// The frame clock's two time sources: a high-resolution counter and a millisecond timer.
#include <cstdint>

namespace timer {

bool QueryPerformanceFrequency(uint64_t& frequency);
bool QueryPerformanceCounter(int64_t& counter);
uint32_t timeGetTime();
void timeBeginPeriod(unsigned ms);
void timeEndPeriod(unsigned ms);

// Tests replace the real sources with their own.
struct TimeSource {
  virtual ~TimeSource() = default;
  virtual bool Frequency(uint64_t& frequency) = 0;
  virtual int64_t Counter() = 0;
  virtual uint32_t Milliseconds() = 0;
};
// nullptr restores the real sources. The source is not owned.
void UseTimeSource(TimeSource* source);
// How many timeBeginPeriod calls are not yet matched by timeEndPeriod.
int OpenPeriods();

}  // namespace timer
