// Controllers through SDL's virtual joystick: plugged in, pressed, pulled out, plugged again;
// and the keyboard's keys.
#include <SDL.h>
#include <gtest/gtest.h>

#include <vector>

#include "platform/window/keys.h"
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

// The keys the game and its dialogs read, as SDL reports them, reach it as the virtual keys
// it tests for; letters and function keys to both ends of their ranges.
TEST(VirtualKey, MapsTheKeysTheGameReads) {
  const struct {
    SDL_Keycode key;
    SDL_Scancode scancode;
    uint16_t expected;
  } cases[] = {{SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE, win::VK_BACK},
               {SDLK_RETURN, SDL_SCANCODE_RETURN, win::VK_RETURN},
               {SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, win::VK_RETURN},
               {SDLK_ESCAPE, SDL_SCANCODE_ESCAPE, win::VK_ESCAPE},
               {SDLK_SPACE, SDL_SCANCODE_SPACE, win::VK_SPACE},
               {SDLK_LCTRL, SDL_SCANCODE_LCTRL, win::VK_CONTROL},
               {SDLK_DOWN, SDL_SCANCODE_DOWN, win::VK_DOWN},
               {SDLK_a, SDL_SCANCODE_A, 'A'},
               {SDLK_z, SDL_SCANCODE_Z, 'Z'},
               {SDLK_F1, SDL_SCANCODE_F1, win::VK_F1},
               {SDLK_F12, SDL_SCANCODE_F12, win::VK_F12}};
  for (const auto& c : cases)
    EXPECT_EQ(win::VirtualKey(c.key, c.scancode), c.expected) << SDL_GetKeyName(c.key);
}

}  // namespace
