#pragma once
// The display, in place of DirectDraw and the GDI calls the game makes on its surfaces:
// device and mode, the flipping primary, off-screen surfaces, palettes, BltFast with
// DirectDraw's contract (no clipping, a rectangle outside its surface fails, source colour
// key), device contexts with FillRect and TextOut, lost surfaces and Restore. Surfaces are
// plain memory at 8 (indexed), 16 (RGB565), 24 (B, G, R bytes) or 32 (XRGB) bits; only
// Flip talks to the screen, through an SDL renderer, letterboxed to the window.
// Left out: hardware blitting, overlays, clippers, Blt with effects, other GDI objects.
#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "platform/window/window.h"

namespace dd {

using HRESULT = int32_t;
constexpr HRESULT DD_OK = 0;
constexpr HRESULT DDERR_GENERIC = static_cast<HRESULT>(0x80004005);
constexpr HRESULT DDERR_INVALIDPARAMS = static_cast<HRESULT>(0x80070057);
constexpr HRESULT DDERR_OUTOFMEMORY = static_cast<HRESULT>(0x8007000E);
constexpr HRESULT DDERR_INVALIDPIXELFORMAT = static_cast<HRESULT>(0x88760091);
constexpr HRESULT DDERR_INVALIDRECT = static_cast<HRESULT>(0x88760096);
constexpr HRESULT DDERR_NOTFLIPPABLE = static_cast<HRESULT>(0x887601EA);
constexpr HRESULT DDERR_SURFACEBUSY = static_cast<HRESULT>(0x887601AE);
constexpr HRESULT DDERR_SURFACELOST = static_cast<HRESULT>(0x887601C2);
constexpr HRESULT DDERR_NOTLOCKED = static_cast<HRESULT>(0x887601E6);
constexpr HRESULT DDERR_UNSUPPORTED = static_cast<HRESULT>(0x80004001);
constexpr HRESULT DDERR_UNSUPPORTEDMODE = static_cast<HRESULT>(0x8876024E);
constexpr HRESULT DDERR_NOTFOUND = static_cast<HRESULT>(0x887600FF);
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
  uint32_t dwFillColor = 0;  // a pixel value in the destination's format
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
  ~Palette();  // surfaces that still hold it lose it
  Palette(const Palette&) = delete;
  Palette& operator=(const Palette&) = delete;
  HRESULT GetEntries(uint32_t start, uint32_t count, PALETTEENTRY* out) const;
  HRESULT SetEntries(uint32_t start, uint32_t count, const PALETTEENTRY* in);
  const std::array<PALETTEENTRY, 256>& Entries() const { return Table; }
  uint32_t Version() const { return Changes; }  // rises with every SetEntries

 private:
  std::array<PALETTEENTRY, 256> Table{};
  uint32_t Changes = 0;
};

class Surface;

// A device context on a surface: the surface held for GDI drawing until ReleaseDC.
struct HDC {
  Surface* surface = nullptr;
  uint8_t* bits = nullptr;
  int32_t pitch = 0;
};
struct COLORREF {
  uint8_t red = 0, green = 0, blue = 0;
};
// GDI FillRect with a solid brush: right and bottom exclusive, clipped to the surface.
// False for a context that is not held.
bool FillRect(HDC* dc, const RECT& rect, COLORREF colour);

struct LockedRect {
  uint8_t* bits = nullptr;
  int32_t pitch = 0;
};

// The opaque spans of a keyed surface, one list per row, made on the first keyed blit
// after the key was set or the surface was written. A blit of a sheet cell finds its
// first span through the block index instead of searching the row.
struct KeySpans {
  struct Span {
    uint16_t begin, end;  // pixels, end exclusive
  };
  static constexpr int BlockShift = 5;  // blocks of 32 pixels
  std::vector<uint32_t> rowStart;       // index into spans, one more entry than rows
  std::vector<uint32_t> blockStart;     // per row and block: the first span ending after
                                        // the block's first pixel
  std::vector<Span> spans;
  int blocksPerRow = 0;
  bool valid = false;

