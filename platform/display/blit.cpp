// Copies between surfaces with DirectDraw's contract, and colour fills. A keyed copy runs
// over the opaque spans of the source, found once per key rather than once per frame.
#include <algorithm>
#include <cstring>

#include "platform/display/ddraw.h"
#include "platform/display/rows.h"
#include "platform/display/state.h"

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

// Calls f(row, begin, end) for each opaque span of rectangle r, clipped to it, row by row
// from the top; row counts from r.top, begin and end are source pixels.
template <typename F>
void ForEachSpan(const KeySpans& spans, const RECT& r, F f) {
  const KeySpans::Span* all = spans.spans.data();
  const size_t block = static_cast<size_t>(r.left >> KeySpans::BlockShift);
  for (int sy = r.top; sy < r.bottom; ++sy) {
    const KeySpans::Span* s =
        all + spans.blockStart[static_cast<size_t>(sy) * spans.blocksPerRow + block];
    const KeySpans::Span* end = all + spans.rowStart[sy + 1];
    while (s != end && s->end <= r.left) ++s;
    for (; s != end && s->begin < r.right; ++s)
      f(sy - r.top, std::max<int>(s->begin, r.left), std::min<int>(s->end, r.right));
  }
}

// The opaque pixels of rectangle r to dst (the destination's pixel for r's top-left
// corner). src is the source's row r.top.
template <int Bytes>
void CopyKeyed(const KeySpans& spans, const RECT& r, const uint8_t* src, int srcPitch, uint8_t* dst,
               int dstPitch) {
  ForEachSpan(spans, r, [&](int row, int begin, int end) {
    rows::Copy(dst + static_cast<size_t>(row) * dstPitch + (begin - r.left) * Bytes,
               src + static_cast<size_t>(row) * srcPitch + begin * Bytes,
               static_cast<size_t>(end - begin) * Bytes);
  });
}

// Rectangle r's entry, its runs made on its first keyed blit; nullptr when the table is
// full or r's numbers do not fit a run.
const KeySpans::Cell* CellRuns(KeySpans& spans, const RECT& r, int bytes) {
  constexpr int Most = 0xFFFF;
  if (r.right > Most || r.bottom > Most || (r.right - r.left) * bytes > Most) return nullptr;
  const uint64_t id = uint64_t(r.left) | uint64_t(r.top) << 16 | uint64_t(r.right) << 32 |
                      uint64_t(r.bottom) << 48;  // never 0: r is not empty
  constexpr size_t mask = KeySpans::CellEntries - 1;
  size_t i = static_cast<size_t>((id * 0x9E3779B97F4A7C15u) >> 40) & mask;
  for (; spans.cells[i].id != 0; i = (i + 1) & mask)
    if (spans.cells[i].id == id) return &spans.cells[i];
  if (spans.cellsUsed == KeySpans::CellEntries / 2) return nullptr;

  KeySpans::Cell& cell = spans.cells[i];
  cell.id = id;
  ++spans.cellsUsed;
  cell.first = static_cast<uint32_t>(spans.runs.size());
  cell.flattened = true;
  ForEachSpan(spans, r, [&](int row, int begin, int end) {
    if (spans.runs.size() == spans.runs.capacity()) cell.flattened = false;
    if (!cell.flattened) return;
    spans.runs.push_back({static_cast<uint16_t>(row),
                          static_cast<uint16_t>((begin - r.left) * bytes),
                          static_cast<uint16_t>((end - begin) * bytes)});
  });
  if (!cell.flattened) spans.runs.resize(cell.first);
  cell.end = static_cast<uint32_t>(spans.runs.size());
  return &cell;
}

// src and dst: the rectangle's top-left pixel in the source and the destination; only its
// rows [from, to) are copied. On x86-64 made for each processor's widest vector units: most
// runs are a barrel's row of 128 bytes, copied in a few wide moves here rather than through
// the library's memcpy.
#if defined(__x86_64__)
[[gnu::target_clones("avx512f", "avx2", "default")]]
#endif
void CopyRuns(const KeySpans& spans, const KeySpans::Cell& cell, int from, int to,
              const uint8_t* src, int srcPitch, uint8_t* dst, int dstPitch) {
  const KeySpans::Run* run = spans.runs.data() + cell.first;
  const KeySpans::Run* end = spans.runs.data() + cell.end;
  if (from > 0)
    run = std::lower_bound(run, end, from,
                           [](const KeySpans::Run& r, int row) { return r.row < row; });
  for (; run != end && run->row < to; ++run)
    rows::Copy(dst + static_cast<size_t>(run->row) * dstPitch + run->offset,
               src + static_cast<size_t>(run->row) * srcPitch + run->offset, run->bytes);
}

void CopyOpaque(const RECT& r, int bytes, const uint8_t* src, int srcPitch, uint8_t* dst,
                int dstPitch) {
  const size_t length = static_cast<size_t>(r.right - r.left) * bytes;
  src += static_cast<size_t>(r.left) * bytes;
  if (length == static_cast<size_t>(srcPitch) && srcPitch == dstPitch) {
    // Whole rows of equal surfaces, a background: one copy.
    std::memcpy(dst, src, length * static_cast<size_t>(r.bottom - r.top));
    return;
  }
  for (int sy = r.top; sy < r.bottom; ++sy, src += srcPitch, dst += dstPitch)
    rows::Copy(dst, src, length);
}

}  // namespace

void testing::RecordBlits(std::vector<BlitRecord>* into) { Recorder = into; }

