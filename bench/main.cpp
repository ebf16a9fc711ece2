// The benchmarks run headless: no display, no sound card.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "bench/stage.h"

int main(int argc, char** argv) {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  stage::Stop();
  benchmark::Shutdown();
  return 0;
}
