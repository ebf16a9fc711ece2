#include "platform/window/keys.h"

#include "platform/window/window.h"

namespace win {

uint16_t VirtualKey(SDL_Keycode key, SDL_Scancode scancode) {
  if (key >= SDLK_a && key <= SDLK_z) return static_cast<uint16_t>('A' + (key - SDLK_a));
  if (key >= SDLK_0 && key <= SDLK_9) return static_cast<uint16_t>('0' + (key - SDLK_0));
  if (key >= SDLK_F1 && key <= SDLK_F12) return static_cast<uint16_t>(VK_F1 + (key - SDLK_F1));
  if (scancode >= SDL_SCANCODE_KP_1 && scancode <= SDL_SCANCODE_KP_9)
    return static_cast<uint16_t>(0x61 + (scancode - SDL_SCANCODE_KP_1));  // VK_NUMPAD1..9
  switch (key) {
    case SDLK_BACKSPACE:
      return VK_BACK;
    case SDLK_TAB:
      return VK_TAB;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
      return VK_RETURN;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT:
      return VK_SHIFT;
    case SDLK_LCTRL:
    case SDLK_RCTRL:
      return VK_CONTROL;
    case SDLK_PAUSE:
      return VK_PAUSE;
    case SDLK_ESCAPE:
      return VK_ESCAPE;
    case SDLK_SPACE:
      return VK_SPACE;
    case SDLK_PAGEUP:
      return VK_PRIOR;
    case SDLK_PAGEDOWN:
      return VK_NEXT;
    case SDLK_END:
      return VK_END;
    case SDLK_HOME:
      return VK_HOME;
    case SDLK_LEFT:
      return VK_LEFT;
    case SDLK_UP:
      return VK_UP;
    case SDLK_RIGHT:
      return VK_RIGHT;
    case SDLK_DOWN:
      return VK_DOWN;
    case SDLK_INSERT:
      return VK_INSERT;
    case SDLK_DELETE:
      return VK_DELETE;
    case SDLK_KP_0:
      return 0x60;  // VK_NUMPAD0
    case SDLK_KP_MULTIPLY:
      return 0x6A;  // VK_MULTIPLY
    case SDLK_KP_PLUS:
      return 0x6B;  // VK_ADD
    case SDLK_KP_MINUS:
      return 0x6D;  // VK_SUBTRACT
    case SDLK_KP_PERIOD:
      return 0x6E;  // VK_DECIMAL
    case SDLK_KP_DIVIDE:
      return 0x6F;  // VK_DIVIDE
    case SDLK_SEMICOLON:
      return 0xBA;  // VK_OEM_1
    case SDLK_EQUALS:
      return 0xBB;  // VK_OEM_PLUS
    case SDLK_COMMA:
      return 0xBC;  // VK_OEM_COMMA
    case SDLK_MINUS:
      return 0xBD;  // VK_OEM_MINUS
    case SDLK_PERIOD:
      return 0xBE;  // VK_OEM_PERIOD
    case SDLK_SLASH:
      return 0xBF;  // VK_OEM_2
    case SDLK_BACKQUOTE:
      return 0xC0;  // VK_OEM_3
    case SDLK_LEFTBRACKET:
      return 0xDB;  // VK_OEM_4
    case SDLK_BACKSLASH:
      return 0xDC;  // VK_OEM_5
    case SDLK_RIGHTBRACKET:
      return 0xDD;  // VK_OEM_6
    case SDLK_QUOTE:
      return 0xDE;  // VK_OEM_7
    default:
      return 0;
  }
}

}  // namespace win
