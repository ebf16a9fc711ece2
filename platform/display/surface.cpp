// Surfaces as memory: creation, locks, device contexts, colour keys, palettes and loss.
#include <algorithm>
#include <cstring>

#include "platform/display/ddraw.h"
#include "platform/display/rows.h"
#include "platform/display/state.h"

namespace dd {

const std::array<PALETTEENTRY, 256>& DefaultPalette() {
  static const std::array<PALETTEENTRY, 256> table = [] {
    std::array<PALETTEENTRY, 256> t{};
    for (int i = 0; i < 256; ++i) {
      t[i].peRed = static_cast<uint8_t>(((i >> 5) & 7) * 255 / 7);
      t[i].peGreen = static_cast<uint8_t>(((i >> 2) & 7) * 255 / 7);
      t[i].peBlue = static_cast<uint8_t>((i & 3) * 255 / 3);
    }
    return t;
  }();
  return table;
}

// --- palettes ------------------------------------------------------------------

Palette::Palette(const PALETTEENTRY* entries) {
  if (entries) std::copy(entries, entries + 256, Table.begin());
}

Palette::~Palette() {
  if (Display.Xrgb.palette == this) Display.Xrgb.valid = false;  // the address may come back
  for (Surface* s : Display.LiveSurfaces)
    if (s->AttachedPalette == this) s->AttachedPalette = nullptr;
}

HRESULT Palette::GetEntries(uint32_t start, uint32_t count, PALETTEENTRY* out) const {
  if (!out || start > 256 || count > 256 - start) return DDERR_INVALIDPARAMS;
  std::copy_n(Table.begin() + start, count, out);
  return DD_OK;
}

HRESULT Palette::SetEntries(uint32_t start, uint32_t count, const PALETTEENTRY* in) {
  if (!in || start > 256 || count > 256 - start) return DDERR_INVALIDPARAMS;
  std::copy_n(in, count, Table.begin() + start);
  ++Changes;
  return DD_OK;
}

// --- surfaces --------------------------------------------------------------------

uint64_t NewContentId() { return ++Display.LastContentId; }

Surface::Surface(int width, int height, int bitsPerPixel)
    : W(width), H(height), Bits(bitsPerPixel) {
  // Rows padded to 4 bytes, so that the first 32-bit word can always be read.
  RowBytes = (W * BytesPerPixel(Bits) + 3) & ~3;
  Memory.assign(static_cast<size_t>(RowBytes) * H, 0);
  Tags.Reset(H);
  Bands.Reset(static_cast<size_t>((H + BandRows - 1) / BandRows));
  Content = NewContentId();
  Display.LiveSurfaces.push_back(this);
}

void Surface::Changed() {
  // Neither the held-back draws' surface nor their sources change under them.
  if (HeldBack || Display.Pending.target == this) SettlePending();
  Spans.valid = false;
  Content = NewContentId();
}

void Surface::RowsWritten(int top, int bottom) {
  Changed();
  top = std::clamp(top, 0, H), bottom = std::clamp(bottom, top, H);
  Tags.Forget(top, bottom);
  if (top < bottom)
    std::fill(Bands.hash.begin() + top / BandRows, Bands.hash.begin() + (bottom - 1) / BandRows + 1,
              0);
}

const uint8_t* Surface::Pixels() const {
  SettleIfPending(this);
  return Memory.data();
}

void Surface::SetRowTag(int y, uint64_t tag) {
  Tags.Set(y, tag);
  Bands.hash[static_cast<size_t>(y / BandRows)] = 0;
}

uint64_t Surface::RowTag(int y) const {
  SettleIfPending(this);
  return Tags.Get(y);
}

Surface::~Surface() {
  if (Display.Pending.target == this)
    ForgetPending();
  else if (HeldBack)
    SettlePending();
  Backs.clear();
  std::erase(Display.LiveSurfaces, this);
}

HRESULT Surface::CheckUsable() const {
  if (Lost) return DDERR_SURFACELOST;
  if (Locked || DcHeld) return DDERR_SURFACEBUSY;
  return DD_OK;
}

HRESULT Surface::Lock(const RECT* rect, LockedRect& out, uint32_t flags) {
  if (HRESULT hr = CheckUsable(); Failed(hr)) return hr;
  RECT r = rect ? *rect : RECT{0, 0, W, H};
  if (r.left < 0 || r.top < 0 || r.right > W || r.bottom > H || r.left >= r.right ||
      r.top >= r.bottom)
    return DDERR_INVALIDRECT;
  SettleIfPending(this);
  if (!(flags & DDLOCK_READONLY)) RowsWritten(r.top, r.bottom);
  Locked = true;
  out.pitch = RowBytes;
  out.bits = Memory.data() + static_cast<size_t>(r.top) * RowBytes + r.left * BytesPerPixel(Bits);
  return DD_OK;
}

HRESULT Surface::Unlock(const RECT*) {
  if (!Locked) return DDERR_NOTLOCKED;
  Locked = false;
  return DD_OK;
}

HRESULT Surface::SetColorKey(uint32_t flags, const DDCOLORKEY* key) {
  if (flags != DDCKEY_SRCBLT) return DDERR_UNSUPPORTED;
  if (Lost) return DDERR_SURFACELOST;
  KeySet = key != nullptr;
  Key = key ? key->dwColorSpaceLowValue & PixelMask(Bits) : 0;
  Written();
  return DD_OK;
}

HRESULT Surface::IsLost() const { return Lost ? DDERR_SURFACELOST : DD_OK; }

HRESULT Surface::Restore() {
  if (Locked || DcHeld) return DDERR_SURFACEBUSY;
  Lost = false;
  for (auto& back : Backs) back->Lost = false;
  Written();
  return DD_OK;
}

HRESULT Surface::GetDC(HDC*& dc) {
  if (HRESULT hr = CheckUsable(); Failed(hr)) return hr;
  Changed();
  DcHeld = true;
  Context = HDC{this, Memory.data(), RowBytes};
  dc = &Context;
  return DD_OK;
}

HRESULT Surface::ReleaseDC(HDC* dc) {
  if (!DcHeld || dc != &Context) return DDERR_INVALIDPARAMS;
  DcHeld = false;
  Context = HDC{};
  return DD_OK;
}

HRESULT Surface::SetPalette(Palette* palette) {
  // Accepted at every depth and used at 8 bits only: an 8-bit game that had to fall back
  // to a true-colour mode still attaches its palettes.
  if (Lost) return DDERR_SURFACELOST;
  AttachedPalette = palette;
  return DD_OK;
}

const Palette* Surface::EffectivePalette() const {
  if (AttachedPalette) return AttachedPalette;
  return Primary ? Primary->AttachedPalette : nullptr;
}

uint32_t Surface::MapColour(uint8_t red, uint8_t green, uint8_t blue) const {
  switch (Bits) {
    case 16:
      return Rgb565(red, green, blue);
    case 24:
    case 32:
      return (uint32_t{red} << 16) | (uint32_t{green} << 8) | blue;
    default:
      break;
  }
  const Palette* palette = EffectivePalette();
  const auto& table = palette ? palette->Entries() : DefaultPalette();
  uint32_t best = 0, bestDistance = UINT32_MAX;
  for (uint32_t i = 0; i < 256 && bestDistance != 0; ++i) {
    int dr = table[i].peRed - red, dg = table[i].peGreen - green, db = table[i].peBlue - blue;
    auto distance = static_cast<uint32_t>(dr * dr + dg * dg + db * db);
    if (distance < bestDistance) bestDistance = distance, best = i;
  }
  return best;
}

uint32_t Surface::PixelValue(int x, int y) const {
  SettleIfPending(this);
  const uint8_t* p = Memory.data() + static_cast<size_t>(y) * RowBytes + x * BytesPerPixel(Bits);
  switch (Bits) {
    case 8:
      return p[0];
    case 16:
      return p[0] | (uint32_t{p[1]} << 8);
    case 24:
      return p[0] | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16);
    default: {
      uint32_t v;
      std::memcpy(&v, p, 4);
      return v;
    }
  }
}

