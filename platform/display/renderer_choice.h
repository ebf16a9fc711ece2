#pragma once
// Inside the display layer only: how the window is presented. The GPU where there is one;
// the window's own pixels, not drawn through OpenGL, where OpenGL would itself be drawn by
// the CPU or where no accelerated renderer can be had (SDL's software renderer where even
// those cannot be had). SDL's own SDL_RENDER_DRIVER still decides when it is set.
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

// A renderer of SDL's, or none where the frame goes into the window's own pixels.
struct Presenter {
  SDL_Renderer* renderer = nullptr;
  bool windowSurface = false;
};
// Makes the presenter for the window as chosen, falling back to software; logs the choice.
Presenter MakePresenter(SDL_Window* window);

}  // namespace dd
