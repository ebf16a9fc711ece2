// Copies between surfaces with DirectDraw's contract, and colour fills. A keyed copy runs
// over the opaque spans of the source, found once per key rather than once per frame.
#include <algorithm>
#include <cstring>

#include "platform/ddraw.h"
#include "platform/ddraw_rows.h"
#include "platform/ddraw_state.h"

namespace dd {

namespace {

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

// The opaque pixels of rectangle r, row by row, to dst (the destination's pixel for r's
// top-left corner). src is the source's row r.top.
template <int Bytes>
void CopyKeyed(const KeySpans& spans, const RECT& r, const uint8_t* src, int srcPitch, uint8_t* dst,
               int dstPitch) {
  const KeySpans::Span* all = spans.spans.data();
  const size_t block = static_cast<size_t>(r.left >> KeySpans::BlockShift);
  for (int sy = r.top; sy < r.bottom; ++sy, src += srcPitch, dst += dstPitch) {
    const KeySpans::Span* s =
        all + spans.blockStart[static_cast<size_t>(sy) * spans.blocksPerRow + block];
    const KeySpans::Span* end = all + spans.rowStart[sy + 1];
    while (s != end && s->end <= r.left) ++s;
    for (; s != end && s->begin < r.right; ++s) {
      const int b = std::max<int>(s->begin, r.left), e = std::min<int>(s->end, r.right);
      rows::Copy(dst + (b - r.left) * Bytes, src + b * Bytes, static_cast<size_t>(e - b) * Bytes);
    }
  }
}

void CopyOpaque(const RECT& r, int bytes, const uint8_t* src, int srcPitch, uint8_t* dst,
                int dstPitch) {
  const size_t length = static_cast<size_t>(r.right - r.left) * bytes;
  src += static_cast<size_t>(r.left) * bytes;
  for (int sy = r.top; sy < r.bottom; ++sy, src += srcPitch, dst += dstPitch)
    rows::Copy(dst, src, length);
}

}  // namespace

void testing::RecordBlits(std::vector<BlitRecord>* into) { Recorder = into; }

const KeySpans& Surface::CurrentSpans() {
  if (Spans.valid) return Spans;
  const int bytes = BytesPerPixel(Bits);
  const uint32_t mask = PixelMask(Bits);
  Spans.blocksPerRow = (W >> KeySpans::BlockShift) + 1;
  Spans.rowStart.assign(1, 0);
  Spans.blockStart.clear();
  Spans.spans.clear();
  for (int y = 0; y < H; ++y) {
    const uint8_t* row = Memory.data() + static_cast<size_t>(y) * RowBytes;
    const auto rowFirst = static_cast<uint32_t>(Spans.spans.size());
    int x = 0;
    while (x < W) {
      while (x < W && (Load(row + x * bytes, bytes) & mask) == Key) ++x;
      int begin = x;
      while (x < W && (Load(row + x * bytes, bytes) & mask) != Key) ++x;
      if (x > begin)
        Spans.spans.push_back({static_cast<uint16_t>(begin), static_cast<uint16_t>(x)});
    }
    auto first = rowFirst;
    for (int block = 0; block < Spans.blocksPerRow; ++block) {
      while (first < Spans.spans.size() && Spans.spans[first].end <= block << KeySpans::BlockShift)
        ++first;
      Spans.blockStart.push_back(first);
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

  const bool keyed = (flags & DDBLTFAST_SRCCOLORKEY) && source->KeySet;
  const KeySpans* spans = keyed ? &source->CurrentSpans() : nullptr;

  // A copy within one surface reads from a snapshot, so overlapping rectangles stay intact.
  std::vector<uint8_t> snapshot;
  const uint8_t* srcBase = source->Memory.data();
  if (source == this) {
    snapshot = Memory;
    srcBase = snapshot.data();
  }
  Written();

  const int bytes = BytesPerPixel(Bits);
  const int srcPitch = source->RowBytes;
  const uint8_t* src = srcBase + static_cast<size_t>(r.top) * srcPitch;
  uint8_t* dst = Memory.data() + static_cast<size_t>(y) * RowBytes + static_cast<size_t>(x) * bytes;
  if (!keyed) {
    CopyOpaque(r, bytes, src, srcPitch, dst, RowBytes);
    return DD_OK;
  }
  switch (bytes) {
    case 1:
      CopyKeyed<1>(*spans, r, src, srcPitch, dst, RowBytes);
      break;
    case 2:
      CopyKeyed<2>(*spans, r, src, srcPitch, dst, RowBytes);
      break;
    case 3:
      CopyKeyed<3>(*spans, r, src, srcPitch, dst, RowBytes);
      break;
    default:
      CopyKeyed<4>(*spans, r, src, srcPitch, dst, RowBytes);
      break;
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
