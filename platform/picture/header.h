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
// JPEG its frame. Nothing where the headers end before the size, for a GIF whose blocks do
// not follow one another as the format lays them out, and for any other kind of file.
std::optional<ClaimedSize> ClaimedPictureSize(std::span<const uint8_t> bytes);

}  // namespace pic
