#pragma once
// Inside the picture loader only: a picture keeps what its last render made, so that the
// screens that render a picture every frame pay a copy, not a stretch and a colour mapping
// per pixel. The result depends on the rectangles, the target's size and depth and, at 8
// bits, the palette the colours map to; any change of these renders afresh.
#include <array>
#include <cstdint>
#include <vector>

#include "platform/display/ddraw.h"

namespace pic {

struct RenderKey {
  std::array<int32_t, 8> rects{};  // destination x, y, cx, cy; source x, y, cx, cy
  int width = 0, height = 0, bits = 0;
  bool ownPalette = false;  // 8 bits: colours map to `palette`, else to the default colours
  std::array<dd::PALETTEENTRY, 256> palette{};
};
bool operator==(const RenderKey& a, const RenderKey& b);

RenderKey KeyFor(const dd::Surface& surface, const std::array<int32_t, 8>& rects);

struct RenderCache {
  RenderKey key;
  int left = 0, top = 0, right = 0, bottom = 0;  // the clipped rectangle written
  std::vector<uint8_t> rows;                     // its bytes, row after row
  uint64_t content = 0;                          // their name in surfaces' row tags
  bool valid = false;
};

// Writes the remembered result for `key` into the context; false when there is none. Rows
// as wide as the surface are tagged, and one that still holds them is not written again.
bool DrawRemembered(const RenderCache& cache, const RenderKey& key, const dd::HDC& dc);
// Keeps what a render just wrote into the rectangle of the context.
void Remember(RenderCache& cache, const RenderKey& key, const dd::HDC& dc, int left, int top,
              int right, int bottom);

// One row of a picture at its own scale: a straight copy where the target holds the same
// 0x00RRGGBB values (32 bits) or their bytes (24 bits); false for other depths.
bool CopyRowStraight(const uint32_t* rgb, uint8_t* out, int count, int bits);

}  // namespace pic
