// Presenting one frame at each depth: the flip, the conversion to XRGB and the upload into
// the streaming texture, on the headless window's software renderer.
#include <benchmark/benchmark.h>

#include "bench/stage.h"
#include "video/video.h"

namespace {

void BM_Present(benchmark::State& state) {
  if (!stage::Start(static_cast<int>(state.range(0)))) return state.SkipWithError("no start");
  stage::BuildPlayWorld(150);
  stage::PlayFrame();
  const bool renderer = dd::testing::HasRenderer();
  if (!renderer) {  // without a renderer the frame is still converted, for the tests' copy
    state.SetLabel("no renderer: conversion only");
    dd::testing::KeepPresentedFrames(true);
  }
  for (auto _ : state) Video.PrimarySurface->Flip(nullptr, dd::DDFLIP_WAIT);
  dd::testing::KeepPresentedFrames(false);
}
BENCHMARK(BM_Present)->Arg(32)->Arg(16)->Arg(8)->Unit(benchmark::kMicrosecond);

}  // namespace
