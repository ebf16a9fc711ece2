#include "platform/picture/render_cache.h"

#include <cstring>

namespace pic {

bool operator==(const RenderKey& a, const RenderKey& b) {
  return a.rects == b.rects && a.width == b.width && a.height == b.height && a.bits == b.bits &&
         a.ownPalette == b.ownPalette &&
         std::memcmp(a.palette.data(), b.palette.data(), sizeof a.palette) == 0;
}

RenderKey KeyFor(const dd::Surface& surface, const std::array<int32_t, 8>& rects) {
  RenderKey key;
  key.rects = rects;
  key.width = surface.Width();
  key.height = surface.Height();
  key.bits = surface.BitsPerPixel();
  if (key.bits == 8)
    if (const dd::Palette* palette = surface.EffectivePalette()) {
      key.ownPalette = true;
      key.palette = palette->Entries();
    }
  return key;
}

bool DrawRemembered(const RenderCache& cache, const RenderKey& key, const dd::HDC& dc) {
  if (!cache.valid || !(cache.key == key)) return false;
  const size_t bytes = static_cast<size_t>(cache.right - cache.left) * ((key.bits + 7) / 8);
  const size_t offset = static_cast<size_t>(cache.left) * ((key.bits + 7) / 8);
  dd::Surface& surface = *dc.surface;
  const bool whole = cache.left == 0 && cache.right == surface.Width();
  if (!whole) surface.RowsWritten(cache.top, cache.bottom);
  for (int y = cache.top; y < cache.bottom; ++y) {
    if (whole) {
      const uint64_t tag = dd::RowTagOf(cache.content, 0, y);
      if (surface.RowTag(y) == tag) continue;
      surface.SetRowTag(y, tag);
    }
    std::memcpy(dc.bits + static_cast<size_t>(y) * dc.pitch + offset,
                cache.rows.data() + static_cast<size_t>(y - cache.top) * bytes, bytes);
  }
  return true;
}

void Remember(RenderCache& cache, const RenderKey& key, const dd::HDC& dc, int left, int top,
              int right, int bottom) {
  const size_t bytes = static_cast<size_t>(right - left) * ((key.bits + 7) / 8);
  const size_t offset = static_cast<size_t>(left) * ((key.bits + 7) / 8);
  cache.rows.resize(bytes * (bottom - top));
  for (int y = top; y < bottom; ++y)
    std::memcpy(cache.rows.data() + static_cast<size_t>(y - top) * bytes,
                dc.bits + static_cast<size_t>(y) * dc.pitch + offset, bytes);
  cache.key = key;
  cache.content = dd::NewContentId();
  cache.left = left, cache.top = top, cache.right = right, cache.bottom = bottom;
  cache.valid = true;
}

bool CopyRowStraight(const uint32_t* rgb, uint8_t* out, int count, int bits) {
  if (bits == 32) {
    std::memcpy(out, rgb, static_cast<size_t>(count) * 4);
    return true;
  }
  if (bits != 24) return false;
  for (int i = 0; i < count; ++i, out += 3)
    out[0] = static_cast<uint8_t>(rgb[i]), out[1] = static_cast<uint8_t>(rgb[i] >> 8),
    out[2] = static_cast<uint8_t>(rgb[i] >> 16);
  return true;
}

}  // namespace pic
