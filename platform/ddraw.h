#pragma once
// The display: device and mode, flipping primary surface, off-screen surfaces, palettes,
// blits and device contexts. Surfaces are plain memory at 8 (indexed), 16 (RGB565),
// 24 or 32 (XRGB) bits; only Flip talks to the screen.
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/window.h"

namespace dd {

using HRESULT = int32_t;
constexpr HRESULT DD_OK = 0;
constexpr HRESULT DDERR_GENERIC = static_cast<HRESULT>(0x80004005);
constexpr HRESULT DDERR_INVALIDPARAMS = static_cast<HRESULT>(0x80070057);
constexpr HRESULT DDERR_OUTOFMEMORY = static_cast<HRESULT>(0x8007000E);
constexpr HRESULT DDERR_INVALIDRECT = static_cast<HRESULT>(0x88760096);
constexpr HRESULT DDERR_SURFACELOST = static_cast<HRESULT>(0x887601C2);
constexpr HRESULT DDERR_UNSUPPORTEDMODE = static_cast<HRESULT>(0x8876024E);
constexpr HRESULT DDERR_NOTLOCKED = static_cast<HRESULT>(0x887601E6);
constexpr HRESULT DDERR_SURFACEBUSY = static_cast<HRESULT>(0x887601AE);
inline bool Failed(HRESULT hr) { return hr < 0; }

struct RECT {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
};
struct GUID {
  std::array<uint8_t, 16> bytes{};
};
struct PALETTEENTRY {
  uint8_t peRed = 0, peGreen = 0, peBlue = 0, peFlags = 0;
};

// BltFast flags
constexpr uint32_t DDBLTFAST_NOCOLORKEY = 0x00;
constexpr uint32_t DDBLTFAST_SRCCOLORKEY = 0x01;
constexpr uint32_t DDBLTFAST_WAIT = 0x10;
// Blt flags
constexpr uint32_t DDBLT_COLORFILL = 0x00000400;
constexpr uint32_t DDBLT_WAIT = 0x01000000;
struct DDBLTFX {
  uint32_t dwSize = 100;
  uint32_t dwFillColor = 0;
};
// Colour keys, locks, flips, vertical blank, cooperative level, palettes
constexpr uint32_t DDCKEY_SRCBLT = 0x08;
struct DDCOLORKEY {
  uint32_t dwColorSpaceLowValue = 0;
  uint32_t dwColorSpaceHighValue = 0;
};
constexpr uint32_t DDLOCK_WAIT = 0x01;
constexpr uint32_t DDLOCK_READONLY = 0x10;
constexpr uint32_t DDFLIP_WAIT = 0x01;
constexpr uint32_t DDWAITVB_BLOCKEND = 0x04;
constexpr uint32_t DDSCL_FULLSCREEN = 0x01;
constexpr uint32_t DDSCL_EXCLUSIVE = 0x10;
constexpr uint32_t DDPCAPS_8BIT = 0x04;
// Surface descriptions
constexpr uint32_t DDSD_CAPS = 0x01;
constexpr uint32_t DDSD_HEIGHT = 0x02;
constexpr uint32_t DDSD_WIDTH = 0x04;
constexpr uint32_t DDSD_BACKBUFFERCOUNT = 0x20;
constexpr uint32_t DDSCAPS_BACKBUFFER = 0x04;
constexpr uint32_t DDSCAPS_COMPLEX = 0x08;
constexpr uint32_t DDSCAPS_FLIP = 0x10;
constexpr uint32_t DDSCAPS_OFFSCREENPLAIN = 0x40;
constexpr uint32_t DDSCAPS_PRIMARYSURFACE = 0x200;
constexpr uint32_t DDEDM_REFRESHRATES = 0x01;

struct DDSURFACEDESC2 {
  uint32_t dwFlags = 0;
  uint32_t dwWidth = 0;
  uint32_t dwHeight = 0;
  uint32_t dwBackBufferCount = 0;
  uint32_t dwRefreshRate = 0;
  uint32_t dwRGBBitCount = 0;  // filled in by EnumDisplayModes
  uint32_t dwCaps = 0;
};

class Palette {
 public:
  explicit Palette(const PALETTEENTRY* entries);
  HRESULT GetEntries(uint32_t start, uint32_t count, PALETTEENTRY* out) const;
  HRESULT SetEntries(uint32_t start, uint32_t count, const PALETTEENTRY* in);
  const std::array<PALETTEENTRY, 256>& Entries() const { return Table; }
  uint32_t Version() const { return Changes; }  // rises with every SetEntries

