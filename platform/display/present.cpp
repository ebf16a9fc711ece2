// Presenting: the front buffer goes to the window, at 8 bits through the primary's palette,
// letterboxed at 4:3 and scaled in the chosen mode at the window's real pixel size, with
// vsync or else paced to the display. On the GPU it goes through one streaming texture;
// without one, into the window's own pixels. A 32-bit frame is copied whole; below that
// only the bands that changed since the last frame are converted.
#include <sys/resource.h>
#include <time.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "platform/display/ddraw.h"
#include "platform/display/renderer_choice.h"
#include "platform/display/state.h"
#include "platform/window/frame_area.h"
#include "platform/window/sdl_window.h"

namespace dd {

namespace {
Uint32 PresenterWindowId = 0;

// The window may have been destroyed (and its renderer with it) behind our back.
bool PresenterAlive() {
  if ((!Display.Renderer && !Display.OnWindowSurface) || PresenterWindowId == 0) return false;
  SDL_Window* window = SDL_GetWindowFromID(PresenterWindowId);
  return window && window == Display.Window && SDL_GetRenderer(window) == Display.Renderer;
}

void Forget() {
  ForgetShown();
  CloseWindowSurface();
  Display.OnWindowSurface = false;
  Display.WindowSurfaceLost = Display.WindowExposed = false;
  Display.Pacer = {};
  Display.Renderer = nullptr;
  Display.Texture = nullptr;
  Display.Sharp = nullptr;
  Display.SharpMultiple = 0;
  Display.Window = nullptr;
  PresenterWindowId = 0;
}

// A frame number from the environment; 0 (never) when unset or not a positive number.
long FrameFromEnvironment(const char* name) {
  const char* text = std::getenv(name);
  const long n = text ? std::strtol(text, nullptr, 10) : 0;
  return n > 0 ? n : 0;
}

// NAUVREL_QUIT_AFTER_FRAMES=N closes the game once N frames have been presented, so that
// start-up can be timed as a whole process.
long QuitAfterFrames() {
  static const long frames = FrameFromEnvironment("NAUVREL_QUIT_AFTER_FRAMES");
  return frames;
}

// NAUVREL_FRAME_REPORT=K with NAUVREL_QUIT_AFTER_FRAMES=N: at the N-th frame the frames
// since the K-th, their wall time and the process's CPU time go to standard error, for
// benchmarks that time screens without the start-up.
long ReportFromFrame() {
  static const long frame = FrameFromEnvironment("NAUVREL_FRAME_REPORT");
  return frame;
}

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void ReportFrames() {
  static double startWall = 0, startCpu = 0;
  const long from = ReportFromFrame();
  if (from == 0 || Display.Flips < from) return;
  const double wall = static_cast<double>(SDL_GetPerformanceCounter()) /
                      static_cast<double>(SDL_GetPerformanceFrequency());
  if (Display.Flips == from) {
    startWall = wall;
    startCpu = CpuSeconds();
  } else if (Display.Flips == QuitAfterFrames()) {
    std::fprintf(stderr, "frames %ld wall %.6f cpu %.6f\n", Display.Flips - from, wall - startWall,
                 CpuSeconds() - startCpu);
  }
}

SDL_Texture* MakeTexture(SDL_Renderer* renderer) {
  return SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                           FrameWidth, FrameHeight);
}

// The pacer's clock: nanoseconds of the clock the flip sleeps on.
uint64_t Now() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<uint64_t>(now.tv_sec) * 1'000'000'000u + static_cast<uint64_t>(now.tv_nsec);
}

// Flips keep the pace of the window's display, measured from the presents; on a driver with
// no display nobody watches, and tests and benchmarks run there at full speed.
FramePacer PacerFor(SDL_Window* window) {
  const char* driver = SDL_GetCurrentVideoDriver();
  const std::string_view name = driver ? driver : "";
  if (name == "dummy" || name == "offscreen") return {};
  SDL_DisplayMode mode{};
  const int display = SDL_GetWindowDisplayIndex(window);
  const int refresh =
      display >= 0 && SDL_GetCurrentDisplayMode(display, &mode) == 0 && mode.refresh_rate > 0
          ? mode.refresh_rate
          : 60;
  FramePacer pacer;
  pacer.period = 1'000'000'000u / static_cast<uint64_t>(refresh);
  return pacer;
}

