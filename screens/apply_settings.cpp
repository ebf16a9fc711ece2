#include "game/world.h"
#include "persist/settings.h"
#include "screens/input.h"

// The settings are unsigned: the halving and the division by 3 truncate. A stored value
// beyond the sliders is used as it is, so the delays are worked out in 32 unsigned bits and
// wrap into the signed field instead of overflowing.
void ApplySettings() {
  Bubbles.NauvrelBubbleDelay = static_cast<int32_t>(91u - Settings.NauvrelBubbles / 2);
  Bubbles.NauvrelBubblesOn = Settings.NauvrelBubbles > 9;
  Bubbles.NauvrelExplBubbleRange = static_cast<int32_t>(Settings.NauvrelExplBubbles / 2);
  Bubbles.MineBubbleDelay = static_cast<int32_t>(195u - Settings.MineBubbles);
  Bubbles.MineBubblesOn = Settings.MineBubbles > 9;
  Bubbles.TorpedoBubbleDelay = static_cast<int32_t>(91u - Settings.TorpedoBubbles / 2);
  Bubbles.TorpedoBubblesOn = Settings.TorpedoBubbles > 9;
  Bubbles.BarelExplBubbleMax = static_cast<int32_t>(Settings.BarelExplBubbles / 3);
  Bubbles.BarelFloatBubbleMax = static_cast<int32_t>(Settings.BarelFloatBubbles / 3);
}
