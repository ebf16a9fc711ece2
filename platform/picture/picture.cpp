// Pictures: JPEG, GIF and BMP decoded from memory, kept as RGB with the file's palette,
// and stretched into a device context on request.
#include "platform/picture/picture.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <unordered_map>

#include "platform/picture/gif_screen.h"
#include "platform/picture/header.h"
#include "platform/picture/jpeg.h"
#include "platform/picture/memory.h"
#include "platform/picture/render_cache.h"

namespace pic {

namespace {

constexpr int LargestSide = 8192;
constexpr int64_t LargestArea = 4096 * 4096;

// The game's pictures are a screen at most; a header may claim any size.
bool SizeFits(int64_t width, int64_t height) {
  return width > 0 && height > 0 && width <= LargestSide && height <= LargestSide &&
         width * height <= LargestArea;
}

// Pixels at 96 dots per inch in hundredths of a millimetre, rounded as MulDiv does.
int32_t ToHimetric(int pixels) { return static_cast<int32_t>((int64_t{pixels} * 2540 + 48) / 96); }

const char* PictureType(SDL_RWops* rw) {
  if (IMG_isJPG(rw)) return "JPG";
  if (IMG_isGIF(rw)) return "GIF";
  if (IMG_isBMP(rw)) return "BMP";
  return nullptr;
}

uint32_t EntryRGB(const SDL_Color& c) { return (uint32_t{c.r} << 16) | (uint32_t{c.g} << 8) | c.b; }

void WritePixel(uint8_t* p, int bits, uint32_t value) {
  switch (bits) {
    case 8:
      p[0] = static_cast<uint8_t>(value);
      break;
    case 16:
      p[0] = static_cast<uint8_t>(value), p[1] = static_cast<uint8_t>(value >> 8);
      break;
    case 24:
      p[0] = static_cast<uint8_t>(value), p[1] = static_cast<uint8_t>(value >> 8),
      p[2] = static_cast<uint8_t>(value >> 16);
      break;
    default:
      std::memcpy(p, &value, 4);
      break;
  }
}

}  // namespace

uint32_t GetPaletteEntries(HPALETTE palette, uint32_t start, uint32_t count,
                           dd::PALETTEENTRY* out) {
  if (!palette || !out || start >= palette->entries.size()) return 0;
  const auto n = std::min<size_t>(count, palette->entries.size() - start);
  std::copy_n(palette->entries.begin() + start, n, out);
  return static_cast<uint32_t>(n);
}

std::unique_ptr<Picture> OleLoadPicture(std::span<const uint8_t> bytes) {
  if (bytes.empty() || bytes.size() > INT_MAX) return nullptr;
  SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
  if (!rw) return nullptr;
  const char* type = PictureType(rw);
  // Refused before the decoder allocates what the header claims, or guesses at a size.
  const auto claimed = ClaimedPictureSize(bytes);
  if (!type || !claimed || !SizeFits(claimed->width, claimed->height)) {
    SDL_RWclose(rw);
    return nullptr;
  }
  // The largest picture as 32-bit pixels, twice over for a decoder's working copy.
  constexpr size_t Budget = static_cast<size_t>(LargestArea) * 4 * 2;
  if (std::strcmp(type, "JPG") == 0) {
    SDL_RWclose(rw);
    DecodedJpeg jpeg;
    if (!DecodeJpeg(bytes, Budget, jpeg) || !SizeFits(jpeg.width, jpeg.height)) return nullptr;
    auto picture = std::make_unique<Picture>();
    picture->W = jpeg.width;
    picture->H = jpeg.height;
    picture->Rgb = std::move(jpeg.rgb);
    return picture;
  }
  SDL_Surface* decoded = nullptr;
  {
    const DecodingBudget budget(Budget);
    decoded = IMG_LoadTyped_RW(rw, 1, type);
  }
  if (!decoded) return nullptr;
  if (!SizeFits(decoded->w, decoded->h)) {
    SDL_FreeSurface(decoded);
    return nullptr;
  }
  auto picture = std::make_unique<Picture>();
  picture->W = decoded->w;
  picture->H = decoded->h;
  picture->Rgb.resize(static_cast<size_t>(picture->W) * picture->H);

  const SDL_Palette* palette = decoded->format->palette;
  if (palette && decoded->format->BitsPerPixel <= 8) {
    picture->Palettised = true;
    for (int i = 0; i < std::min(palette->ncolors, 256); ++i) {
      const SDL_Color& c = palette->colors[i];
      picture->Pal.entries.push_back({c.r, c.g, c.b, 0});
    }
  }
  bool ok = true;
  if (decoded->format->format == SDL_PIXELFORMAT_INDEX8 && palette) {
    SDL_LockSurface(decoded);
    for (int y = 0; y < picture->H; ++y) {
      const auto* row = static_cast<const uint8_t*>(decoded->pixels) + y * decoded->pitch;
      for (int x = 0; x < picture->W; ++x)
        picture->Rgb[static_cast<size_t>(y) * picture->W + x] =
            row[x] < palette->ncolors ? EntryRGB(palette->colors[row[x]]) : 0;
    }
    SDL_UnlockSurface(decoded);
  } else if (SDL_Surface* rgb = SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_RGB888, 0)) {
    SDL_LockSurface(rgb);
    for (int y = 0; y < picture->H; ++y) {
      const auto* row = reinterpret_cast<const uint8_t*>(rgb->pixels) + y * rgb->pitch;
      for (int x = 0; x < picture->W; ++x) {
        uint32_t v;
        std::memcpy(&v, row + 4 * x, 4);
        picture->Rgb[static_cast<size_t>(y) * picture->W + x] = v & 0xFFFFFF;
      }
    }
    SDL_UnlockSurface(rgb);
    SDL_FreeSurface(rgb);
  } else {
    ok = false;
  }
  SDL_FreeSurface(decoded);
  if (!ok) return nullptr;
  if (std::strcmp(type, "GIF") == 0)
    if (const auto placement = FirstGifImagePlacement(bytes))
      picture->Rgb = PlaceOnScreen(picture->Rgb, picture->W, picture->H, *placement);
  return picture;
}

