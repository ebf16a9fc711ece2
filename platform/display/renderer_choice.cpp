#include "platform/display/renderer_choice.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "platform/display/state.h"
#include "platform/system/debug.h"

namespace dd {

namespace {

bool SoftwareRasteriser(std::string_view glRenderer) {
  std::string lower(glRenderer);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  constexpr std::array<std::string_view, 3> names = {"llvmpipe", "softpipe", "swrast"};
  return std::any_of(names.begin(), names.end(),
                     [&](std::string_view name) { return lower.find(name) != std::string::npos; });
}

// OpenGL's renderer string, from a context on a hidden window of its own so that the game's
// window is not turned into an OpenGL one to find out.
std::string ProbeGlRenderer() {
  SDL_Window* probe = SDL_CreateWindow("", 0, 0, 1, 1, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  if (!probe) return {};
  std::string renderer;
  if (SDL_GLContext context = SDL_GL_CreateContext(probe)) {
    using GetString = const unsigned char* (*)(unsigned int);
    constexpr unsigned int GlRenderer = 0x1F01;
    auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    const unsigned char* text = getString ? getString(GlRenderer) : nullptr;
    if (text) renderer = reinterpret_cast<const char*>(text);
    SDL_GL_DeleteContext(context);
  }
  SDL_DestroyWindow(probe);
  return renderer;
}

bool Headless() {
  const char* driver = SDL_GetCurrentVideoDriver();
  const std::string_view name = driver ? driver : "";
  return name == "dummy" || name == "offscreen";
}

void Log(const std::string& text) { OutputDebugString(("Nauvrel: presenting " + text).c_str()); }

// The window's own pixels where they are XRGB, else SDL's software renderer on them; either
// way they go to the display as they are, not through an OpenGL texture.
Presenter MakeSoftware(SDL_Window* window, const std::string& reason) {
  if (OpenWindowSurface(window)) {
    Log(reason + ": into the window's own pixels");
    return {nullptr, true};
  }
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
  Log(reason + (renderer ? ": SDL's software renderer" : ": no renderer at all"));
  return {renderer, false};
}

}  // namespace

RendererChoice ChooseRenderer(std::string_view driverHint, std::string_view glRenderer) {
  if (!driverHint.empty())
    return {RendererPath::AsAsked,
            "through \"" + std::string(driverHint) + "\" as SDL_RENDER_DRIVER asks"};
  if (glRenderer.empty())
    return {RendererPath::Accelerated,
            "through an accelerated renderer if one can be had (no OpenGL)"};
  if (SoftwareRasteriser(glRenderer))
    return {RendererPath::Software,
            "without the GPU: OpenGL is drawn by the CPU (" + std::string(glRenderer) + ")"};
  return {RendererPath::Accelerated, "through the GPU (" + std::string(glRenderer) + ")"};
}

Presenter MakePresenter(SDL_Window* window) {
  const char* hint = SDL_GetHint(SDL_HINT_RENDER_DRIVER);
  const std::string_view driverHint = hint ? hint : "";
  // A display-less driver has no OpenGL; asking would only cost time.
  const RendererChoice choice =
      ChooseRenderer(driverHint, driverHint.empty() && !Headless() ? ProbeGlRenderer() : "");
  SDL_Renderer* renderer = nullptr;
  switch (choice.path) {
    case RendererPath::AsAsked:
      if (driverHint == "software") SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
      renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_PRESENTVSYNC);
      break;
    case RendererPath::Accelerated:
      renderer =
          SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
      break;
    case RendererPath::Software:
      return MakeSoftware(window, choice.reason);
  }
  if (renderer) {
    SDL_RendererInfo info{};
    SDL_GetRendererInfo(renderer, &info);
    Log(choice.reason + ": renderer \"" + (info.name ? info.name : "?") + "\"");
    return {renderer, false};
  }
  return MakeSoftware(window, choice.reason + " failed (" + SDL_GetError() + ")");
}

}  // namespace dd
