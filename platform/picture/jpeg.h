#pragma once
// JPEG decoding held to what the file holds: a premature end or corrupt data refuses the
// picture instead of painting its missing part grey, and four-channel files (CMYK, YCCK,
// Adobe's inverted form included) are converted to RGB.
#include <cstdint>
#include <span>
#include <vector>

namespace pic {

struct DecodedJpeg {
  int width = 0, height = 0;
  std::vector<uint32_t> rgb;  // 0x00RRGGBB, top row first
};

// False when the decoder reports an error or any damage, for a colour space it cannot
// convert, and when it would need more than `memoryLimit` bytes of its own.
bool DecodeJpeg(std::span<const uint8_t> bytes, size_t memoryLimit, DecodedJpeg& out);

}  // namespace pic
