#pragma once
// Game controllers through SDL's game-controller API, hot-plugged: each one is opened when
// it arrives and closed when it goes; its presses become WM_GAMEPAD messages.
#include <SDL.h>

#include <optional>

#include "platform/window/window.h"

namespace win {

bool InitGamepads();  // false: no controller support; keyboard and mouse still work
// The press an event stands for, if any; arrivals and departures are handled here.
std::optional<WPARAM> GamepadPress(const SDL_Event& event);
void CloseGamepads();

}  // namespace win
