#pragma once
// Inside the display layer only: the state shared by its parts.
#include <SDL.h>

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

#include "platform/display/ddraw.h"
#include "platform/display/frame_pacing.h"

namespace dd {

struct ChangedBand {
  int top, bottom, left, right;  // bottom and right exclusive
};

// A draw on a back buffer held back until its pixels are wanted. Once a frame's background
// is copied whole, what the buffer held before cannot show through, so each band of rows is
// exactly what its draws make: a band whose draws are those it was last composed from keeps
// its pixels, and only the other bands are drawn (composition.cpp).
struct PendingDraw {
  Surface* source;   // null for a colour fill
  RECT rect;         // in the source; a fill's own rectangle
  int32_t x, y;      // where the source rectangle goes
  bool keyed;        // through the source's colour key
  uint32_t fill;     // a fill's pixel value
  uint64_t content;  // the source's content id when the draw was made
};
constexpr int BandRows = 8;

struct DisplayState {
  std::vector<Surface*> LiveSurfaces;  // every surface in existence, for loss and palettes
  std::array<bool, 33> Refused{};      // depths a test made the display refuse
  int Flips = 0;
  uint64_t LastContentId = 0;  // NewContentId's
  // The one surface whose draws are held back, and them in order. Every read or write of
  // pixels that they touch settles them first (SettlePending).
  struct PendingDraws {
    Surface* target = nullptr;
    std::vector<PendingDraw> draws;
    // While composing: the bands as they are made now, a band's columns to draw, and the
    // bands to draw whole.
    ComposedBands next;
    std::vector<uint32_t> cursor;
    std::vector<std::pair<int, int>> columns;
    std::vector<bool> whole;
  } Pending;
  bool KeepFrames = false;
  std::vector<uint32_t> Frame;   // the last presented frame, when kept
  bool PlainConversion = false;  // a test asked for the portable rows
  // The 8-bit frame's palette as XRGB values, for the palette (and its version) it was
  // made from; null stands for the default colours.
  struct XrgbTable {
    std::array<uint32_t, 256> table{};
    const Palette* palette = nullptr;
    uint32_t version = 0;
    bool valid = false;
  } Xrgb;
  std::vector<testing::FakeDisplay> FakeDisplays;  // in place of SDL's, when not empty
  // Presenting: owned here, made on the window when the mode is set.
  SDL_Window* Window = nullptr;
  SDL_Renderer* Renderer = nullptr;
  SDL_Texture* Texture = nullptr;
  SDL_Texture* Sharp = nullptr;  // the frame at a whole multiple, for smooth scaling
  int SharpMultiple = 0;
  // The software path: the frame drawn into the window's own pixels, without a renderer.
  bool OnWindowSurface = false;
  bool WindowSurfaceLost = false;  // resized or spoilt: drawn again whole, bars and all
  bool WindowExposed = false;      // the display lost what it showed: all of it sent again
  FramePacer Pacer;                // paced while presenting does not wait by itself
  bool WatchingResets = false;     // the event watch below is in place
  bool DeviceReset = false;        // SDL lost its textures: the next flip makes a new one
  // The front buffer's bytes as last presented below 32 bits, at that depth and palette;
  // the texture holds their colours while `valid`.
  struct ShownFrame {
    std::vector<uint8_t> bytes;
    std::vector<ChangedBand> bands;
    std::vector<uint64_t> tags;  // the row tags of the frame last compared
    int bits = 0;
    std::array<uint32_t, 256> lookup{};
    bool valid = false;
  } Shown;
};
inline DisplayState Display;

constexpr std::array<uint32_t, 4> Depths = {8, 16, 24, 32};
inline bool DepthOffered(uint32_t bits) {
  return (bits == 8 || bits == 16 || bits == 24 || bits == 32) && !Display.Refused[bits];
}

// Gives access to a surface's inner parts to the other files of the layer.
struct SurfaceAccess {
  static bool& Lost(Surface& s) { return s.Lost; }
  static std::vector<uint8_t>& Memory(Surface& s) { return s.Memory; }
  static void Written(Surface& s) { s.Written(); }
  static Palette*& AttachedPalette(Surface& s) { return s.AttachedPalette; }
};

// The frame the display shows, whatever the window's size.
constexpr int FrameWidth = 800, FrameHeight = 600;

// Makes the held-back draws, if any, so that every surface's pixels are what was drawn;
// or, when their surface goes, drops them. SettleIfPending settles when `surface` is the
// one whose draws are held back.
void SettlePending();
void ForgetPending();
void SettleIfPending(const Surface* surface);

// Presenting (present.cpp).
void OpenPresenter(win::HWND window);
void ClosePresenter();
void Present(const Surface& front);
// Presenting into the window's own pixels (window_surface.cpp). Opening fails where the
// window's pixels are not XRGB; drawing converts and scales what changed since the last
// frame, showing sends it to the display.
bool OpenWindowSurface(SDL_Window* window);
bool DrawIntoWindowSurface(const Surface& front);
void ShowWindowSurface();
void CloseWindowSurface();
namespace testing {
// The window's pixels as 0x00RRGGBB, row after row; spoilt as by a resize.
std::vector<uint32_t> WindowSurfacePixels(int& width, int& height);
void SpoilWindowSurface();
}  // namespace testing
// Rows of the front buffer as XRGB at its depth (convert.cpp); the unused byte is
// cleared only where someone reads it back.
struct RowConverter {
  RowConverter(const Surface& front, bool clearUnused);
  void Convert(const uint8_t* src, uint32_t* dst, int count) const;
  int bits;
  bool clearUnused;
  std::array<uint32_t, 256> lookup{};  // 8 bits: the palette as XRGB
  void (*row565)(const uint8_t*, uint32_t*, int) = nullptr;
};
// The whole 800 × 600 frame.
void ConvertFrame(const Surface& front, uint8_t* out, int outPitch, bool clearUnused);

// What the texture shows below 32 bits (shown.cpp). The frame is compared with the
// one presented before; the bands of rows that changed are what must be converted and sent.
const std::vector<ChangedBand>& UpdateShown(const Surface& front, const RowConverter& rows);
// The texture no longer holds the shown frame: the next one is converted whole.
void ForgetShown();

// Displays (displays.cpp): puts the window on the chosen display.
void ShowOnDisplay(win::HWND window, int display);

// Pixel formats.
constexpr int BytesPerPixel(int bits) { return (bits + 7) / 8; }
constexpr uint32_t PixelMask(int bits) { return bits >= 24 ? 0xFFFFFFu : (1u << bits) - 1; }
constexpr uint32_t Rgb565(uint8_t r, uint8_t g, uint8_t b) {
  return (static_cast<uint32_t>(r >> 3) << 11) | (static_cast<uint32_t>(g >> 2) << 5) | (b >> 3);
}
constexpr uint32_t Rgb565ToRgb(uint32_t p) {
  uint32_t r = (p >> 11) & 31, g = (p >> 5) & 63, b = p & 31;
  return (((r << 3) | (r >> 2)) << 16) | (((g << 2) | (g >> 4)) << 8) | ((b << 3) | (b >> 2));
}
// The colours of an 8-bit surface without any palette: 3 bits red, 3 green, 2 blue.
const std::array<PALETTEENTRY, 256>& DefaultPalette();

}  // namespace dd
