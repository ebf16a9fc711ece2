// Presenting: the front buffer goes to the window through one streaming texture, at 8 bits
// through the primary's palette, letterboxed and scaled, with vsync or else paced to the
// display. A 32-bit frame is copied whole; below that only the bands that changed since the
// last frame are converted.
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <thread>

#include "platform/display/ddraw.h"
#include "platform/display/state.h"
#include "platform/window/sdl_window.h"

namespace dd {

namespace {
Uint32 PresenterWindowId = 0;

// The window may have been destroyed (and its renderer with it) behind our back.
bool PresenterAlive() {
  if (!Display.Renderer || PresenterWindowId == 0) return false;
  SDL_Window* window = SDL_GetWindowFromID(PresenterWindowId);
  return window && window == Display.Window && SDL_GetRenderer(window) == Display.Renderer;
}

void Forget() {
  ForgetShown();
  Display.Pacer = {};
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

SDL_Texture* MakeTexture(SDL_Renderer* renderer) {
  return SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                           FrameWidth, FrameHeight);
}

// Without vsync, flips keep the pace of the window's display; on a driver with no display
// nobody watches, and tests and benchmarks run there at full speed.
FramePacer PacerFor(SDL_Window* window, SDL_Renderer* renderer) {
  SDL_RendererInfo info{};
  const char* driver = SDL_GetCurrentVideoDriver();
  const std::string_view name = driver ? driver : "";
  if (SDL_GetRendererInfo(renderer, &info) != 0 || (info.flags & SDL_RENDERER_PRESENTVSYNC) ||
      name == "dummy" || name == "offscreen")
    return {};
  SDL_DisplayMode mode{};
  const int display = SDL_GetWindowDisplayIndex(window);
  const int refresh =
      display >= 0 && SDL_GetCurrentDisplayMode(display, &mode) == 0 && mode.refresh_rate > 0
          ? mode.refresh_rate
          : 60;
  return {SDL_GetPerformanceFrequency() / static_cast<uint64_t>(refresh), 0};
}

void WaitForTheDisplay() {
  const uint64_t ticks = TicksToWait(Display.Pacer, SDL_GetPerformanceCounter());
  if (ticks == 0) return;
  const auto frequency = static_cast<double>(SDL_GetPerformanceFrequency());
  std::this_thread::sleep_for(
      std::chrono::duration<double>(static_cast<double>(ticks) / frequency));
}

// A reset of the render device loses every texture, the frame in it too. Watched as the
// event is queued, since the window's pump does not know about textures.
int WatchResets(void*, SDL_Event* event) {
  if (event->type == SDL_RENDER_DEVICE_RESET) Display.DeviceReset = true;
  return 0;
}

// A new texture after a reset, the whole of the next frame going up into it.
bool RemakeTexture() {
  if (Display.Texture) SDL_DestroyTexture(Display.Texture);
  Display.Texture = MakeTexture(Display.Renderer);
  ForgetShown();
  Display.DeviceReset = false;
  return Display.Texture != nullptr;
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
  SDL_Texture* texture = MakeTexture(renderer);
  if (!texture) {
    SDL_DestroyRenderer(renderer);
    return;
  }
  SDL_RenderSetLogicalSize(renderer, FrameWidth, FrameHeight);  // also scales the mouse
  Display.Window = sdlWindow;
  Display.Renderer = renderer;
  Display.Texture = texture;
  Display.DeviceReset = false;
  Display.Pacer = PacerFor(sdlWindow, renderer);
  PresenterWindowId = SDL_GetWindowID(sdlWindow);
  if (!Display.WatchingResets) {
    SDL_AddEventWatch(WatchResets, nullptr);
    Display.WatchingResets = true;
  }
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
    ConvertFrame(front, reinterpret_cast<uint8_t*>(Display.Frame.data()), FrameWidth * 4, true);
  }
  if (!PresenterAlive()) {
    Forget();
    return;
  }
  if ((Display.DeviceReset || !Display.Texture) && !RemakeTexture()) return;
  if (front.BitsPerPixel() == 32) {  // already XRGB: one copy, cheaper than comparing
    ForgetShown();
    void* pixels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(Display.Texture, nullptr, &pixels, &pitch) != 0) return;
    ConvertFrame(front, static_cast<uint8_t*>(pixels), pitch, false);
    SDL_UnlockTexture(Display.Texture);
  } else {
    const RowConverter rows(front, false);
    const int bytes = BytesPerPixel(rows.bits);
    for (const ChangedBand& band : UpdateShown(front, rows)) {
      const SDL_Rect rect{band.left, band.top, band.right - band.left, band.bottom - band.top};
      void* pixels = nullptr;
      int pitch = 0;
      if (SDL_LockTexture(Display.Texture, &rect, &pixels, &pitch) != 0) {
        ForgetShown();  // the texture may hold part of it: all of the next frame goes up
        return;
      }
      for (int y = band.top; y < band.bottom; ++y)
        rows.Convert(front.Pixels() + static_cast<size_t>(y) * front.Pitch() + band.left * bytes,
                     reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(pixels) +
                                                 static_cast<size_t>(y - band.top) * pitch),
                     rect.w);
      SDL_UnlockTexture(Display.Texture);
    }
  }
  SDL_SetRenderDrawColor(Display.Renderer, 0, 0, 0, 255);
  SDL_RenderClear(Display.Renderer);
  SDL_RenderCopy(Display.Renderer, Display.Texture, nullptr, nullptr);
  WaitForTheDisplay();
  SDL_RenderPresent(Display.Renderer);
}

namespace testing {

std::vector<uint32_t> TextureFrame() {
  std::vector<uint32_t> frame;
  if (!PresenterAlive()) return frame;
  // Drawn into a target of the texture's own size, away from the window's letterbox.
  SDL_Texture* target = SDL_CreateTexture(Display.Renderer, SDL_PIXELFORMAT_RGB888,
                                          SDL_TEXTUREACCESS_TARGET, FrameWidth, FrameHeight);
  if (!target) return frame;
  frame.resize(static_cast<size_t>(FrameWidth) * FrameHeight);
  if (SDL_SetRenderTarget(Display.Renderer, target) != 0 ||
      SDL_RenderCopy(Display.Renderer, Display.Texture, nullptr, nullptr) != 0 ||
      SDL_RenderReadPixels(Display.Renderer, nullptr, SDL_PIXELFORMAT_RGB888, frame.data(),
                           FrameWidth * 4) != 0)
    frame.clear();
  SDL_SetRenderTarget(Display.Renderer, nullptr);
  SDL_DestroyTexture(target);
  for (uint32_t& pixel : frame) pixel &= 0xFFFFFF;
  return frame;
}

void ForgetShownFrame() { ForgetShown(); }

void ResetRenderDevice() {
  if (!PresenterAlive()) return;
  void* pixels = nullptr;
  int pitch = 0;
  if (SDL_LockTexture(Display.Texture, nullptr, &pixels, &pitch) == 0) {
    std::memset(pixels, 0x5A, static_cast<size_t>(pitch) * FrameHeight);
    SDL_UnlockTexture(Display.Texture);
  }
  SDL_Event event{};
  event.type = SDL_RENDER_DEVICE_RESET;
  SDL_PushEvent(&event);
}

}  // namespace testing

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
