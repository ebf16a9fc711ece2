#include "platform/picture/gif_screen.h"

#include <algorithm>

namespace pic {

namespace {

int Little16(std::span<const uint8_t> b, size_t at) { return b[at] | b[at + 1] << 8; }

}  // namespace

std::optional<GifPlacement> FirstGifImagePlacement(std::span<const uint8_t> b) {
  if (b.size() < 13) return std::nullopt;
  GifPlacement placement;
  placement.screenWidth = Little16(b, 6);
  placement.screenHeight = Little16(b, 8);
  size_t at = 13;
  if (b[10] & 0x80) {
    const size_t entries = size_t{2} << (b[10] & 7);
    if (b[11] < entries && at + 3 * b[11] + 3 <= b.size()) {
      const uint8_t* c = &b[at + 3 * b[11]];
      placement.background = uint32_t{c[0]} << 16 | uint32_t{c[1]} << 8 | c[2];
    }
    at += 3 * entries;
  }
  // Extensions before the image: a label, then sub-blocks ended by an empty one.
  while (at + 2 < b.size() && b[at] == 0x21) {
    at += 2;
    while (at < b.size() && b[at] != 0) at += b[at] + 1;
    ++at;
  }
  if (at + 5 > b.size() || b[at] != 0x2C) return std::nullopt;
  placement.left = Little16(b, at + 1);
  placement.top = Little16(b, at + 3);
  return placement;
}

std::vector<uint32_t> PlaceOnScreen(const std::vector<uint32_t>& image, int& width, int& height,
                                    const GifPlacement& p) {
  const int screenWidth = std::max(p.screenWidth, p.left + width);
  const int screenHeight = std::max(p.screenHeight, p.top + height);
  std::vector<uint32_t> screen(static_cast<size_t>(screenWidth) * screenHeight, p.background);
  for (int y = 0; y < height; ++y)
    std::copy_n(image.begin() + static_cast<std::ptrdiff_t>(y) * width, width,
                screen.begin() + static_cast<std::ptrdiff_t>(p.top + y) * screenWidth + p.left);
  width = screenWidth;
  height = screenHeight;
  return screen;
}

}  // namespace pic
