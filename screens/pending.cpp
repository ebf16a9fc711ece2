// Placeholder until the screens land: nothing drawn, keys and clicks ignored.
#include "screens/input.h"
#include "screens/modes.h"

bool RenderFrame() { return true; }
bool SetGameMode(GameMode mode) {
  Screen.Mode = mode;
  return true;
}
bool OnKeyDown(uint16_t) { return true; }
bool OnMouseClick(uint16_t, uint16_t) { return true; }