// Sleeps to the frame's due time itself rather than for a span worked out before, so that
// neither the sleep's start nor its lateness moves the beat.
void WaitForTheDisplay() {
  const uint64_t now = Now();
  const uint64_t ticks = TicksToWait(Display.Pacer, now);
  if (ticks == 0) return;
  const uint64_t due = now + ticks;
  const timespec at{static_cast<time_t>(due / 1'000'000'000u),
                    static_cast<long>(due % 1'000'000'000u)};
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &at, nullptr) == EINTR) {
  }
}

// A reset of the render device loses every texture, the frame in it too; a new size gives
// the window new pixels, and an exposed window must be sent again. Watched as the events
// are queued, since the window's pump does not know about either.
int WatchResets(void*, SDL_Event* event) {
  if (event->type == SDL_RENDER_DEVICE_RESET) Display.DeviceReset = true;
  if (event->type == SDL_WINDOWEVENT && event->window.windowID == PresenterWindowId) {
    if (event->window.event == SDL_WINDOWEVENT_SIZE_CHANGED) Display.WindowSurfaceLost = true;
    if (event->window.event == SDL_WINDOWEVENT_EXPOSED) Display.WindowExposed = true;
  }
  return 0;
}

// A new texture after a reset, the whole of the next frame going up into it.
bool RemakeTexture() {
  if (Display.Texture) SDL_DestroyTexture(Display.Texture);
  if (Display.Sharp) SDL_DestroyTexture(Display.Sharp);
  Display.Sharp = nullptr;
  Display.SharpMultiple = 0;
  Display.Texture = MakeTexture(Display.Renderer);
  ForgetShown();
  Display.DeviceReset = false;
  return Display.Texture != nullptr;
}

// The frame at `multiple` times its size, drawn by nearest neighbour: smooth scaling goes
// linearly from there, so that pixels stay sharp and even. Null where none can be made.
SDL_Texture* SharpFrame(int multiple) {
  if (Display.Sharp && Display.SharpMultiple != multiple) {
    SDL_DestroyTexture(Display.Sharp);
    Display.Sharp = nullptr;
  }
  if (!Display.Sharp) {
    Display.Sharp =
        SDL_CreateTexture(Display.Renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_TARGET,
                          FrameWidth * multiple, FrameHeight * multiple);
    Display.SharpMultiple = Display.Sharp ? multiple : 0;
    if (!Display.Sharp) return nullptr;
    SDL_SetTextureScaleMode(Display.Sharp, SDL_ScaleModeLinear);
  }
  SDL_SetTextureScaleMode(Display.Texture, SDL_ScaleModeNearest);
  if (SDL_SetRenderTarget(Display.Renderer, Display.Sharp) != 0) return nullptr;
  SDL_RenderCopy(Display.Renderer, Display.Texture, nullptr, nullptr);
  SDL_SetRenderTarget(Display.Renderer, nullptr);
  return Display.Sharp;
}

// The frame into the window's pixels, black around it.
void DrawScaled() {
  int outputW = FrameWidth, outputH = FrameHeight;
  SDL_GetRendererOutputSize(Display.Renderer, &outputW, &outputH);
  const win::ScaleMode mode = win::CurrentScaleMode();
  const win::FrameArea area = win::FitFrame(outputW, outputH, mode);
  const SDL_Rect to{area.x, area.y, area.w, area.h};
  const bool whole = area.w % FrameWidth == 0 && area.h % FrameHeight == 0 &&
                     area.w / FrameWidth == area.h / FrameHeight;
  SDL_Texture* from = Display.Texture;
  SDL_ScaleMode filter = SDL_ScaleModeLinear;
  if (mode == win::ScaleMode::Nearest || (mode != win::ScaleMode::Linear && whole)) {
    filter = SDL_ScaleModeNearest;
  } else if (mode == win::ScaleMode::Smooth && win::SharpMultiple(area) > 1) {
    if (SDL_Texture* sharp = SharpFrame(win::SharpMultiple(area))) from = sharp;
  }
  if (from == Display.Texture) SDL_SetTextureScaleMode(Display.Texture, filter);
  // Black bars only: clearing the whole of a large software window costs a frame's copy.
  const SDL_Rect bars[] = {{0, 0, outputW, area.y},
                           {0, area.y + area.h, outputW, outputH - area.y - area.h},
                           {0, area.y, area.x, area.h},
                           {area.x + area.w, area.y, outputW - area.x - area.w, area.h}};
  SDL_SetRenderDrawColor(Display.Renderer, 0, 0, 0, 255);
  for (const SDL_Rect& bar : bars)
    if (bar.w > 0 && bar.h > 0) SDL_RenderFillRect(Display.Renderer, &bar);
  SDL_RenderCopy(Display.Renderer, from, nullptr, &to);
}

}  // namespace

