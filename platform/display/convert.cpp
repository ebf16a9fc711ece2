// The front buffer as XRGB rows for the texture. 32 bits is a copy; 16 bits is worked out
// eight or sixteen pixels at a time where the processor has the vector units for it; 8 bits
// goes through the palette as one table of 256 XRGB values, made again only when the
// palette changes.
#include <cstring>

#include "platform/display/ddraw.h"
#include "platform/display/state.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define NAUVREL_X86_VECTORS 1
#endif

namespace dd {

namespace {

// RGB565 to XRGB with the top bits repeated into the low ones, as Rgb565ToRgb does.
void Row565(const uint8_t* src, uint32_t* dst, int count) {
  for (int x = 0; x < count; ++x) {
    uint16_t p;
    std::memcpy(&p, src + 2 * x, 2);
    dst[x] = Rgb565ToRgb(p);
  }
}

#ifdef NAUVREL_X86_VECTORS
// The same per 16-bit lane: red, green and blue widened to bytes, then blue and green
// interleaved with red into XRGB words.
void Row565Sse2(const uint8_t* src, uint32_t* dst, int count) {
  int x = 0;
  for (; x + 8 <= count; x += 8) {
    const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 2 * x));
    const __m128i r = _mm_or_si128(_mm_and_si128(_mm_srli_epi16(p, 8), _mm_set1_epi16(0xF8)),
                                   _mm_srli_epi16(p, 13));
    const __m128i g = _mm_or_si128(_mm_and_si128(_mm_srli_epi16(p, 3), _mm_set1_epi16(0xFC)),
                                   _mm_and_si128(_mm_srli_epi16(p, 9), _mm_set1_epi16(3)));
    const __m128i b = _mm_or_si128(_mm_and_si128(_mm_slli_epi16(p, 3), _mm_set1_epi16(0xF8)),
                                   _mm_and_si128(_mm_srli_epi16(p, 2), _mm_set1_epi16(7)));
    const __m128i bg = _mm_or_si128(b, _mm_slli_epi16(g, 8));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + x), _mm_unpacklo_epi16(bg, r));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + x + 4), _mm_unpackhi_epi16(bg, r));
  }
  Row565(src + 2 * x, dst + x, count - x);
}

__attribute__((target("avx2"))) void Row565Avx2(const uint8_t* src, uint32_t* dst, int count) {
  int x = 0;
  for (; x + 16 <= count; x += 16) {
    const __m256i p = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + 2 * x));
    const __m256i r =
        _mm256_or_si256(_mm256_and_si256(_mm256_srli_epi16(p, 8), _mm256_set1_epi16(0xF8)),
                        _mm256_srli_epi16(p, 13));
    const __m256i g =
        _mm256_or_si256(_mm256_and_si256(_mm256_srli_epi16(p, 3), _mm256_set1_epi16(0xFC)),
                        _mm256_and_si256(_mm256_srli_epi16(p, 9), _mm256_set1_epi16(3)));
    const __m256i b =
        _mm256_or_si256(_mm256_and_si256(_mm256_slli_epi16(p, 3), _mm256_set1_epi16(0xF8)),
                        _mm256_and_si256(_mm256_srli_epi16(p, 2), _mm256_set1_epi16(7)));
    const __m256i bg = _mm256_or_si256(b, _mm256_slli_epi16(g, 8));
    // The unpacks work within each 128-bit half; the permutes put the pixels back in order.
    const __m256i low = _mm256_unpacklo_epi16(bg, r), high = _mm256_unpackhi_epi16(bg, r);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + x),
                        _mm256_permute2x128_si256(low, high, 0x20));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + x + 8),
                        _mm256_permute2x128_si256(low, high, 0x31));
  }
  Row565(src + 2 * x, dst + x, count - x);
}
#endif

using Row565Converter = void (*)(const uint8_t*, uint32_t*, int);

Row565Converter Best565() {
#ifdef NAUVREL_X86_VECTORS
  if (Display.PlainConversion) return Row565;
  if (__builtin_cpu_supports("avx2")) return Row565Avx2;
  return Row565Sse2;
#else
  return Row565;
#endif
}

const std::array<uint32_t, 256>& PaletteXrgb(const Surface& front) {
  const Palette* palette = front.EffectivePalette();
  const uint32_t version = palette ? palette->Version() : 0;
  auto& cache = Display.Xrgb;
  if (cache.valid && cache.palette == palette && cache.version == version) return cache.table;
  const auto& entries = palette ? palette->Entries() : DefaultPalette();
  for (int i = 0; i < 256; ++i)
    cache.table[i] = (uint32_t{entries[i].peRed} << 16) | (uint32_t{entries[i].peGreen} << 8) |
                     entries[i].peBlue;
  cache.palette = palette;
  cache.version = version;
  cache.valid = true;
  return cache.table;
}

}  // namespace

RowConverter::RowConverter(const Surface& front, bool clearUnused)
    : bits(front.BitsPerPixel()), clearUnused(clearUnused) {
  if (bits == 8) lookup = PaletteXrgb(front);
  if (bits == 16) row565 = Best565();
}

void RowConverter::Convert(const uint8_t* src, uint32_t* dst, int count) const {
  switch (bits) {
    case 8:
      for (int x = 0; x < count; ++x) dst[x] = lookup[src[x]];
      break;
    case 16:
      row565(src, dst, count);
      break;
    case 24:
      for (int x = 0; x < count; ++x)
        dst[x] = src[3 * x] | (src[3 * x + 1] << 8) | (uint32_t{src[3 * x + 2]} << 16);
      break;
    default:
      if (!clearUnused) {
        std::memcpy(dst, src, static_cast<size_t>(count) * 4);
        break;
      }
      for (int x = 0; x < count; ++x) {
        uint32_t v;
        std::memcpy(&v, src + 4 * x, 4);
        dst[x] = v & 0xFFFFFF;
      }
      break;
  }
}

void ConvertFrame(const Surface& front, uint8_t* out, int outPitch, bool clearUnused) {
  const RowConverter rows(front, clearUnused);
  for (int y = 0; y < FrameHeight; ++y)
    rows.Convert(front.Pixels() + static_cast<size_t>(y) * front.Pitch(),
                 reinterpret_cast<uint32_t*>(out + static_cast<size_t>(y) * outPitch), FrameWidth);
}

}  // namespace dd
