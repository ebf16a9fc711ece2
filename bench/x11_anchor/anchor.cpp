// The yardstick of presenting on a real display: the least an SDL program can do to show an
// 800 × 600 XRGB frame 60 times a second, copying it into the window's surface and updating
// the window, with nothing scaled. Shows as many frames as its argument says, then exits;
// scripts/run-bench-x11 times it from outside as it times the game.
#include <SDL.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

int main(int argc, char** argv) {
  const long frames = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 600;
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
  SDL_Window* window =
      SDL_CreateWindow("anchor", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 800, 600, 0);
  if (!window) return 1;
  // Two frames that differ everywhere, so that every update sends new pixels.
  std::vector<uint32_t> pictures[2];
  for (int i = 0; i < 2; ++i) {
    pictures[i].resize(800 * 600);
    for (int p = 0; p < 800 * 600; ++p)
      pictures[i][p] = static_cast<uint32_t>(p * 2654435761u) ^ (i ? 0xFFFFFF : 0);
  }
  const auto period = std::chrono::nanoseconds(1'000'000'000 / 60);
  auto due = std::chrono::steady_clock::now();
  for (long frame = 0; frame < frames; ++frame) {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
    }
    SDL_Surface* surface = SDL_GetWindowSurface(window);
    if (!surface) return 1;
    SDL_LockSurface(surface);
    const uint32_t* from = pictures[frame % 2].data();
    for (int y = 0; y < 600 && y < surface->h; ++y)
      std::memcpy(static_cast<uint8_t*>(surface->pixels) + static_cast<size_t>(y) * surface->pitch,
                  from + static_cast<size_t>(y) * 800, 800 * 4);
    SDL_UnlockSurface(surface);
    due += period;
    std::this_thread::sleep_until(due);
    SDL_UpdateWindowSurface(window);
  }
  SDL_DestroyWindow(window);
  SDL_Quit();
  return 0;
}