uint32_t Surface::PixelRGB(int x, int y) const {
  uint32_t v = PixelValue(x, y);
  switch (Bits) {
    case 8: {
      const Palette* palette = EffectivePalette();
      const PALETTEENTRY& e = (palette ? palette->Entries() : DefaultPalette())[v];
      return (uint32_t{e.peRed} << 16) | (uint32_t{e.peGreen} << 8) | e.peBlue;
    }
    case 16:
      return Rgb565ToRgb(v);
    default:
      return v & 0xFFFFFF;
  }
}

bool FillRect(HDC* dc, const RECT& rect, COLORREF colour) {
  if (!dc || !dc->surface) return false;
  Surface& s = *dc->surface;
  RECT r{std::max(rect.left, 0), std::max(rect.top, 0), std::min(rect.right, s.Width()),
         std::min(rect.bottom, s.Height())};
  if (r.left >= r.right || r.top >= r.bottom) return true;  // nothing inside: GDI succeeds
  s.RowsWritten(r.top, r.bottom);
  uint32_t value = s.MapColour(colour.red, colour.green, colour.blue);
  int bytes = BytesPerPixel(s.BitsPerPixel());
  rows::FillRows(dc->bits + static_cast<size_t>(r.top) * dc->pitch + r.left * bytes, dc->pitch,
                 r.bottom - r.top, r.right - r.left, bytes, value);
  return true;
}

}  // namespace dd
