#include "platform/display/stretch.h"

#include <algorithm>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace dd {

namespace {

// Rows of the frame as XRGB and as scaled across, for the span being drawn. Two scaled rows
// are kept: a linear output row blends two frame rows, and the next output row mostly needs
// one of them again.
struct StretchRows {
  std::vector<uint32_t> xrgb;
  std::vector<uint32_t> across[2];
  int acrossRow[2] = {-1, -1};
  int oldest = 0;
} Scratch;

bool IsIdentity(const Taps& taps, int from) {
  if (static_cast<int>(taps.first.size()) != from) return false;
  for (int i = 0; i < from; ++i)
    if (taps.first[i] != i || taps.weight[i] != 0) return false;
  return true;
}

// Both channels pairs at once: red and blue in one word, green in another, each product
// kept below the next channel's bits.
uint32_t Blend(uint32_t a, uint32_t b, uint32_t weight) {
  const uint32_t keep = 256 - weight;
  const uint32_t rb = ((a & 0xFF00FF) * keep + (b & 0xFF00FF) * weight + 0x800080) >> 8;
  const uint32_t g = ((a & 0xFF00) * keep + (b & 0xFF00) * weight + 0x8000) >> 8;
  return (rb & 0xFF00FF) | (g & 0xFF00);
}

// Two rows blended pixel by pixel with one weight: the same sums per channel as Blend.
void BlendRows(const uint32_t* a, const uint32_t* b, uint32_t weight, uint32_t* out, int count) {
  int x = 0;
#ifdef __SSE2__
  const __m128i zero = _mm_setzero_si128();
  const __m128i keep = _mm_set1_epi16(static_cast<short>(256 - weight));
  const __m128i take = _mm_set1_epi16(static_cast<short>(weight));
  const __m128i half = _mm_set1_epi16(128);
  const __m128i colour = _mm_set1_epi32(0xFFFFFF);
  for (; x + 4 <= count; x += 4) {
    const __m128i pa = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + x));
    const __m128i pb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + x));
    const auto mix = [&](__m128i ca, __m128i cb) {
      return _mm_srli_epi16(
          _mm_add_epi16(_mm_add_epi16(_mm_mullo_epi16(ca, keep), _mm_mullo_epi16(cb, take)), half),
          8);
    };
    const __m128i low = mix(_mm_unpacklo_epi8(pa, zero), _mm_unpacklo_epi8(pb, zero));
    const __m128i high = mix(_mm_unpackhi_epi8(pa, zero), _mm_unpackhi_epi8(pb, zero));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x),
                     _mm_and_si128(_mm_packus_epi16(low, high), colour));
  }
#endif
  for (; x < count; ++x) out[x] = Blend(a[x], b[x], weight);
}

// The frame's row `y` as XRGB from column `from` to `to` (exclusive), indexed by frame
// column: the front buffer itself at 32 bits, else converted into the scratch row.
const uint32_t* FrameRow(const Surface& front, const RowConverter& rows, int y, int from, int to) {
  const uint8_t* src = front.Pixels() + static_cast<size_t>(y) * front.Pitch();
  if (rows.bits == 32) return reinterpret_cast<const uint32_t*>(src);
  Scratch.xrgb.resize(FrameWidth);
  rows.Convert(src + from * BytesPerPixel(rows.bits), Scratch.xrgb.data() + from, to - from);
  return Scratch.xrgb.data();
}

// The frame's row `y` scaled across for output columns [left, right), indexed from `left`;
// the row `keep` stays where it is, for a blend of the two.
const uint32_t* AcrossRow(const StretchPlan& plan, const OutputSpan& span, const Surface& front,
                          const RowConverter& rows, int y, int keep = -1) {
  for (int slot = 0; slot < 2; ++slot)
    if (Scratch.acrossRow[slot] == y) return Scratch.across[slot].data();
  const Taps& c = plan.columns;
  const uint32_t* row = FrameRow(front, rows, y, c.first[span.left], c.second[span.right - 1] + 1);
  const int slot = Scratch.acrossRow[Scratch.oldest] == keep ? Scratch.oldest ^ 1 : Scratch.oldest;
  Scratch.oldest = slot ^ 1;
  Scratch.acrossRow[slot] = y;
  std::vector<uint32_t>& across = Scratch.across[slot];
  across.resize(c.first.size());
  int x = span.left;
#ifdef __SSE2__
  // Two outputs at a time: both pixels of each loaded together, weighed, and added.
  const __m128i zero = _mm_setzero_si128(), half = _mm_set1_epi16(128);
  const __m128i colour = _mm_set1_epi32(0xFFFFFF);
  const auto* lanes = reinterpret_cast<const __m128i*>(c.lanes.data());
  for (const int end = std::min(span.right, c.pairs); x + 2 <= end; x += 2) {
    const __m128i p =
        _mm_unpacklo_epi64(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(row + c.first[x])),
                           _mm_loadl_epi64(reinterpret_cast<const __m128i*>(row + c.first[x + 1])));
    const __m128i m0 = _mm_mullo_epi16(_mm_unpacklo_epi8(p, zero), _mm_loadu_si128(lanes + x));
    const __m128i m1 = _mm_mullo_epi16(_mm_unpackhi_epi8(p, zero), _mm_loadu_si128(lanes + x + 1));
    const __m128i sum = _mm_add_epi16(_mm_unpacklo_epi64(m0, m1), _mm_unpackhi_epi64(m0, m1));
    const __m128i mixed = _mm_srli_epi16(_mm_add_epi16(sum, half), 8);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(across.data() + x - span.left),
                     _mm_and_si128(_mm_packus_epi16(mixed, mixed), colour));
  }
