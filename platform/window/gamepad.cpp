// A controller's buttons, d-pad, left stick and triggers as single presses: a stick or a
// trigger counts once when pushed past half way, and again only after it came back.
#include "platform/window/gamepad.h"

#include <map>

namespace win {
namespace {

constexpr Sint16 PushedPast = 16000;
constexpr Sint16 BackWithin = 8000;

struct Pad {
  SDL_GameController* controller = nullptr;
  std::map<int, int> held;  // axis: the direction it was pushed (-1, 1), 0 when at rest
};
std::map<SDL_JoystickID, Pad> Pads;

std::optional<WPARAM> Button(Uint8 button) {
  switch (button) {
    case SDL_CONTROLLER_BUTTON_A:
      return PAD_A;
    case SDL_CONTROLLER_BUTTON_B:
      return PAD_B;
    case SDL_CONTROLLER_BUTTON_X:
      return PAD_X;
    case SDL_CONTROLLER_BUTTON_Y:
      return PAD_Y;
    case SDL_CONTROLLER_BUTTON_BACK:
      return PAD_BACK;
    case SDL_CONTROLLER_BUTTON_START:
      return PAD_START;
    case SDL_CONTROLLER_BUTTON_DPAD_UP:
      return PAD_UP;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
      return PAD_DOWN;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
      return PAD_LEFT;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
      return PAD_RIGHT;
    default:
      return std::nullopt;
  }
}

std::optional<WPARAM> Axis(Pad& pad, Uint8 axis, Sint16 value) {
  int& held = pad.held[axis];
  const int direction = value >= PushedPast ? 1 : value <= -PushedPast ? -1 : 0;
  if (direction == 0) {
    if (value > -BackWithin && value < BackWithin) held = 0;
    return std::nullopt;
  }
  if (held == direction) return std::nullopt;
  held = direction;
  switch (axis) {
    case SDL_CONTROLLER_AXIS_LEFTX:
      return direction < 0 ? PAD_LEFT : PAD_RIGHT;
    case SDL_CONTROLLER_AXIS_LEFTY:
      return direction < 0 ? PAD_UP : PAD_DOWN;
    case SDL_CONTROLLER_AXIS_TRIGGERLEFT:
    case SDL_CONTROLLER_AXIS_TRIGGERRIGHT:
      return PAD_TRIGGER;
    default:
      return std::nullopt;
  }
}

}  // namespace

bool InitGamepads() {
  if (SDL_WasInit(SDL_INIT_GAMECONTROLLER)) return true;
  return SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
}

std::optional<WPARAM> GamepadPress(const SDL_Event& event) {
  switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED:
      if (SDL_GameController* c = SDL_GameControllerOpen(event.cdevice.which)) {
        const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(c));
        if (Pads.count(id))
          SDL_GameControllerClose(c);  // reported twice: opened once
        else
          Pads[id].controller = c;
      }
      return std::nullopt;
    case SDL_CONTROLLERDEVICEREMOVED: {
      auto found = Pads.find(event.cdevice.which);
      if (found != Pads.end()) {
        SDL_GameControllerClose(found->second.controller);
        Pads.erase(found);
      }
      return std::nullopt;
    }
    case SDL_CONTROLLERBUTTONDOWN:
      return Button(event.cbutton.button);
    case SDL_CONTROLLERAXISMOTION: {
      auto found = Pads.find(event.caxis.which);
      if (found == Pads.end()) return std::nullopt;
      return Axis(found->second, event.caxis.axis, event.caxis.value);
    }
    default:
      return std::nullopt;
  }
}

void CloseGamepads() {
  for (auto& [id, pad] : Pads) SDL_GameControllerClose(pad.controller);
  Pads.clear();
}

}  // namespace win
