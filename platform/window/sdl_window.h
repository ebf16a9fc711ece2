#pragma once
// For the platform layer only: the SDL window behind the program's window.
#include <SDL.h>

#include "platform/window/window.h"

namespace win {
SDL_Window* SdlWindow(HWND hwnd);  // nullptr when there is none
}