HRESULT Picture::get_Width(OLE_XSIZE_HIMETRIC* width) const {
  if (!width) return E_POINTER;
  *width = ToHimetric(W);
  return S_OK;
}

HRESULT Picture::get_Height(OLE_YSIZE_HIMETRIC* height) const {
  if (!height) return E_POINTER;
  *height = ToHimetric(H);
  return S_OK;
}

HRESULT Picture::get_hPal(HPALETTE* palette) const {
  if (!palette) return E_POINTER;
  *palette = Palettised ? &Pal : nullptr;
  return S_OK;
}

HRESULT Picture::Render(dd::HDC* dc, int32_t x, int32_t y, int32_t cx, int32_t cy,
                        OLE_XSIZE_HIMETRIC xSrc, OLE_YSIZE_HIMETRIC ySrc, OLE_XSIZE_HIMETRIC cxSrc,
                        OLE_YSIZE_HIMETRIC cySrc, const dd::RECT*) const {
  if (!dc || !dc->surface || !dc->bits) return E_INVALIDARG;
  if (cx == 0 || cy == 0 || cxSrc == 0 || cySrc == 0) return E_INVALIDARG;
  dd::Surface& surface = *dc->surface;
  const int bits = surface.BitsPerPixel(), bytes = (bits + 7) / 8;
  const double hmW = ToHimetric(W), hmH = ToHimetric(H);

  const int left = std::max<int64_t>(std::min<int64_t>(x, int64_t{x} + cx), 0);
  const int right = std::min<int64_t>(std::max<int64_t>(x, int64_t{x} + cx), surface.Width());
  const int top = std::max<int64_t>(std::min<int64_t>(y, int64_t{y} + cy), 0);
  const int bottom = std::min<int64_t>(std::max<int64_t>(y, int64_t{y} + cy), surface.Height());
  if (left >= right || top >= bottom) return S_OK;
  const RenderKey key = KeyFor(surface, {x, y, cx, cy, xSrc, ySrc, cxSrc, cySrc});
  if (Cache && DrawRemembered(*Cache, key, *dc)) return S_OK;

  surface.RowsWritten(top, bottom);
  // Nearest neighbour through the centre of each destination pixel.
  std::vector<int> columns(right - left);
  for (int dx = left; dx < right; ++dx) {
    const double t = (dx + 0.5 - x) / cx;
    const double column = std::floor((xSrc + t * cxSrc) * W / hmW);
    columns[dx - left] = static_cast<int>(std::clamp(column, 0.0, W - 1.0));
  }
  // At the picture's own scale each row is a run of the picture's row.
  const bool straight = columns.back() - columns.front() == right - left - 1;
  std::unordered_map<uint32_t, uint32_t> mapped;  // colour -> pixel value
  auto pixelValue = [&](uint32_t rgb) {
    if (bits != 8)
      return surface.MapColour(static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8),
                               static_cast<uint8_t>(rgb));
    auto [it, fresh] = mapped.try_emplace(rgb, 0);
    if (fresh)
      it->second = surface.MapColour(static_cast<uint8_t>(rgb >> 16),
                                     static_cast<uint8_t>(rgb >> 8), static_cast<uint8_t>(rgb));
    return it->second;
  };
  for (int dy = top; dy < bottom; ++dy) {
    const double t = (dy + 0.5 - y) / cy;
    const double fromBottom = std::floor((ySrc + t * cySrc) * H / hmH);
    const int row = H - 1 - static_cast<int>(std::clamp(fromBottom, 0.0, H - 1.0));
    const uint32_t* src = Rgb.data() + static_cast<size_t>(row) * W;
    uint8_t* dst =
        dc->bits + static_cast<size_t>(dy) * dc->pitch + static_cast<size_t>(left) * bytes;
    if (straight && CopyRowStraight(src + columns.front(), dst, right - left, bits)) continue;
    for (int i = 0; i < right - left; ++i, dst += bytes)
      WritePixel(dst, bits, pixelValue(src[columns[i]]));
  }
  if (!Cache) Cache = std::make_shared<RenderCache>();
  Remember(*Cache, key, *dc, left, top, right, bottom);
  return S_OK;
}

}  // namespace pic
