#pragma once
// Pictures, in place of the OLE picture loader: JPEG, GIF and BMP decoded from memory,
// checked against their headers before any decoding, keeping a palettised file's palette;
// a damaged JPEG is refused, a CMYK one converted, a GIF shown on its logical screen;
// width and height in HIMETRIC; Render stretches into a device context, upright for a
// negative height, mapping to the surface's palette at 8 bits.
// Left out: icons, metafiles, saving pictures, transparency.
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "platform/display/ddraw.h"

namespace pic {

struct RenderCache;  // what the last render made

using HRESULT = dd::HRESULT;
constexpr HRESULT S_OK = 0;
constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003);
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057);
using OLE_XSIZE_HIMETRIC = int32_t;
using OLE_YSIZE_HIMETRIC = int32_t;

// The GDI palette of a palettised picture: its entries as the file gave them (up to 256).
struct GdiPalette {
  std::vector<dd::PALETTEENTRY> entries;
};
using HPALETTE = const GdiPalette*;
// GDI GetPaletteEntries: copies up to count entries from start; returns how many were
// copied, 0 for no palette (a true-colour picture's null handle).
uint32_t GetPaletteEntries(HPALETTE palette, uint32_t start, uint32_t count, dd::PALETTEENTRY* out);

class Picture {
 public:
  // Width and height in HIMETRIC, as the platform reports them (pixels × 2540 / 96).
  HRESULT get_Width(OLE_XSIZE_HIMETRIC* width) const;
  HRESULT get_Height(OLE_YSIZE_HIMETRIC* height) const;
  // Stretches (nearest neighbour) the source part over the destination rectangle (pixels).
  // The source is in HIMETRIC measured from the bottom edge upwards, so a negative height
  // with its origin at the bottom edge draws upright. Clipped to the surface; at 8 bits
  // colours map to the nearest entry of the surface's palette. bounds is ignored.
  HRESULT Render(dd::HDC* dc, int32_t x, int32_t y, int32_t cx, int32_t cy, OLE_XSIZE_HIMETRIC xSrc,
                 OLE_YSIZE_HIMETRIC ySrc, OLE_XSIZE_HIMETRIC cxSrc, OLE_YSIZE_HIMETRIC cySrc,
                 const dd::RECT* bounds) const;
  // The palette handle: null for a true-colour picture (and still S_OK, as the platform).
  HRESULT get_hPal(HPALETTE* palette) const;

  int PixelWidth() const { return W; }
  int PixelHeight() const { return H; }
  uint32_t PixelRGB(int x, int y) const { return Rgb[static_cast<size_t>(y) * W + x]; }

 private:
  int W = 0, H = 0;
  std::vector<uint32_t> Rgb;  // 0x00RRGGBB, top row first
  bool Palettised = false;
  GdiPalette Pal;
  mutable std::shared_ptr<RenderCache> Cache;
  friend std::unique_ptr<Picture> OleLoadPicture(std::span<const uint8_t> bytes);
};

// Decodes a whole JPEG, GIF or BMP file held in memory; none when the decoder rejects it.
std::unique_ptr<Picture> OleLoadPicture(std::span<const uint8_t> bytes);

}  // namespace pic
