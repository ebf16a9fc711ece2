#pragma once
// SDL keys as the virtual-key codes of the window messages.
#include <SDL.h>

#include <cstdint>

namespace win {
// 0 for keys the game never sees.
uint16_t VirtualKey(SDL_Keycode key, SDL_Scancode scancode);
}  // namespace win