void OpenPresenter(win::HWND window) {
  SDL_Window* sdlWindow = window ? win::SdlWindow(window) : nullptr;
  if (PresenterAlive() && Display.Window == sdlWindow) return;
  ClosePresenter();
  if (!sdlWindow) return;  // no window: presenting does nothing
  const Presenter presenter = MakePresenter(sdlWindow);
  if (!presenter.renderer && !presenter.windowSurface) return;  // no display: run headless
  SDL_Texture* texture = nullptr;
  if (presenter.renderer && !(texture = MakeTexture(presenter.renderer))) {
    SDL_DestroyRenderer(presenter.renderer);
    return;
  }
  Display.Window = sdlWindow;
  Display.Renderer = presenter.renderer;
  Display.Texture = texture;
  Display.OnWindowSurface = presenter.windowSurface;
  Display.DeviceReset = false;
  Display.Pacer = PacerFor(sdlWindow);
  PresenterWindowId = SDL_GetWindowID(sdlWindow);
  if (!Display.WatchingResets) {
    SDL_AddEventWatch(WatchResets, nullptr);
    Display.WatchingResets = true;
  }
}

void ClosePresenter() {
  if (PresenterAlive() && Display.Renderer) {
    if (Display.Sharp) SDL_DestroyTexture(Display.Sharp);
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
  if (Display.OnWindowSurface) {
    if (!DrawIntoWindowSurface(front)) return;
    WaitForTheDisplay();
    const uint64_t before = Now();
    ShowWindowSurface();
    NotePresent(Display.Pacer, before, Now());
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
  DrawScaled();
  WaitForTheDisplay();
  const uint64_t before = Now();
  SDL_RenderPresent(Display.Renderer);
  NotePresent(Display.Pacer, before, Now());
}

namespace testing {

std::vector<uint32_t> TextureFrame() {
  std::vector<uint32_t> frame;
  if (!PresenterAlive()) return frame;
  if (Display.OnWindowSurface) {  // the window's pixels hold it where it is not scaled
    int width = 0, height = 0;
    const std::vector<uint32_t> pixels = WindowSurfacePixels(width, height);
    const win::FrameArea a = win::FitFrame(width, height, win::CurrentScaleMode());
    if (a.w != FrameWidth || a.h != FrameHeight) return frame;
    for (int y = 0; y < FrameHeight; ++y)
      frame.insert(frame.end(), pixels.begin() + (y + a.y) * width + a.x,
                   pixels.begin() + (y + a.y) * width + a.x + FrameWidth);
    return frame;
  }
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

std::vector<uint32_t> WindowPixels(int& width, int& height) {
  std::vector<uint32_t> pixels;
  width = height = 0;
  if (PresenterAlive() && Display.OnWindowSurface) return WindowSurfacePixels(width, height);
  if (!PresenterAlive() || SDL_GetRendererOutputSize(Display.Renderer, &width, &height) != 0)
    return pixels;
  pixels.resize(static_cast<size_t>(width) * height);
  if (SDL_RenderReadPixels(Display.Renderer, nullptr, SDL_PIXELFORMAT_RGB888, pixels.data(),
                           width * 4) != 0)
    pixels.clear();
  for (uint32_t& pixel : pixels) pixel &= 0xFFFFFF;
  return pixels;
}

void ResetRenderDevice() {
  if (!PresenterAlive()) return;
  if (Display.OnWindowSurface) return SpoilWindowSurface();
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
  SettlePending();
  const auto turn = [](Surface& a, Surface& b) {
    a.Memory.swap(b.Memory);
    a.Tags.swap(b.Tags);
    a.Bands.swap(b.Bands);
  };
  turn(*this, *Backs.front());
  for (size_t i = 0; i + 1 < Backs.size(); ++i) turn(*Backs[i], *Backs[i + 1]);
  Changed();
  for (auto& back : Backs) back->Changed();
  ++Display.Flips;
  Present(*this);
  ReportFrames();
  if (QuitAfterFrames() != 0 && Display.Flips == QuitAfterFrames() && win::MainWindow())
    win::PostMessage(win::MainWindow(), win::WM_CLOSE, 0, 0);
  return DD_OK;
}

}  // namespace dd
