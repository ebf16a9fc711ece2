// Controllers through SDL's virtual joystick: plugged in, pressed, pulled out, plugged again.
#include <SDL.h>
#include <gtest/gtest.h>

#include <vector>

#include "platform/window/window.h"

namespace {

// A controller with every standard button and axis, plugged in while it lives.
struct VirtualPad {
  VirtualPad() {
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    index = SDL_JoystickAttachVirtualEx(&desc);
    joystick = index >= 0 ? SDL_JoystickOpen(index) : nullptr;
  }
  ~VirtualPad() {
    if (joystick) SDL_JoystickClose(joystick);
    if (index >= 0) SDL_JoystickDetachVirtual(index);
  }
  void Press(SDL_GameControllerButton button) {
    SDL_JoystickSetVirtualButton(joystick, button, 1);
    SDL_JoystickUpdate();
    SDL_JoystickSetVirtualButton(joystick, button, 0);
    SDL_JoystickUpdate();
  }
  void Push(SDL_GameControllerAxis axis, Sint16 value) {
    SDL_JoystickSetVirtualAxis(joystick, axis, value);
    SDL_JoystickUpdate();
  }
  int index = -1;
  SDL_Joystick* joystick = nullptr;
};

// The controller presses waiting in the queue, oldest first (taken out of it).
std::vector<win::WPARAM> Presses() {
  std::vector<win::WPARAM> presses;
  win::MSG msg;
  while (win::PeekMessage(msg)) {
    win::GetMessage(msg);
    if (msg.message == win::WM_GAMEPAD) presses.push_back(msg.wParam);
  }
  return presses;
}

// Each controller is heard, the one plugged in first as one plugged in after another was
// pulled out.
TEST(Gamepad, ButtonsSticksAndTriggersBecomeSinglePresses) {
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  win::testing::Reset();
  const struct Restore {
    ~Restore() { win::testing::Reset(); }
  } restore;
  Presses();  // starts the event layer, and with it the controllers
  ASSERT_TRUE(SDL_WasInit(SDL_INIT_GAMECONTROLLER));
  {
    VirtualPad pad;
    ASSERT_GE(pad.index, 0) << SDL_GetError();
    Presses();  // the arrival: the controller is opened
    for (auto button :
         {SDL_CONTROLLER_BUTTON_A, SDL_CONTROLLER_BUTTON_B, SDL_CONTROLLER_BUTTON_START,
          SDL_CONTROLLER_BUTTON_BACK, SDL_CONTROLLER_BUTTON_DPAD_DOWN,
          SDL_CONTROLLER_BUTTON_LEFTSTICK})  // the last not one the game uses
      pad.Press(button);
    EXPECT_EQ(Presses(), (std::vector<win::WPARAM>{win::PAD_A, win::PAD_B, win::PAD_START,
                                                   win::PAD_BACK, win::PAD_DOWN}));

    // A stick counts once past half way, and again only after coming back (12000 is not).
    for (Sint16 x : {20000, 32000, 12000, 30000, 0, -30000, 0})
      pad.Push(SDL_CONTROLLER_AXIS_LEFTX, x);
    pad.Push(SDL_CONTROLLER_AXIS_LEFTY, -30000);
    pad.Push(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767);
    EXPECT_EQ(Presses(), (std::vector<win::WPARAM>{win::PAD_RIGHT, win::PAD_LEFT, win::PAD_UP,
                                                   win::PAD_TRIGGER}));
  }
  Presses();  // pulled out
  VirtualPad second;
  ASSERT_GE(second.index, 0) << SDL_GetError();
  Presses();
  second.Press(SDL_CONTROLLER_BUTTON_X);
  second.Press(SDL_CONTROLLER_BUTTON_Y);
  EXPECT_EQ(Presses(), (std::vector<win::WPARAM>{win::PAD_X, win::PAD_Y}));
}

}  // namespace
