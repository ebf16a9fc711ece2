#pragma once
// A performance counter that tests move by hand.
#include <cstdint>

#include "platform/system/timer.h"

struct FakeClock : timer::TimeSource {
  uint64_t frequency = 1'000'000;  // ticks per second
  bool hasCounter = true;
  int64_t ticks = 1'000'000;
  uint32_t milliseconds = 5'000;

  FakeClock() { timer::UseTimeSource(this); }
  ~FakeClock() override { timer::UseTimeSource(nullptr); }

  bool Frequency(uint64_t& f) override {
    f = hasCounter ? frequency : 0;
    return hasCounter;
  }
  int64_t Counter() override { return ticks; }
  uint32_t Milliseconds() override { return milliseconds; }

  void AdvanceMicroseconds(int64_t us) {
    ticks += us * static_cast<int64_t>(frequency) / 1'000'000;
    milliseconds += static_cast<uint32_t>(us / 1000);
  }
};
