#pragma once
// Inside the display layer only: runs of pixels copied and filled. Sprites are made of
// short runs (a bubble row is 6 pixels, a glyph stroke 3, a barrel row 32), so their
// copies stay inline instead of calling the library's memcpy for each one.
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace dd::rows {

// Copies n bytes between buffers that do not overlap.
inline void Copy(uint8_t* dst, const uint8_t* src, size_t n) {
  // Fixed-size pieces become plain loads and stores (as wide as the caller is compiled
  // for); the last piece may overlap the one before, which is harmless for a copy. Runs
  // longer than a sprite's row are the library's.
  if (n > 256) {
    std::memcpy(dst, src, n);
  } else if (n > 64) {
    for (size_t i = 0; i + 64 < n; i += 64) std::memcpy(dst + i, src + i, 64);
    std::memcpy(dst + n - 64, src + n - 64, 64);
  } else if (n > 32) {
    std::memcpy(dst, src, 32);
    std::memcpy(dst + n - 32, src + n - 32, 32);
  } else if (n > 16) {
    std::memcpy(dst, src, 16);
    std::memcpy(dst + n - 16, src + n - 16, 16);
  } else if (n >= 8) {
    std::memcpy(dst, src, 8);
    std::memcpy(dst + n - 8, src + n - 8, 8);
  } else if (n >= 4) {
    std::memcpy(dst, src, 4);
    std::memcpy(dst + n - 4, src + n - 4, 4);
  } else if (n >= 2) {
    std::memcpy(dst, src, 2);
    std::memcpy(dst + n - 2, src + n - 2, 2);
  } else if (n == 1) {
    *dst = *src;
  }
}

// Writes `count` pixels of `bytes` bytes each with the value's low bytes.
inline void Fill(uint8_t* dst, size_t count, int bytes, uint32_t value) {
  if (bytes == 1) {
    std::memset(dst, static_cast<int>(value & 0xFF), count);
    return;
  }
  // 48 bytes hold a whole number of pixels at 2, 3 and 4 bytes a pixel.
  constexpr size_t PatternBytes = 48;
  uint8_t pattern[PatternBytes];
  for (size_t i = 0; i < PatternBytes; i += bytes) std::memcpy(pattern + i, &value, bytes);
  size_t left = count * bytes;
  for (; left >= PatternBytes; left -= PatternBytes, dst += PatternBytes)
    std::memcpy(dst, pattern, PatternBytes);
  std::memcpy(dst, pattern, left);
}

// Fills `height` rows of `count` pixels from dst down: the first row is made and then
// copied, which runs at the speed of a copy rather than of the pattern loop.
inline void FillRows(uint8_t* dst, size_t pitch, int height, size_t count, int bytes,
                     uint32_t value) {
  if (height <= 0) return;
  Fill(dst, count, bytes, value);
  for (int y = 1; y < height; ++y)
    std::memcpy(dst + static_cast<size_t>(y) * pitch, dst, count * bytes);
}

}  // namespace dd::rows