  // The game blits the same few sheet cells hundreds of times a frame, so each rectangle's
  // opaque runs are also kept flattened, clipped and in bytes: a blit then copies run after
  // run without finding or clipping a span. Both tables get their room when the spans are
  // made, so blitting allocates nothing; a rectangle that finds no room uses the spans.
  struct Run {
    uint16_t row, offset, bytes;  // row within the rectangle; bytes from its left edge
  };
  struct Cell {
    uint64_t id = 0;              // the rectangle's corners; 0 for a free entry
    uint32_t first = 0, end = 0;  // into runs
    bool flattened = false;
  };
  static constexpr size_t CellEntries = 512;  // a power of two, at most half of it used
  std::vector<Cell> cells;
  size_t cellsUsed = 0;
  std::vector<Run> runs;
};

// What a row of a surface holds, so that work on rows that did not change can be skipped:
// 0 for "not known", else a tag naming its pixels as one source's content (NewContentId),
// copied whole from one column of one of its rows. Any other write makes the row unknown.
uint64_t NewContentId();
inline uint64_t RowTagOf(uint64_t content, int column, int row) {
  auto mix = [](uint64_t h) {
    h ^= h >> 30;
    h *= 0xBF58476D1CE4E5B9u;
    h ^= h >> 27;
    h *= 0x94D049BB133111EBu;
    return h ^ (h >> 31);
  };
  // The mix of content and column is the same along a copy; rows step from it.
  const uint64_t base = mix(mix(content) ^ uint64_t{static_cast<uint32_t>(column)} << 32);
  return (base + uint64_t{static_cast<uint32_t>(row)} * 0x9E3779B97F4A7C15u) | 1;  // never 0
}

// A surface's row tags. Writes forget whole ranges at once, a bit a row, as they are many
// and the tags are read only where a whole row is copied or shown.
class RowTags {
 public:
  void Reset(int rows) {
    Tag.assign(static_cast<size_t>(rows), 0);
    Unknown.assign((static_cast<size_t>(rows) + 63) / 64, ~uint64_t{0});
  }
  uint64_t Get(int y) const {
    const auto i = static_cast<size_t>(y);
    return Unknown[i / 64] >> (i % 64) & 1 ? 0 : Tag[i];
  }
  void Set(int y, uint64_t tag) {
    const auto i = static_cast<size_t>(y);
    Tag[i] = tag;
    Unknown[i / 64] &= ~(uint64_t{1} << (i % 64));
  }
  void Forget(int top, int bottom) {  // rows [top, bottom), inside the surface
    for (int y = top; y < bottom;) {
      const int bit = y % 64, n = std::min(64 - bit, bottom - y);
      const uint64_t bits = n == 64 ? ~uint64_t{0} : ((uint64_t{1} << n) - 1) << bit;
      Unknown[static_cast<size_t>(y / 64)] |= bits;
      y += n;
    }
  }
  void swap(RowTags& other) {
    Tag.swap(other.Tag);
    Unknown.swap(other.Unknown);
  }

 private:
  std::vector<uint64_t> Tag;
  std::vector<uint64_t> Unknown;
};

struct PendingDraw;

// What made each band of BandRows rows when it was last composed from held-back draws: a
// hash of its draws in order (0 when not known), and each draw's hash and columns.
struct ComposedBands {
  struct Mark {
    uint64_t hash;
    int32_t left, right;  // right exclusive
    uint32_t draw;        // which of the draws composed
  };
  std::vector<uint64_t> hash;
  std::vector<uint32_t> first;  // where each band's marks start, and one past the last
  std::vector<Mark> marks;
  void Reset(size_t bands) {
    hash.assign(bands, 0);
    first.assign(bands + 1, 0);
    marks.clear();
  }
  std::span<const Mark> Of(size_t band) const {
    return {marks.data() + first[band], marks.data() + first[band + 1]};
  }
  void swap(ComposedBands& other) {
    hash.swap(other.hash);
    first.swap(other.first);
    marks.swap(other.marks);
  }
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
  // Writable pixels: the key spans are made again on the next keyed blit.
  uint8_t* Pixels() {
    Written();
    return Memory.data();
  }
  const uint8_t* Pixels() const;

