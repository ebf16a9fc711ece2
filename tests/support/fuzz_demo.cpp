#include <cstdio>

#include "app/demo.h"
#include "support/fuzz_entries.h"

void FuzzDemoReader(const uint8_t* data, size_t size) {
  Demo = DemoState{};
  Demo.Mode = DemoMode::Replay;
  Demo.Path = "fuzz input";
  Demo.File = fmemopen(const_cast<uint8_t*>(data), size, "rb");
  if (!Demo.File) return;
  if (DemoReadHeader()) {
    win::MSG msg;
    // Frames read the clock once each, as a play step does.
    for (int i = 0; i < 100000 && !Demo.Broken && !Demo.Ended; ++i)
      if (DemoNext(msg) == DemoStep::Frame) DemoReadTime();
  }
  if (Demo.File) std::fclose(Demo.File);
  Demo = DemoState{};
}
