#include "platform/system/timer.h"

#include <SDL.h>

namespace timer {
namespace {
TimeSource* Source = nullptr;
int Periods = 0;
}  // namespace

bool QueryPerformanceFrequency(uint64_t& frequency) {
  if (Source) return Source->Frequency(frequency);
  frequency = SDL_GetPerformanceFrequency();
  return frequency != 0;
}

bool QueryPerformanceCounter(int64_t& counter) {
  counter = Source ? Source->Counter() : static_cast<int64_t>(SDL_GetPerformanceCounter());
  return true;
}

uint32_t timeGetTime() { return Source ? Source->Milliseconds() : SDL_GetTicks(); }

void timeBeginPeriod(unsigned) { ++Periods; }
void timeEndPeriod(unsigned) {
  if (Periods > 0) --Periods;
}

void UseTimeSource(TimeSource* source) { Source = source; }
int OpenPeriods() { return Periods; }

}  // namespace timer