  // DirectDraw's contract: no clipping; a rectangle outside either surface fails with
  // DDERR_INVALIDRECT; right and bottom exclusive; a null rectangle is the whole source.
  HRESULT BltFast(int32_t x, int32_t y, Surface* source, const RECT* sourceRect, uint32_t flags);
  // Only DDBLT_COLORFILL is supported: fills the destination rectangle (null: all).
  HRESULT Blt(const RECT* destRect, Surface* source, const RECT* sourceRect, uint32_t flags,
              const DDBLTFX* fx);
  HRESULT Lock(const RECT* rect, LockedRect& out, uint32_t flags);
  HRESULT Unlock(const RECT* rect);
  // The key is compared with the pixel's own bits only (the low 8, 16 or 24 bits).
  HRESULT SetColorKey(uint32_t flags, const DDCOLORKEY* key);
  bool HasColorKey() const { return KeySet; }
  uint32_t ColorKey() const { return Key; }
  HRESULT IsLost() const;  // DD_OK, or DDERR_SURFACELOST
  HRESULT Restore();       // the contents are gone: the owner draws them again
  HRESULT GetDC(HDC*& dc);
  HRESULT ReleaseDC(HDC* dc);
  HRESULT SetPalette(Palette* palette);  // not owned; null detaches; used at 8 bits only
  Palette* GetPalette() const { return AttachedPalette; }
  // The palette that gives an 8-bit surface its colours: its own, else its primary's.
  const Palette* EffectivePalette() const;

  uint64_t RowTag(int y) const;
  // For drawing through a device context's bits: the rows [top, bottom) were drawn, or row
  // y now holds what `tag` names. GetDC leaves the tags to the drawer.
  void RowsWritten(int top, int bottom);
  void SetRowTag(int y, uint64_t tag);

  // Primary surface only.
  HRESULT Flip(Surface* overrideSurface, uint32_t flags);
  HRESULT GetAttachedSurface(uint32_t caps, Surface** out);

  // Pixel value of an RGB colour in this surface's format (nearest palette entry at 8 bits).
  uint32_t MapColour(uint8_t red, uint8_t green, uint8_t blue) const;
  // The RGB colour (0x00RRGGBB) of the pixel at (x, y); for tests and presenting.
  uint32_t PixelRGB(int x, int y) const;
  uint32_t PixelValue(int x, int y) const;

 protected:
  HRESULT CheckUsable() const;
  // The pixels changed: the key spans are made again and the content gets a new name.
  void Changed();
  void Written() { RowsWritten(0, H); }
  void CopyWholeRows(const Surface& source, const RECT& r, int y);
  KeySpans& CurrentSpans();
  // A back buffer holds its draws back from the background on (PendingDraw); Draw makes
  // one, limited to the destination rows [top, bottom) and columns [left, right).
  bool Defer(const PendingDraw& draw);
  void Draw(const PendingDraw& draw, int top, int bottom, int left, int right);
  void Compose(const std::vector<PendingDraw>& draws);

  int W, H, Bits, RowBytes;
  std::vector<uint8_t> Memory;
  RowTags Tags;           // they go with Memory when the chain flips
  ComposedBands Bands;    // they go with Memory too
  bool HeldBack = false;  // a held-back draw reads this surface
  uint64_t Content = 0;
  bool KeySet = false;
  uint32_t Key = 0;
  KeySpans Spans;
  bool Lost = false;
  bool Locked = false;
  bool DcHeld = false;
  HDC Context;
  Palette* AttachedPalette = nullptr;
  Surface* Primary = nullptr;                   // back buffers: the surface they belong to
  std::vector<std::unique_ptr<Surface>> Backs;  // primary: its back buffers
  bool IsPrimary = false;
  friend class DirectDraw;
  friend class Palette;
  friend struct SurfaceAccess;
  friend void SettlePending();
  friend void ForgetPending();
};

