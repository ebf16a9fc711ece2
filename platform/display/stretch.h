#pragma once
// Inside the display layer only: the 800 × 600 frame scaled into 32-bit XRGB window pixels
// straight from the front buffer's own depth, by nearest neighbour or linearly, one rectangle
// of output at a time so that only what changed is drawn again.
#include <cstdint>
#include <vector>

#include "platform/display/state.h"
#include "platform/window/frame_area.h"

namespace dd {

// For each output column (or row): the two frame pixels it is made of and the weight of the
// second out of 256. Where it is one frame pixel the two are the same and the weight 0.
struct Taps {
  std::vector<uint16_t> first, second, weight;
  bool identity = false;  // one output pixel each frame pixel, in order
  // Linear only: each output's weights as eight lanes, the first pixel's four channels and
  // the second's, for outputs [0, pairs) whose first pixel has another after it.
  std::vector<uint16_t> lanes;
  int pairs = 0;
};

struct StretchPlan {
  win::FrameArea area;  // where the frame goes in the output
  Taps columns, rows;
};

// Nearest steps through the frame in 16.16 from the middle of the first pixel, as SDL's
// own stretch does, so that whole multiples repeat every pixel alike; linear goes through a
// picture `multiple` times the frame drawn by nearest neighbour (1: the frame itself).
Taps NearestTaps(int from, int to);
Taps LinearTaps(int from, int to, int multiple);
// The area and taps of each scaling mode for an output of the given pixels.
StretchPlan PlanStretch(int outputWidth, int outputHeight, win::ScaleMode mode);

// The output rectangle (relative to the area) that a changed band of the frame reaches.
struct OutputSpan {
  int left, top, right, bottom;  // right and bottom exclusive; empty where left >= right
};
OutputSpan SpanOf(const StretchPlan& plan, const ChangedBand& band);

// Draws the span of the frame's area from the front buffer into the output's pixels (the
// area's top-left corner at `out`).
void DrawSpan(const StretchPlan& plan, const OutputSpan& span, const Surface& front,
              const RowConverter& rows, uint8_t* out, int outPitch);

}  // namespace dd
