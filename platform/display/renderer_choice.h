#pragma once
// Inside the display layer only: which of SDL's renderers presents. The GPU where there is
// one; SDL's software renderer on a window framebuffer that is not drawn through OpenGL
// where OpenGL would itself be drawn by the CPU, or where no accelerated renderer can be had.
// SDL's own SDL_RENDER_DRIVER still decides when it is set.
#include <SDL.h>

#include <string>
#include <string_view>

namespace dd {

enum class RendererPath { AsAsked, Accelerated, Software };

struct RendererChoice {
  RendererPath path;
  std::string reason;
};

// From what the machine offers: the SDL_RENDER_DRIVER hint (empty: unset) and OpenGL's
// renderer string (empty: no OpenGL context could be made).
RendererChoice ChooseRenderer(std::string_view driverHint, std::string_view glRenderer);

// Makes the renderer for the window as chosen, falling back to software; logs the choice.
SDL_Renderer* MakeRenderer(SDL_Window* window);

}  // namespace dd
