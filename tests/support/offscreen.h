#pragma once
// Surfaces as the game creates them, off-screen (caps, width and height only), on a display
// device of their own.
#include <functional>
#include <memory>

#include "platform/display/ddraw.h"
#include "platform/picture/picture.h"

std::unique_ptr<dd::Surface> MakeOffscreen(dd::DirectDraw& device, int width, int height);
// Writes value(x, y), the pixel's own bytes of it, into every pixel, row after row.
void WritePixels(dd::Surface& surface, const std::function<uint32_t(int x, int y)>& value);

// A colour fill of the rectangle (the whole surface when null) with the pixel value.
void FillSurface(dd::Surface& surface, uint32_t value, const dd::RECT* rect = nullptr);
// The whole picture over (x, y, w, h), drawn from the bottom edge up with a negative
// height as the screens draw: upright for h > 0, flipped for h < 0.
void RenderPicture(const pic::Picture& p, dd::Surface& s, int x, int y, int w, int h);

struct Display {
  explicit Display(int depth);
  std::unique_ptr<dd::Surface> Make(int width, int height) {
    return MakeOffscreen(*device, width, height);
  }
  std::unique_ptr<dd::DirectDraw> device;
};
