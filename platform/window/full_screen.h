#pragma once
// For the window room only: full screen on the window's display. Where a window manager
// takes SDL's request, SDL's desktop full screen; on an X server with none (kiosks, bare
// Xvfb), where the request would be lost and the window keep its size, a borderless window
// over the whole display in its place.
#include <SDL.h>

namespace win {

void EnterFullScreen(SDL_Window* sdl, bool& covering);
void LeaveFullScreen(SDL_Window* sdl, bool& covering);

}  // namespace win
