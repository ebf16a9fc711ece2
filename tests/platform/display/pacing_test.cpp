// Whether presenting waits for the display is measured from the presents: a renderer that
// returns at once is paced to the display's beat by the flip, one that waits for the
// retrace is left alone, and a late frame or a counter that goes back starts a new beat.
// The renderer: SDL's own choice where SDL_RENDER_DRIVER names one, software where OpenGL is
// drawn by the CPU, the GPU otherwise (or where OpenGL cannot tell).
#include <gtest/gtest.h>

#include "platform/display/frame_pacing.h"
#include "platform/display/renderer_choice.h"

namespace {

constexpr uint64_t Period = 1000;

// A game that needs `work` ticks a frame, presenting through a renderer that either returns
// at once or waits for the next retrace (every Period ticks from 0).
struct PacedGame {
  bool renderer_waits;
  uint64_t work;
  uint64_t now = 5'000;
  dd::FramePacer pacer{Period};
  uint64_t waited = 0;
  uint64_t Frame() {  // one frame; returns when its present came back
    now += work;
    const uint64_t wait = dd::TicksToWait(pacer, now);
    EXPECT_LE(wait, Period);
    waited += wait;
    now += wait;
    const uint64_t before = now;
    if (renderer_waits) now = (now / Period + 1) * Period;
    dd::NotePresent(pacer, before, now);
    return now;
  }
};

// Either way a frame a display period, within the last frame's rounding; a retrace wait
// that comes on while paced (vsync turned on) loses no frame.
TEST(FramePacing, TheFlipPacesOnlyARendererThatReturnsAtOnce) {
  struct Case {
    bool renderer_waits;
    uint64_t work;
    bool flipWaits, vsyncComesOn = false;
  } cases[] = {
      {false, 100, true}, {true, 100, false}, {true, 900, false}, {false, 100, true, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << c.renderer_waits << " " << c.work << " " << c.vsyncComesOn);
    PacedGame run{c.renderer_waits, c.work};
    for (int i = 0; i < dd::PacingSample * 2; ++i) run.Frame();  // measured
    run.renderer_waits = c.renderer_waits || c.vsyncComesOn;
    run.waited = 0;
    const uint64_t start = run.Frame();
    for (int i = 0; i < 100; ++i) run.Frame();
    EXPECT_EQ(run.waited > 0, c.flipWaits);
    EXPECT_EQ(run.pacer.presentWaits, c.renderer_waits);
    EXPECT_NEAR(static_cast<double>(run.now - start), 100.0 * Period, c.vsyncComesOn ? 0 : Period);
  }
}

TEST(FramePacing, ALateFrameOrACounterThatWentBackStartsANewBeat) {
  dd::FramePacer pacer{Period};
  pacer.presentWaits = false;
  EXPECT_EQ(dd::TicksToWait(pacer, 5000), 0u);  // the first frame
  EXPECT_EQ(dd::TicksToWait(pacer, 5100), 900u);
  EXPECT_EQ(dd::TicksToWait(pacer, 9000), 0u);  // late
  EXPECT_EQ(dd::TicksToWait(pacer, 9100), 900u);
  // Late by one period exactly still keeps the beat: the frame after is due at once.
  EXPECT_EQ(dd::TicksToWait(pacer, 12000), 0u);
  EXPECT_EQ(dd::TicksToWait(pacer, 12100), 0u);
  EXPECT_EQ(dd::TicksToWait(pacer, 12200), 800u);
  EXPECT_EQ(dd::TicksToWait(pacer, 10), 0u);  // the counter went back
  EXPECT_EQ(dd::TicksToWait(pacer, 510), 500u);
  dd::TicksToWait(pacer, UINT64_MAX - 10);  // the beat would pass the counter's end
  EXPECT_LE(dd::TicksToWait(pacer, UINT64_MAX - 5), Period);
  dd::FramePacer unpaced;  // a driver with no display
  unpaced.presentWaits = false;
  for (uint64_t now : {0u, 1u, 2u, 1000u}) EXPECT_EQ(dd::TicksToWait(unpaced, now), 0u);
}

TEST(RendererChoice, SoftwareOnlyWhereOpenGlIsACpuRasteriserAndTheHintAlwaysWins) {
  using dd::RendererPath;
  struct Case {
    const char* hint;
    const char* glRenderer;
    RendererPath path;
  } cases[] = {
      {"", "llvmpipe (LLVM 15.0.6, 256 bits)", RendererPath::Software},
      {"", "Mesa DRI SWRAST", RendererPath::Software},
      {"", "AMD Radeon RX 6600 (radeonsi, navi23, LLVM 15.0.6, DRM 3.49)",
       RendererPath::Accelerated},
      {"", "", RendererPath::Accelerated},  // no OpenGL: try, and fall back to software
      {"opengl", "llvmpipe (LLVM 15.0.6, 256 bits)", RendererPath::AsAsked},
  };
  for (const Case& c : cases)
    EXPECT_EQ(dd::ChooseRenderer(c.hint, c.glRenderer).path, c.path) << c.hint << c.glRenderer;
}

}  // namespace
