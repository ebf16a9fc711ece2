// The play frame at each depth, and its growth with the number of bubbles.
#include <benchmark/benchmark.h>

#include "bench/allocations.h"
#include "bench/stage.h"

namespace {

// A world is measured for 0.2 s of game time and then built anew, so that every step sees
// the same kind of frame.
constexpr int MsPerWorld = 200;

void RunFrames(benchmark::State& state, int depth, int bubbles, int stepMs = 1) {
  const int stepsPerWorld = MsPerWorld / stepMs;
  stage::SetStepMs(stepMs);
  if (!stage::Start(depth)) {
    state.SkipWithError("the game did not start");
    return;
  }
  // The first keyed blits make the sprites' spans, and the first frames the lists of what
  // made each buffer's bands; the frames measured find them made.
  stage::BuildPlayWorld(bubbles);
  for (int i = 0; i < 3; ++i)
    if (!stage::PlayFrame()) {
      state.SkipWithError("a frame failed");
      return;
    }
  stage::BuildPlayWorld(bubbles);
  int steps = 0;
  uint64_t allocations = 0, records = 0;
  for (auto _ : state) {
    if (++steps == stepsPerWorld) {
      state.PauseTiming();
      stage::BuildPlayWorld(bubbles);
      steps = 0;
      state.ResumeTiming();
    }
    const uint64_t before = AllocationCount(), recordsBefore = RecordAllocationCount();
    if (!stage::PlayFrame()) {
      state.SkipWithError("a frame failed");
      break;
    }
    records += RecordAllocationCount() - recordsBefore;
    allocations += AllocationCount() - before;
  }
  // Slabs for bubbles, fallers and floating barrels born in the frame are the game's own;
  // anything else allocated per frame is waste.
  state.counters["allocs_per_frame"] = benchmark::Counter(
      static_cast<double>(allocations - records), benchmark::Counter::kAvgIterations);
  state.counters["record_slabs_per_frame"] =
      benchmark::Counter(static_cast<double>(records), benchmark::Counter::kAvgIterations);
  state.SetLabel(stage::PictureSource());
}

void BM_PlayFrame(benchmark::State& state) {
  RunFrames(state, static_cast<int>(state.range(0)), 150);
}
BENCHMARK(BM_PlayFrame)->Arg(32)->Arg(16)->Arg(8)->Unit(benchmark::kMicrosecond);

// Steps of a 60 Hz frame: every bubble, the submarine and the fallers move each frame.
void BM_PlayFrameAt60Hz(benchmark::State& state) { RunFrames(state, 32, 150, 16); }
BENCHMARK(BM_PlayFrameAt60Hz)->Unit(benchmark::kMicrosecond);

void BM_PlayFrameBubbles(benchmark::State& state) {
  RunFrames(state, 32, static_cast<int>(state.range(0)));
  state.counters["bubbles"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_PlayFrameBubbles)
    ->Arg(150)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
