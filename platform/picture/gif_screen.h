#pragma once
// A GIF's image stands on its logical screen, which may be larger and place it at an
// offset; the decoder gives the image alone. Readers show the whole screen, the rest of
// it in the screen's background colour.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace pic {

struct GifPlacement {
  int screenWidth = 0, screenHeight = 0;
  int left = 0, top = 0;    // of the first image
  uint32_t background = 0;  // 0x00RRGGBB; black without a global colour table
};
// Nothing when the file ends before its first image descriptor.
std::optional<GifPlacement> FirstGifImagePlacement(std::span<const uint8_t> bytes);

// The image (width × height, top row first) on its screen, grown where the image runs
// past it; the new size in width and height.
std::vector<uint32_t> PlaceOnScreen(const std::vector<uint32_t>& image, int& width, int& height,
                                    const GifPlacement& placement);

}  // namespace pic
