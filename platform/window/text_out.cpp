// The window paints only "Loading..." itself, before the display takes over: a tiny
// built-in font is enough for that.
#include <SDL.h>

#include <array>
#include <cstdint>

#include "platform/window/sdl_window.h"
#include "platform/window/window.h"

namespace win {
namespace {

struct Glyph {
  char c;
  std::array<uint8_t, 7> rows;  // five columns, bit 4 is the leftmost
};

constexpr std::array<Glyph, 8> Font{{
    {'L', {0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1F}},
    {'o', {0x00, 0x00, 0x0E, 0x11, 0x11, 0x11, 0x0E}},
    {'a', {0x00, 0x00, 0x0E, 0x01, 0x0F, 0x11, 0x0F}},
    {'d', {0x01, 0x01, 0x0D, 0x13, 0x11, 0x11, 0x0F}},
    {'i', {0x04, 0x00, 0x0C, 0x04, 0x04, 0x04, 0x0E}},
    {'n', {0x00, 0x00, 0x16, 0x19, 0x11, 0x11, 0x11}},
    {'g', {0x00, 0x0F, 0x11, 0x11, 0x0F, 0x01, 0x0E}},
    {'.', {0x00, 0x00, 0x00, 0x00, 0x00, 0x0C, 0x0C}},
}};

const Glyph* Find(char c) {
  for (const Glyph& g : Font)
    if (g.c == c) return &g;
  return nullptr;
}

}  // namespace

void TextOut(HWND hwnd, int x, int y, const char* text, int length) {
  SDL_Window* sdl = SdlWindow(hwnd);
  if (!sdl || !text) return;
  // Borrow a renderer when the display has none yet; the display makes its own later.
  SDL_Renderer* renderer = SDL_GetRenderer(sdl);
  const bool borrowed = renderer == nullptr;
  if (borrowed) renderer = SDL_CreateRenderer(sdl, -1, SDL_RENDERER_SOFTWARE);
  if (!renderer) return;
  constexpr int Scale = 3;
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
  SDL_RenderClear(renderer);
  SDL_SetRenderDrawColor(renderer, 200, 220, 255, 255);
  for (int i = 0; i < length && text[i]; ++i) {
    const Glyph* glyph = Find(text[i]);
    if (!glyph) continue;
    for (int row = 0; row < 7; ++row)
      for (int column = 0; column < 5; ++column)
        if (glyph->rows[row] & (0x10 >> column)) {
          const SDL_Rect dot{x + (i * 6 + column) * Scale, y + row * Scale, Scale, Scale};
          SDL_RenderFillRect(renderer, &dot);
        }
  }
  SDL_RenderPresent(renderer);
  if (borrowed) SDL_DestroyRenderer(renderer);
}

}  // namespace win
