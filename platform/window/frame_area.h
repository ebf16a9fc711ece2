#pragma once
// For the platform layer only: where the 800 × 600 frame goes in the window's pixels, kept
// at 4:3 and letterboxed, and where a point of the window falls in the frame.
#include "platform/window/window.h"

namespace win {

constexpr int FrameWidth = 800, FrameHeight = 600;

struct FrameArea {
  int x = 0, y = 0, w = FrameWidth, h = FrameHeight;  // in output pixels
};

// The frame's place in an output of the given pixels: the largest whole multiple for
// Integer (where one fits), else the largest 4:3 rectangle; centred.
FrameArea FitFrame(int outputWidth, int outputHeight, ScaleMode mode);
// The whole multiple the smooth mode scales to by nearest neighbour before going linear to
// the area (1: linear from the frame itself).
int SharpMultiple(const FrameArea& area);

// A window point (in the window's units, which high-DPI displays make larger than pixels)
// as a frame position, clamped to the frame, also in the letterbox bars.
struct FramePoint {
  int x, y;
};
FramePoint ToFrame(int x, int y, int windowWidth, int windowHeight, int outputWidth,
                   int outputHeight, ScaleMode mode);

}  // namespace win
