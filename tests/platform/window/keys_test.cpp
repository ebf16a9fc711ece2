#include "platform/window/keys.h"

#include <gtest/gtest.h>

#include "platform/window/window.h"

// The keys the game reads, as SDL reports them, reach it as the virtual keys it tests for.
TEST(VirtualKey, MapsTheKeysTheGameReads) {
  struct Case {
    SDL_Keycode key;
    SDL_Scancode scancode;
    uint16_t expected;
  };
  const Case cases[] = {
      {SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE, win::VK_BACK},
      {SDLK_RETURN, SDL_SCANCODE_RETURN, win::VK_RETURN},
      {SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, win::VK_RETURN},
      {SDLK_ESCAPE, SDL_SCANCODE_ESCAPE, win::VK_ESCAPE},
      {SDLK_SPACE, SDL_SCANCODE_SPACE, win::VK_SPACE},
      {SDLK_LEFT, SDL_SCANCODE_LEFT, win::VK_LEFT},
      {SDLK_DOWN, SDL_SCANCODE_DOWN, win::VK_DOWN},
      {SDLK_a, SDL_SCANCODE_A, 'A'},
      {SDLK_z, SDL_SCANCODE_Z, 'Z'},
      {SDLK_7, SDL_SCANCODE_7, '7'},
      {SDLK_F5, SDL_SCANCODE_F5, win::VK_F1 + 4},
      {SDLK_KP_1, SDL_SCANCODE_KP_1, 0x61},  // VK_NUMPAD1, with or without Num Lock
      {SDLK_END, SDL_SCANCODE_KP_1, 0x61},
  };
  for (const Case& c : cases)
    EXPECT_EQ(win::VirtualKey(c.key, c.scancode), c.expected) << SDL_GetKeyName(c.key);
}