using EnumModesCallback = HRESULT (*)(const DDSURFACEDESC2& mode, void* context);
constexpr HRESULT DDENUMRET_CANCEL = 0;
constexpr HRESULT DDENUMRET_OK = 1;

class DirectDraw {
 public:
  DirectDraw();
  ~DirectDraw();  // gives the display back
  DirectDraw(const DirectDraw&) = delete;
  DirectDraw& operator=(const DirectDraw&) = delete;
  HRESULT SetCooperativeLevel(win::HWND window, uint32_t flags);
  // 800 × 600 at 8, 16, 24 or 32 bits; any refresh rate (0: the default). Presenting is
  // made ready on the cooperative window (none under a display-less driver).
  HRESULT SetDisplayMode(uint32_t width, uint32_t height, uint32_t bitsPerPixel,
                         uint32_t refreshRate, uint32_t flags);
  HRESULT CreateSurface(const DDSURFACEDESC2& desc, std::unique_ptr<Surface>& out);
  HRESULT CreatePalette(uint32_t flags, const PALETTEENTRY* entries, std::unique_ptr<Palette>& out);
  HRESULT WaitForVerticalBlank(uint32_t flags, void* event);
  HRESULT EnumDisplayModes(uint32_t flags, const DDSURFACEDESC2* filter, void* context,
                           EnumModesCallback callback);
  int DisplayDepth() const { return Depth; }

 private:
  int Depth = 0;
  int Device = 0;  // the display, 0 for the default one
  win::HWND Window = nullptr;
  friend HRESULT DirectDrawCreateEx(const GUID* device, std::unique_ptr<DirectDraw>& out);
};

// device: a display's identifier from DirectDrawEnumerate, or null for the default display.
HRESULT DirectDrawCreateEx(const GUID* device, std::unique_ptr<DirectDraw>& out);
using EnumDevicesCallback = bool (*)(const GUID* device, const char* description,
                                     const char* driverName, void* context);
HRESULT DirectDrawEnumerate(EnumDevicesCallback callback, void* context);

// For tests: refuse a display depth; make every surface report itself lost (its
// contents wiped); count the flips; keep a copy of each presented frame.
namespace testing {
void RefuseDepth(int bitsPerPixel, bool refuse = true);
void AcceptAllDepths();
void LoseAllSurfaces();
int FlipCount();
// Displays in place of the ones SDL reports: a name and its refresh rates each.
struct FakeDisplay {
  const char* name;
  std::vector<uint32_t> refreshRates;
};
void UseDisplays(std::vector<FakeDisplay> displays);
// The last frame Flip presented, 800 × 600 as 0x00RRGGBB, kept only once asked for.
void KeepPresentedFrames(bool keep);
const std::vector<uint32_t>& PresentedFrame();
// Whether a window is presented to, by a renderer of SDL's or into its own pixels.
bool HasRenderer();
bool PresentsIntoWindowPixels();
// What the window's texture holds, 800 × 600 as 0x00RRGGBB, read back through the renderer;
// without one, the window's own pixels where the frame is not scaled (else empty).
std::vector<uint32_t> TextureFrame();
// What the window shows after the last flip, in its output pixels as 0x00RRGGBB, row after
// row (empty without a renderer).
std::vector<uint32_t> WindowPixels(int& width, int& height);
// The next frame presented is converted and sent whole, as after a change of palette.
void ForgetShownFrame();
// Stands in for SDL's render device reset: the texture's pixels are spoilt and
// SDL_RENDER_DEVICE_RESET is queued; without a renderer, the window's own pixels are
// spoilt and a new size is queued.
void ResetRenderDevice();
// Presenting converts 16-bit frames with the portable rows instead of the vector units.
void UsePlainConversion(bool plain);
// Every BltFast that succeeds is appended to `into` while it is set (null: none), so that
// benchmarks can give the very same blits to another blitter.
struct BlitRecord {
  Surface* source;
  RECT rect;
  int32_t x, y;
  uint32_t flags;
};
void RecordBlits(std::vector<BlitRecord>* into);
}  // namespace testing

}  // namespace dd
