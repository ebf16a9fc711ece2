// The yardstick of presenting on a real display: the least an SDL program can do to show an
// 800 × 600 XRGB frame 60 times a second, copying it into the window's surface (not backed
// by OpenGL) and updating the window. Windowed nothing is scaled; with --full-screen the
// frame is stretched by SDL_BlitScaled into a desktop-sized window surface, letterboxed at
// 4:3 (the bars drawn when the surface is new). `anchor N K [--full-screen]` shows N frames
// and then reports, as the game does under NAUVREL_FRAME_REPORT, the frames after the K-th,
// their wall time and the CPU time.
#include <SDL.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

namespace {
double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}
double Seconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}
}  // namespace

int main(int argc, char** argv) {
  const long frames = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 600;
  const long from = argc > 2 ? std::strtol(argv[2], nullptr, 10) : 0;
  const bool fullScreen = argc > 3 && std::strcmp(argv[3], "--full-screen") == 0;
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
  SDL_Window* window = SDL_CreateWindow("anchor", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                        800, 600, fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
  if (!window) return 1;
  // Two frames that differ everywhere, so that every update sends new pixels.
  std::vector<uint32_t> pictures[2];
  for (int i = 0; i < 2; ++i) {
    pictures[i].resize(800 * 600);
    for (int p = 0; p < 800 * 600; ++p)
      pictures[i][p] = static_cast<uint32_t>(p * 2654435761u) ^ (i ? 0xFFFFFF : 0);
  }
  SDL_Surface* frameSurfaces[2];
  for (int i = 0; i < 2; ++i)
    frameSurfaces[i] = SDL_CreateRGBSurfaceWithFormatFrom(pictures[i].data(), 800, 600, 32, 800 * 4,
                                                          SDL_PIXELFORMAT_RGB888);
  SDL_Surface* barred = nullptr;  // the surface the bars were drawn on
  int barredW = 0, barredH = 0;
  const auto period = std::chrono::nanoseconds(1'000'000'000 / 60);
  auto due = std::chrono::steady_clock::now();
  double startWall = 0, startCpu = 0;
  for (long frame = 0; frame < frames; ++frame) {
    if (frame == from) startWall = Seconds(), startCpu = CpuSeconds();
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
    }
    SDL_Surface* surface = SDL_GetWindowSurface(window);
    if (!surface) return 1;
    if (fullScreen) {
      if (surface != barred || surface->w != barredW || surface->h != barredH) {
        SDL_FillRect(surface, nullptr, 0);
        barred = surface, barredW = surface->w, barredH = surface->h;
      }
      SDL_Rect to{0, 0, surface->w, surface->w * 3 / 4};
      if (to.h > surface->h) to = {0, 0, surface->h * 4 / 3, surface->h};
      to.x = (surface->w - to.w) / 2;
      to.y = (surface->h - to.h) / 2;
      SDL_BlitScaled(frameSurfaces[frame % 2], nullptr, surface, &to);
    } else {
      SDL_LockSurface(surface);
      const uint32_t* from = pictures[frame % 2].data();
      for (int y = 0; y < 600 && y < surface->h; ++y)
        std::memcpy(
            static_cast<uint8_t*>(surface->pixels) + static_cast<size_t>(y) * surface->pitch,
            from + static_cast<size_t>(y) * 800, 800 * 4);
      SDL_UnlockSurface(surface);
    }
    due += period;
    std::this_thread::sleep_until(due);
    SDL_UpdateWindowSurface(window);
  }
  std::fprintf(stderr, "frames %ld wall %.6f cpu %.6f\n", frames - from, Seconds() - startWall,
               CpuSeconds() - startCpu);
  SDL_DestroyWindow(window);
  SDL_Quit();
  return 0;
}