 private:
  std::array<PALETTEENTRY, 256> Table{};
  uint32_t Changes = 0;
};

class Surface;

// A device context on a surface: the surface locked for GDI drawing.
struct HDC {
  Surface* surface = nullptr;
  uint8_t* bits = nullptr;
  int32_t pitch = 0;
};
struct COLORREF {
  uint8_t red = 0, green = 0, blue = 0;
};
// GDI FillRect with a solid brush: right and bottom exclusive, clipped to the surface.
bool FillRect(HDC* dc, const RECT& rect, COLORREF colour);

struct LockedRect {
  uint8_t* bits = nullptr;
  int32_t pitch = 0;
};

class Surface {
 public:
  Surface(int width, int height, int bitsPerPixel);
  virtual ~Surface();
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;

  int Width() const { return W; }
  int Height() const { return H; }
  int BitsPerPixel() const { return Bits; }
  int Pitch() const { return RowBytes; }
  uint8_t* Pixels() { return Memory.data(); }
  const uint8_t* Pixels() const { return Memory.data(); }

  // DirectDraw's contract: no clipping; a rectangle outside either surface fails with
  // DDERR_INVALIDRECT; right and bottom exclusive; a null rectangle is the whole source.
  HRESULT BltFast(int32_t x, int32_t y, Surface* source, const RECT* sourceRect, uint32_t flags);
  // Only DDBLT_COLORFILL is supported: fills the destination rectangle (null: all).
  HRESULT Blt(const RECT* destRect, Surface* source, const RECT* sourceRect, uint32_t flags,
              const DDBLTFX* fx);
  HRESULT Lock(const RECT* rect, LockedRect& out, uint32_t flags);
  HRESULT Unlock(const RECT* rect);
  HRESULT SetColorKey(uint32_t flags, const DDCOLORKEY* key);
  bool HasColorKey() const { return KeySet; }
  uint32_t ColorKey() const { return Key; }
  HRESULT IsLost() const;  // DD_OK, or DDERR_SURFACELOST
  HRESULT Restore();
  HRESULT GetDC(HDC*& dc);
  HRESULT ReleaseDC(HDC* dc);
  HRESULT SetPalette(Palette* palette);  // not owned
  Palette* GetPalette() const { return AttachedPalette; }

  // Primary surface only.
  HRESULT Flip(Surface* overrideSurface, uint32_t flags);
  HRESULT GetAttachedSurface(uint32_t caps, Surface** out);

  // Pixel value of an RGB colour in this surface's format (nearest palette entry at 8 bits).
  uint32_t MapColour(uint8_t red, uint8_t green, uint8_t blue) const;

 protected:
  int W, H, Bits, RowBytes;
  std::vector<uint8_t> Memory;
  bool KeySet = false;
  uint32_t Key = 0;
  bool Lost = false;
  bool Locked = false;
  HDC Context;
  Palette* AttachedPalette = nullptr;
  friend class DirectDraw;
  friend void LoseAllSurfaces();
};

using EnumModesCallback = HRESULT (*)(const DDSURFACEDESC2& mode, void* context);

class DirectDraw {
 public:
  DirectDraw();
  ~DirectDraw();
  HRESULT SetCooperativeLevel(win::HWND window, uint32_t flags);
  HRESULT SetDisplayMode(uint32_t width, uint32_t height, uint32_t bitsPerPixel,
                         uint32_t refreshRate, uint32_t flags);
  HRESULT CreateSurface(const DDSURFACEDESC2& desc, std::unique_ptr<Surface>& out);
  HRESULT CreatePalette(uint32_t flags, const PALETTEENTRY* entries,
                        std::unique_ptr<Palette>& out);
  HRESULT WaitForVerticalBlank(uint32_t flags, void* event);
  HRESULT EnumDisplayModes(uint32_t flags, const DDSURFACEDESC2* filter, void* context,
                           EnumModesCallback callback);
  int DisplayDepth() const { return Depth; }

 private:
  int Depth = 0;
  int Display = 0;
  friend HRESULT DirectDrawCreateEx(const GUID* device, std::unique_ptr<DirectDraw>& out);
};

// device: a display's identifier from DirectDrawEnumerate, or null for the default display.
HRESULT DirectDrawCreateEx(const GUID* device, std::unique_ptr<DirectDraw>& out);
using EnumDevicesCallback = bool (*)(const GUID* device, const char* description,
                                     const char* driverName, void* context);
HRESULT DirectDrawEnumerate(EnumDevicesCallback callback, void* context);

// For tests: refuse a display depth; make every surface report itself lost.
namespace testing {
void RefuseDepth(int bitsPerPixel, bool refuse = true);
void LoseAllSurfaces();
int FlipCount();
}  // namespace testing

}  // namespace dd