#endif
  for (; x < span.right; ++x)
    across[x - span.left] =
        c.weight[x] == 0 ? row[c.first[x]] : Blend(row[c.first[x]], row[c.second[x]], c.weight[x]);
  return across.data();
}

}  // namespace

Taps NearestTaps(int from, int to) {
  Taps taps;
  const uint32_t step = (static_cast<uint32_t>(from) << 16) / static_cast<uint32_t>(to);
  uint32_t position = step / 2;
  for (int i = 0; i < to; ++i, position += step) {
    const auto pixel = static_cast<uint16_t>(std::min<uint32_t>(position >> 16, from - 1));
    taps.first.push_back(pixel);
    taps.second.push_back(pixel);
    taps.weight.push_back(0);
  }
  taps.identity = IsIdentity(taps, from);
  return taps;
}

Taps LinearTaps(int from, int to, int multiple) {
  Taps taps;
  const int64_t virtualSize = int64_t{from} * multiple;
  for (int i = 0; i < to; ++i) {
    // The middle of output pixel i in the larger picture's pixels, less half a pixel: the
    // two pixels whose middles it lies between.
    int64_t position = (int64_t{2 * i + 1} * virtualSize << 16) / (2 * int64_t{to}) - 32768;
    position = std::clamp<int64_t>(position, 0, (virtualSize - 1) << 16);
    int64_t pixel = position >> 16;
    uint32_t weight = static_cast<uint32_t>(((position & 0xFFFF) + 128) >> 8);
    if (weight == 256) ++pixel, weight = 0;
    const auto first = static_cast<uint16_t>(pixel / multiple);
    const auto second =
        static_cast<uint16_t>(std::min<int64_t>(pixel + 1, virtualSize - 1) / multiple);
    taps.first.push_back(first);
    taps.second.push_back(first == second || weight == 0 ? first : second);
    taps.weight.push_back(static_cast<uint16_t>(first == second ? 0 : weight));
    const uint16_t take = taps.weight.back(), keep = static_cast<uint16_t>(256 - take);
    taps.lanes.insert(taps.lanes.end(), {keep, keep, keep, keep, take, take, take, take});
    if (first + 1 < from) taps.pairs = i + 1;
  }
  taps.identity = IsIdentity(taps, from);
  return taps;
}

StretchPlan PlanStretch(int outputWidth, int outputHeight, win::ScaleMode mode) {
  StretchPlan plan;
  plan.area = win::FitFrame(outputWidth, outputHeight, mode);
  const win::FrameArea& a = plan.area;
  const bool whole =
      a.w % FrameWidth == 0 && a.h % FrameHeight == 0 && a.w / FrameWidth == a.h / FrameHeight;
  if (mode == win::ScaleMode::Nearest || (mode != win::ScaleMode::Linear && whole)) {
    plan.columns = NearestTaps(FrameWidth, a.w);
    plan.rows = NearestTaps(FrameHeight, a.h);
    return plan;
  }
  // Smooth goes linearly from the largest whole multiple that fits, so pixels stay even.
  const int multiple = mode == win::ScaleMode::Smooth ? win::SharpMultiple(a) : 1;
  plan.columns = LinearTaps(FrameWidth, a.w, multiple);
  plan.rows = LinearTaps(FrameHeight, a.h, multiple);
  return plan;
}

OutputSpan SpanOf(const StretchPlan& plan, const ChangedBand& band) {
  // Taps only ever move forwards, so the outputs touching [begin, end) are one run: from
  // the first whose second tap reaches begin to the last whose first tap is before end.
  const auto run = [](const Taps& taps, int begin, int end) {
    const auto from = std::lower_bound(taps.second.begin(), taps.second.end(), begin);
    const auto to = std::lower_bound(taps.first.begin(), taps.first.end(), end);
    return std::make_pair(static_cast<int>(from - taps.second.begin()),
                          static_cast<int>(to - taps.first.begin()));
  };
  const auto [left, right] = run(plan.columns, band.left, band.right);
  const auto [top, bottom] = run(plan.rows, band.top, band.bottom);
  return {left, top, right, bottom};
}

void DrawSpan(const StretchPlan& plan, const OutputSpan& span, const Surface& front,
              const RowConverter& rows, uint8_t* out, int outPitch) {
  if (span.left >= span.right || span.top >= span.bottom) return;
  const int count = span.right - span.left;
  const bool sameColumns = plan.columns.identity;
  Scratch.acrossRow[0] = Scratch.acrossRow[1] = -1;
  for (int y = span.top; y < span.bottom; ++y) {
    auto* dst = reinterpret_cast<uint32_t*>(out + static_cast<size_t>(y) * outPitch) + span.left;
    const int first = plan.rows.first[y], weight = plan.rows.weight[y];
    if (weight == 0 && sameColumns) {  // a frame row as it is: converted straight in
      const int bytes = BytesPerPixel(rows.bits);
      const uint8_t* src = front.Pixels() + static_cast<size_t>(first) * front.Pitch();
      rows.Convert(src + span.left * bytes, dst, count);
    } else if (weight == 0) {
      std::memcpy(dst, AcrossRow(plan, span, front, rows, first), count * 4u);
    } else {
      const uint32_t* a = AcrossRow(plan, span, front, rows, first);
      const uint32_t* b = AcrossRow(plan, span, front, rows, plan.rows.second[y], first);
      BlendRows(a, b, static_cast<uint32_t>(weight), dst, count);
    }
  }
}

}  // namespace dd