KeySpans& Surface::CurrentSpans() {
  if (Spans.valid) return Spans;
  Spans.cells.assign(KeySpans::CellEntries, {});
  Spans.cellsUsed = 0;
  Spans.runs.clear();
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
  // Room for every span twice over: cells may share a sheet's pixels.
  Spans.runs.reserve(2 * Spans.spans.size() + 1024);
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
  const PendingDraw draw{source, r, x, y, keyed, 0, source->Content};
  if (Defer(draw)) return DD_OK;
  SettleIfPending(this);
  SettleIfPending(source);
  Draw(draw, y, y + h, x, x + w);
  return DD_OK;
}

void Surface::Draw(const PendingDraw& whole, int top, int bottom, int left, int right) {
  // The part of the draw that lands on the columns [left, right).
  PendingDraw draw = whole;
  const int width = whole.rect.right - whole.rect.left;
  left = std::max(left, whole.x), right = std::min(right, whole.x + width);
  draw.rect.left += left - whole.x;
  draw.rect.right = draw.rect.left + (right - left);
  draw.x = left;
  const bool narrowed = right - left != width;

  const int bytes = BytesPerPixel(Bits);
  if (!draw.source) {
    RowsWritten(top, bottom);
    const RECT& r = draw.rect;
    rows::FillRows(Memory.data() + static_cast<size_t>(top) * RowBytes + r.left * bytes, RowBytes,
                   bottom - top, r.right - r.left, bytes, draw.fill);
    return;
  }
  const Surface& source = *draw.source;
  // The source rows that land on [top, bottom).
  const RECT r{draw.rect.left, draw.rect.top + (top - draw.y), draw.rect.right,
               draw.rect.top + (bottom - draw.y)};
  if (!draw.keyed && draw.x == 0 && r.right - r.left == W && &source != this) {
    CopyWholeRows(source, r, top);
    return;
  }
  RowsWritten(top, bottom);
  // A copy within one surface reads from a snapshot, so overlapping rectangles stay intact.
  std::vector<uint8_t> snapshot;
  const uint8_t* srcBase = source.Memory.data();
  if (&source == this) {
    snapshot = Memory;
    srcBase = snapshot.data();
  }
  const int srcPitch = source.RowBytes;
  const uint8_t* src = srcBase + static_cast<size_t>(r.top) * srcPitch;
  uint8_t* dst =
      Memory.data() + static_cast<size_t>(top) * RowBytes + static_cast<size_t>(draw.x) * bytes;
  if (!draw.keyed) {
    CopyOpaque(r, bytes, src, srcPitch, dst, RowBytes);
    return;
  }
  KeySpans& spans = draw.source->CurrentSpans();
  // A cut cell is drawn from the spans: its runs would crowd out the whole cells' ones.
  if (const KeySpans::Cell* cell = narrowed ? nullptr : CellRuns(spans, draw.rect, bytes);
      cell && cell->flattened) {
    // The runs count rows from the whole rectangle's top.
    const int skipped = top - draw.y;
    CopyRuns(spans, *cell, skipped, bottom - draw.y,
             src - static_cast<size_t>(skipped) * srcPitch + static_cast<size_t>(r.left) * bytes,
             srcPitch, dst - static_cast<size_t>(skipped) * RowBytes, RowBytes);
  } else {
    switch (bytes) {
      case 1:
        CopyKeyed<1>(spans, r, src, srcPitch, dst, RowBytes);
        break;
      case 2:
        CopyKeyed<2>(spans, r, src, srcPitch, dst, RowBytes);
        break;
      case 3:
        CopyKeyed<3>(spans, r, src, srcPitch, dst, RowBytes);
        break;
      default:
        CopyKeyed<4>(spans, r, src, srcPitch, dst, RowBytes);
        break;
    }
  }
  // A copy within one surface found its spans in the pixels it has just written over.
  if (&source == this) Spans.valid = false;
}

// Rows of another surface as wide as this one, a background each frame: the rows that
// already hold them (nothing was drawn over them since they were copied) are left as they are.
void Surface::CopyWholeRows(const Surface& source, const RECT& r, int y) {
  Changed();
  const int bytes = BytesPerPixel(Bits);
  auto copy = [&](int from, int to) {  // rows of r, counted from its top
    const RECT part{r.left, r.top + from, r.right, r.top + to};
    CopyOpaque(part, bytes, source.Memory.data() + static_cast<size_t>(part.top) * source.RowBytes,
               source.RowBytes, Memory.data() + static_cast<size_t>(y + from) * RowBytes, RowBytes);
  };
  const int h = r.bottom - r.top;
  int first = -1;  // of the rows to copy next
  const uint64_t content = source.Content;
  const int left = r.left, top = r.top;
  for (int i = 0; i < h; ++i) {
    const uint64_t tag = RowTagOf(content, left, top + i);
    if (Tags.Get(y + i) == tag) {
      if (first >= 0) copy(first, i), first = -1;
      continue;
    }
    Tags.Set(y + i, tag);
    if (first < 0) first = i;
  }
  if (first >= 0) copy(first, h);
}

HRESULT Surface::Blt(const RECT* destRect, Surface*, const RECT*, uint32_t flags,
                     const DDBLTFX* fx) {
  if (!(flags & DDBLT_COLORFILL)) return DDERR_UNSUPPORTED;
  if (!fx) return DDERR_INVALIDPARAMS;
  if (HRESULT hr = CheckUsable(); Failed(hr)) return hr;
  const RECT r = destRect ? *destRect : RECT{0, 0, W, H};
  if (!Inside(r, W, H)) return DDERR_INVALIDRECT;
  const PendingDraw fill{nullptr, r, r.left, r.top, false, fx->dwFillColor & PixelMask(Bits), 0};
  if (Defer(fill)) return DD_OK;
  SettleIfPending(this);
  Draw(fill, r.top, r.bottom, r.left, r.right);
  return DD_OK;
}

}  // namespace dd
