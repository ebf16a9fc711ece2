#pragma once
// Decoded pictures (JPEG, GIF, BMP) that keep their palette and render into a device context.
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "platform/ddraw.h"

namespace pic {

using HRESULT = dd::HRESULT;
using OLE_XSIZE_HIMETRIC = int32_t;
using OLE_YSIZE_HIMETRIC = int32_t;

class Picture {
 public:
  // Width and height in HIMETRIC, as the platform reports them (pixels × 2540 / 96).
  HRESULT get_Width(OLE_XSIZE_HIMETRIC* width) const;
  HRESULT get_Height(OLE_YSIZE_HIMETRIC* height) const;
  // Stretches (nearest neighbour) the source part (HIMETRIC) over the destination
  // rectangle (pixels). A negative height with its origin at the bottom edge draws upright.
  // Clipped to the surface; at 8 bits colours map to the nearest entry of its palette.
  HRESULT Render(dd::HDC* dc, int32_t x, int32_t y, int32_t cx, int32_t cy,
                 OLE_XSIZE_HIMETRIC xSrc, OLE_YSIZE_HIMETRIC ySrc, OLE_XSIZE_HIMETRIC cxSrc,
                 OLE_YSIZE_HIMETRIC cySrc, const dd::RECT* bounds);
  // The 256-entry palette of a palettised picture; none for a true-colour one.
  const std::optional<std::array<dd::PALETTEENTRY, 256>>& get_hPal() const { return Pal; }

  int PixelWidth() const { return W; }
  int PixelHeight() const { return H; }
  uint32_t PixelRGB(int x, int y) const { return Rgb[static_cast<size_t>(y) * W + x]; }

 private:
  int W = 0, H = 0;
  std::vector<uint32_t> Rgb;  // 0x00RRGGBB, top row first
  std::optional<std::array<dd::PALETTEENTRY, 256>> Pal;
  friend std::unique_ptr<Picture> OleLoadPicture(std::span<const uint8_t> bytes);
};

// Decodes a whole file held in memory; none when the decoder rejects it.
std::unique_ptr<Picture> OleLoadPicture(std::span<const uint8_t> bytes);

}  // namespace pic
