// Presenting one frame at each depth: the flip, and the conversion to XRGB of what changed
// into the headless window's own pixels. Each frame presented
// is the next play frame, as in the game; the whole-frame variant converts and sends every
// pixel, as after a change of palette.
#include <benchmark/benchmark.h>

#include "bench/stage.h"
#include "video/video.h"

namespace {

void Present(benchmark::State& state, bool whole) {
  if (!stage::Start(static_cast<int>(state.range(0)))) return state.SkipWithError("no start");
  stage::BuildPlayWorld(150);
  stage::PlayFrame();
  if (!dd::testing::HasRenderer()) return state.SkipWithError("no renderer");
  for (auto _ : state) {
    state.PauseTiming();
    stage::PlayFrame();
    if (whole) dd::testing::ForgetShownFrame();
    state.ResumeTiming();
    Video.PrimarySurface->Flip(nullptr, dd::DDFLIP_WAIT);
  }
}

void BM_Present(benchmark::State& state) { Present(state, false); }
void BM_PresentWholeFrame(benchmark::State& state) { Present(state, true); }
BENCHMARK(BM_Present)->Arg(32)->Arg(16)->Arg(8)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PresentWholeFrame)->Arg(16)->Arg(8)->Unit(benchmark::kMicrosecond);

}  // namespace
