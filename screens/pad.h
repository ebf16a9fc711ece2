#pragma once
// A game controller on every screen: in play its buttons stand for the keys; elsewhere its
// directions move a highlight across the screen's hit rectangles and A clicks the one
// highlighted; the name is entered letter by letter from a choice shown after it.
#include <cstdint>

#include "platform/window/window.h"
#include "screens/modes.h"

struct PadState {
  GameMode Mode = gmLogo;  // the screen the highlight belongs to
  int32_t Focus = -1;      // the highlighted target of that screen, -1 for none yet
  bool Choosing = false;   // the name entry shows the letter on offer
  int32_t Letter = 1;      // index into the letters on offer (0 the space)
};
inline PadState Pad;

// False means the failure has been reported and the program must close.
bool OnPadPress(win::WPARAM press);

// The settings screen's highlight, drawn while the controller chose a target there.
bool DisplayPadHighlight();
// The letter on offer in the name entry, or 0 while the controller is not choosing.
char PadLetter();
