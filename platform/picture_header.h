#pragma once
// The size a picture file claims in its headers, read before anything is decoded.
#include <cstdint>
#include <optional>
#include <span>

namespace pic {

struct ClaimedSize {
  int64_t width = 0, height = 0;
};
// For a BMP its header; for a GIF the logical screen grown to hold every image; for a
// JPEG its frame. Nothing where the headers end before the size or are not one of these.
std::optional<ClaimedSize> ClaimedPictureSize(std::span<const uint8_t> bytes);

}  // namespace pic
