// The software path: the frame goes into the window's own pixels, converted from its depth
// and scaled in one pass, and only the rectangles that changed go to the display. SDL's
// software renderer would copy it into a texture, stretch that into these same pixels and
// send the whole window every frame, the black bars too.
#include <SDL.h>

#include <cstring>
#include <vector>

#include "platform/display/ddraw.h"
#include "platform/display/state.h"
#include "platform/display/stretch.h"

namespace dd {

namespace {

struct WindowSurfaceState {
  SDL_Window* window = nullptr;
  SDL_Surface* surface = nullptr;  // as last drawn into, with its size
  int width = 0, height = 0, pitch = 0;
  win::ScaleMode mode = win::ScaleMode::Smooth;
  StretchPlan plan;
  std::vector<SDL_Rect> changed;  // what the last draw changed, for the display
  bool whole = false;             // all of the window goes to the display
} Pixels;

bool Xrgb(const SDL_Surface* surface) { return surface->format->format == SDL_PIXELFORMAT_RGB888; }

// Black around the frame's area; drawn only when the window's pixels are new.
void DrawBars(SDL_Surface* surface, const win::FrameArea& a) {
  const SDL_Rect bars[] = {{0, 0, surface->w, a.y},
                           {0, a.y + a.h, surface->w, surface->h - a.y - a.h},
                           {0, a.y, a.x, a.h},
                           {a.x + a.w, a.y, surface->w - a.x - a.w, a.h}};
  for (const SDL_Rect& bar : bars)
    if (bar.w > 0 && bar.h > 0) SDL_FillRect(surface, &bar, 0);
}

}  // namespace

bool OpenWindowSurface(SDL_Window* window) {
  // Pixels of our own that SDL sends to the display, not an OpenGL texture.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  SDL_Surface* surface = SDL_GetWindowSurface(window);
  if (!surface || !Xrgb(surface)) return false;
  Pixels = {};
  Pixels.window = window;
  Display.WindowSurfaceLost = true;
  return true;
}

void CloseWindowSurface() { Pixels = {}; }

bool DrawIntoWindowSurface(const Surface& front) {
  SDL_Surface* surface = SDL_GetWindowSurface(Pixels.window);
  if (!surface || !Xrgb(surface)) return false;
  const win::ScaleMode mode = win::CurrentScaleMode();
  // A resize or a full-screen toggle gives new pixels, perhaps at the same address.
  if (Display.WindowSurfaceLost || surface != Pixels.surface || surface->w != Pixels.width ||
      surface->h != Pixels.height || surface->pitch != Pixels.pitch || mode != Pixels.mode) {
    Pixels.surface = surface;
    Pixels.width = surface->w;
    Pixels.height = surface->h;
    Pixels.pitch = surface->pitch;
    Pixels.mode = mode;
    Pixels.plan = PlanStretch(surface->w, surface->h, mode);
    Pixels.whole = true;
    Display.WindowSurfaceLost = false;
    ForgetShown();
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return false;
    DrawBars(surface, Pixels.plan.area);
  } else if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) {
    return false;
  }
  const RowConverter rows(front, false);
  // Only what changed, at every depth: comparing costs less than converting, scaling or
  // sending a pixel to the display.
  const std::vector<ChangedBand>& bands = UpdateShown(front, rows);
  const win::FrameArea& a = Pixels.plan.area;
  uint8_t* origin = static_cast<uint8_t*>(surface->pixels) +
                    static_cast<size_t>(a.y) * surface->pitch + static_cast<size_t>(a.x) * 4;
  Pixels.changed.clear();
  for (const ChangedBand& band : bands) {
    const OutputSpan span = SpanOf(Pixels.plan, band);
    if (span.left >= span.right || span.top >= span.bottom) continue;
    DrawSpan(Pixels.plan, span, front, rows, origin, surface->pitch);
    Pixels.changed.push_back(
        {a.x + span.left, a.y + span.top, span.right - span.left, span.bottom - span.top});
  }
  if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
  return true;
}

void ShowWindowSurface() {
  if (Pixels.whole || Display.WindowExposed) {
    SDL_UpdateWindowSurface(Pixels.window);
  } else if (!Pixels.changed.empty()) {
    SDL_UpdateWindowSurfaceRects(Pixels.window, Pixels.changed.data(),
                                 static_cast<int>(Pixels.changed.size()));
  }
  Pixels.whole = false;
  Display.WindowExposed = false;
}

namespace testing {

std::vector<uint32_t> WindowSurfacePixels(int& width, int& height) {
  std::vector<uint32_t> pixels;
  SDL_Surface* surface = Pixels.window ? SDL_GetWindowSurface(Pixels.window) : nullptr;
  width = height = 0;
  if (!surface || !Xrgb(surface)) return pixels;
  width = surface->w;
  height = surface->h;
  pixels.resize(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y)
    std::memcpy(
        pixels.data() + static_cast<size_t>(y) * width,
        static_cast<const uint8_t*>(surface->pixels) + static_cast<size_t>(y) * surface->pitch,
        static_cast<size_t>(width) * 4);
  for (uint32_t& pixel : pixels) pixel &= 0xFFFFFF;
  return pixels;
}

void SpoilWindowSurface() {
  SDL_Surface* surface = Pixels.window ? SDL_GetWindowSurface(Pixels.window) : nullptr;
  if (!surface) return;
  std::memset(surface->pixels, 0x5A, static_cast<size_t>(surface->pitch) * surface->h);
  SDL_Event event{};
  event.type = SDL_WINDOWEVENT;
  event.window.event = SDL_WINDOWEVENT_SIZE_CHANGED;
  event.window.windowID = SDL_GetWindowID(Pixels.window);
  event.window.data1 = surface->w;
  event.window.data2 = surface->h;
  SDL_PushEvent(&event);
}

}  // namespace testing

}  // namespace dd
