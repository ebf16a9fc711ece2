#include "platform/window/frame_area.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace win {

FrameArea FitFrame(int outputWidth, int outputHeight, ScaleMode mode) {
  const int w = std::max(outputWidth, 1), h = std::max(outputHeight, 1);
  FrameArea area;
  const int multiple = std::min(w / FrameWidth, h / FrameHeight);
  if (mode == ScaleMode::Integer && multiple >= 1) {
    area.w = FrameWidth * multiple;
    area.h = FrameHeight * multiple;
  } else if (int64_t{w} * FrameHeight <= int64_t{h} * FrameWidth) {
    area.w = w;  // narrower than 4:3: bars above and below
    area.h = std::max(1, static_cast<int>(int64_t{w} * FrameHeight / FrameWidth));
  } else {
    area.h = h;
    area.w = std::max(1, static_cast<int>(int64_t{h} * FrameWidth / FrameHeight));
  }
  area.x = (w - area.w) / 2;
  area.y = (h - area.h) / 2;
  return area;
}

int SharpMultiple(const FrameArea& area) {
  return std::max(1, std::min(area.w / FrameWidth, area.h / FrameHeight));
}

FramePoint ToFrame(int x, int y, int windowWidth, int windowHeight, int outputWidth,
                   int outputHeight, ScaleMode mode) {
  const FrameArea area = FitFrame(outputWidth, outputHeight, mode);
  // The window's units to its pixels, then the pixel's centre into the frame.
  const double px = (x + 0.5) * outputWidth / std::max(windowWidth, 1);
  const double py = (y + 0.5) * outputHeight / std::max(windowHeight, 1);
  const double fx = std::floor((px - area.x) * FrameWidth / area.w);
  const double fy = std::floor((py - area.y) * FrameHeight / area.h);
  return {static_cast<int>(std::clamp(fx, 0.0, FrameWidth - 1.0)),
          static_cast<int>(std::clamp(fy, 0.0, FrameHeight - 1.0))};
}

}  // namespace win
