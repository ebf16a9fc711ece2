// Copies between surfaces with DirectDraw's contract, and colour fills. A keyed copy runs
// over the opaque spans of the source, found once per key rather than once per frame.
#include <algorithm>
#include <cstring>

#include "platform/ddraw.h"
#include "platform/ddraw_rows.h"
#include "platform/ddraw_state.h"

namespace dd {

namespace {

int BytesPerPixel(int bits) { return (bits + 7) / 8; }

bool Inside(const RECT& r, int width, int height) {
  return r.left >= 0 && r.top >= 0 && r.right <= width && r.bottom <= height && r.left < r.right &&
         r.top < r.bottom;
}

std::vector<testing::BlitRecord>* Recorder = nullptr;

uint32_t Load(const uint8_t* p, int bytes) {
  uint32_t v = 0;
  std::memcpy(&v, p, bytes);
  return v;
}

}  // namespace

void testing::RecordBlits(std::vector<BlitRecord>* into) { Recorder = into; }

const KeySpans& Surface::CurrentSpans() {
  if (Spans.valid) return Spans;
  Spans.rowStart.assign(1, 0);
  Spans.spans.clear();
  const int bytes = BytesPerPixel(Bits);
  const uint32_t mask = PixelMask(Bits);
  for (int y = 0; y < H; ++y) {
    const uint8_t* row = Memory.data() + static_cast<size_t>(y) * RowBytes;
    int x = 0;
    while (x < W) {
      while (x < W && (Load(row + x * bytes, bytes) & mask) == Key) ++x;
      int begin = x;
      while (x < W && (Load(row + x * bytes, bytes) & mask) != Key) ++x;
      if (x > begin)
        Spans.spans.push_back({static_cast<uint16_t>(begin), static_cast<uint16_t>(x)});
    }
    Spans.rowStart.push_back(static_cast<uint32_t>(Spans.spans.size()));
  }
  Spans.valid = true;
  return Spans;
}

HRESULT Surface::BltFast(int32_t x, int32_t y, Surface* source, const RECT* sourceRect,
                         uint32_t flags) {
  if (!source) return DDERR_INVALIDPARAMS;
  if (Lost || source->Lost) return DDERR_SURFACELOST;
  if (Locked || DcHeld || source->Locked || source->DcHeld) return DDERR_SURFACEBUSY;
  if (source->Bits != Bits) return DDERR_INVALIDPIXELFORMAT;
  const RECT r = sourceRect ? *sourceRect : RECT{0, 0, source->W, source->H};
  if (!Inside(r, source->W, source->H)) return DDERR_INVALIDRECT;
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (x < 0 || y < 0 || int64_t{x} + w > W || int64_t{y} + h > H) return DDERR_INVALIDRECT;

  if (Recorder) Recorder->push_back({source, r, x, y, flags});

  const int bytes = BytesPerPixel(Bits);
  const bool keyed = (flags & DDBLTFAST_SRCCOLORKEY) && source->KeySet;
  const KeySpans* spans = keyed ? &source->CurrentSpans() : nullptr;

  // A copy within one surface reads from a snapshot, so overlapping rectangles stay intact.
  std::vector<uint8_t> snapshot;
  const uint8_t* srcBase = source->Memory.data();
  if (source == this) {
    snapshot = Memory;
    srcBase = snapshot.data();
  }
  const int srcPitch = source->RowBytes;
  Written();

  for (int row = 0; row < h; ++row) {
    const int sy = r.top + row;
    const uint8_t* src = srcBase + static_cast<size_t>(sy) * srcPitch;
    uint8_t* dst = Memory.data() + static_cast<size_t>(y + row) * RowBytes +
                   static_cast<size_t>(x - r.left) * bytes;
    if (!keyed) {
      rows::Copy(dst + r.left * bytes, src + r.left * bytes, static_cast<size_t>(w) * bytes);
      continue;
    }
    auto first = spans->spans.begin() + spans->rowStart[sy];
    auto last = spans->spans.begin() + spans->rowStart[sy + 1];
    first =
        std::partition_point(first, last, [&](const KeySpans::Span& s) { return s.end <= r.left; });
    for (; first != last && first->begin < r.right; ++first) {
      const int b = std::max<int>(first->begin, r.left), e = std::min<int>(first->end, r.right);
      rows::Copy(dst + b * bytes, src + b * bytes, static_cast<size_t>(e - b) * bytes);
    }
  }
  return DD_OK;
}

HRESULT Surface::Blt(const RECT* destRect, Surface*, const RECT*, uint32_t flags,
                     const DDBLTFX* fx) {
  if (!(flags & DDBLT_COLORFILL)) return DDERR_UNSUPPORTED;
  if (!fx) return DDERR_INVALIDPARAMS;
  if (HRESULT hr = CheckUsable(); Failed(hr)) return hr;
  const RECT r = destRect ? *destRect : RECT{0, 0, W, H};
  if (!Inside(r, W, H)) return DDERR_INVALIDRECT;
  Written();
  const int bytes = BytesPerPixel(Bits);
  const uint32_t value = fx->dwFillColor & PixelMask(Bits);
  for (int y = r.top; y < r.bottom; ++y)
    rows::Fill(Memory.data() + static_cast<size_t>(y) * RowBytes + r.left * bytes, r.right - r.left,
               bytes, value);
  return DD_OK;
}

}  // namespace dd
