#pragma once
// Surfaces as the game creates them: an off-screen one (caps, width and height only), and
// a flipping primary with one back buffer; a display device to make them on.
#include <functional>
#include <memory>

#include "platform/display/ddraw.h"

std::unique_ptr<dd::Surface> MakeOffscreen(dd::DirectDraw& device, int width, int height);
// The back buffer is left in `back`; null when the chain could not be made.
std::unique_ptr<dd::Surface> MakeFlipChain(dd::DirectDraw& device, dd::Surface*& back);
// Writes value(x, y), the pixel's own bytes of it, into every pixel, row after row.
void WritePixels(dd::Surface& surface, const std::function<uint32_t(int x, int y)>& value);

// A device in the game's display mode at `depth`.
struct Display {
  explicit Display(int depth);
  std::unique_ptr<dd::Surface> Make(int width, int height) {
    return MakeOffscreen(*device, width, height);
  }
  std::unique_ptr<dd::DirectDraw> device;
};
