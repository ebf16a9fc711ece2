// Presenting: the front buffer goes to the window through one streaming texture, at 8 bits
// through the primary's palette, letterboxed and scaled, with vsync.
#include <cstdlib>
#include <cstring>

#include "platform/ddraw.h"
#include "platform/ddraw_state.h"
#include "platform/sdl_window.h"

namespace dd {

namespace {
constexpr int FrameWidth = 800, FrameHeight = 600;
Uint32 PresenterWindowId = 0;

// The window may have been destroyed (and its renderer with it) behind our back.
bool PresenterAlive() {
  if (!Display.Renderer || PresenterWindowId == 0) return false;
  SDL_Window* window = SDL_GetWindowFromID(PresenterWindowId);
  return window && window == Display.Window && SDL_GetRenderer(window) == Display.Renderer;
}

void Forget() {
  Display.Renderer = nullptr;
  Display.Texture = nullptr;
  Display.Window = nullptr;
  PresenterWindowId = 0;
}

// NAUVREL_QUIT_AFTER_FRAMES=N closes the game once N frames have been presented, so that
// start-up can be timed as a whole process. Unset or not a positive number: never.
long QuitAfterFrames() {
  static const long frames = [] {
    const char* text = std::getenv("NAUVREL_QUIT_AFTER_FRAMES");
    const long n = text ? std::strtol(text, nullptr, 10) : 0;
    return n > 0 ? n : 0;
  }();
  return frames;
}

// One frame as XRGB rows; the unused byte is cleared only where someone reads it back.
void Convert(const Surface& front, uint8_t* out, int outPitch, bool clearUnused) {
  const int bits = front.BitsPerPixel();
  std::array<uint32_t, 256> lookup{};
  if (bits == 8) {
    const Palette* palette = front.EffectivePalette();
    const auto& table = palette ? palette->Entries() : DefaultPalette();
    for (int i = 0; i < 256; ++i)
      lookup[i] =
          (uint32_t{table[i].peRed} << 16) | (uint32_t{table[i].peGreen} << 8) | table[i].peBlue;
  }
  for (int y = 0; y < FrameHeight; ++y) {
    const uint8_t* src = front.Pixels() + static_cast<size_t>(y) * front.Pitch();
    auto* dst = reinterpret_cast<uint32_t*>(out + static_cast<size_t>(y) * outPitch);
    switch (bits) {
      case 8:
        for (int x = 0; x < FrameWidth; ++x) dst[x] = lookup[src[x]];
        break;
      case 16:
        for (int x = 0; x < FrameWidth; ++x)
          dst[x] = Rgb565ToRgb(src[2 * x] | (src[2 * x + 1] << 8));
        break;
      case 24:
        for (int x = 0; x < FrameWidth; ++x)
          dst[x] = src[3 * x] | (src[3 * x + 1] << 8) | (uint32_t{src[3 * x + 2]} << 16);
        break;
      default:
        if (!clearUnused) {
          std::memcpy(dst, src, FrameWidth * 4);
          break;
        }
        for (int x = 0; x < FrameWidth; ++x) {
          uint32_t v;
          std::memcpy(&v, src + 4 * x, 4);
          dst[x] = v & 0xFFFFFF;
        }
        break;
    }
  }
}
}  // namespace

void OpenPresenter(win::HWND window) {
  SDL_Window* sdlWindow = window ? win::SdlWindow(window) : nullptr;
  if (PresenterAlive() && Display.Window == sdlWindow) return;
  ClosePresenter();
  if (!sdlWindow) return;  // no window: presenting does nothing
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
  SDL_Renderer* renderer = SDL_CreateRenderer(sdlWindow, -1, SDL_RENDERER_PRESENTVSYNC);
  if (!renderer) renderer = SDL_CreateRenderer(sdlWindow, -1, SDL_RENDERER_SOFTWARE);
  if (!renderer) return;  // a display-less driver: run headless
  SDL_Texture* texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB888,
                                           SDL_TEXTUREACCESS_STREAMING, FrameWidth, FrameHeight);
  if (!texture) {
    SDL_DestroyRenderer(renderer);
    return;
  }
  SDL_RenderSetLogicalSize(renderer, FrameWidth, FrameHeight);  // also scales the mouse
  Display.Window = sdlWindow;
  Display.Renderer = renderer;
  Display.Texture = texture;
  PresenterWindowId = SDL_GetWindowID(sdlWindow);
}

void ClosePresenter() {
  if (PresenterAlive()) {
    SDL_DestroyTexture(Display.Texture);
    SDL_DestroyRenderer(Display.Renderer);
  }
  Forget();
}

void Present(const Surface& front) {
  if (Display.KeepFrames) {
    Display.Frame.resize(static_cast<size_t>(FrameWidth) * FrameHeight);
    Convert(front, reinterpret_cast<uint8_t*>(Display.Frame.data()), FrameWidth * 4, true);
  }
  if (!PresenterAlive()) {
    Forget();
    return;
  }
  void* pixels = nullptr;
  int pitch = 0;
  if (SDL_LockTexture(Display.Texture, nullptr, &pixels, &pitch) != 0) return;
  Convert(front, static_cast<uint8_t*>(pixels), pitch, false);
  SDL_UnlockTexture(Display.Texture);
  SDL_SetRenderDrawColor(Display.Renderer, 0, 0, 0, 255);
  SDL_RenderClear(Display.Renderer);
  SDL_RenderCopy(Display.Renderer, Display.Texture, nullptr, nullptr);
  SDL_RenderPresent(Display.Renderer);
}

HRESULT Surface::Flip(Surface*, uint32_t) {
  if (!IsPrimary || Backs.empty()) return DDERR_NOTFLIPPABLE;
  if (Lost) return DDERR_SURFACELOST;
  if (HRESULT hr = CheckUsable(); Failed(hr)) return hr;
  for (auto& back : Backs)
    if (HRESULT hr = back->CheckUsable(); Failed(hr)) return hr;
  // The chain turns: the first back buffer is shown, the old front goes to the end.
  Memory.swap(Backs.front()->Memory);
  for (size_t i = 0; i + 1 < Backs.size(); ++i) Backs[i]->Memory.swap(Backs[i + 1]->Memory);
  Written();
  for (auto& back : Backs) back->Written();
  ++Display.Flips;
  Present(*this);
  if (QuitAfterFrames() != 0 && Display.Flips == QuitAfterFrames() && win::MainWindow())
    win::PostMessage(win::MainWindow(), win::WM_CLOSE, 0, 0);
  return DD_OK;
}

}  // namespace dd
