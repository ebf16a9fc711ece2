#include "game/world.h"
#include "persist/settings.h"
#include "screens/input.h"

// The settings are unsigned: the halving and the division by 3 truncate.
void ApplySettings() {
  Bubbles.NauvrelBubbleDelay = 91 - static_cast<int32_t>(Settings.NauvrelBubbles / 2);
  Bubbles.NauvrelBubblesOn = Settings.NauvrelBubbles > 9;
  Bubbles.NauvrelExplBubbleRange = static_cast<int32_t>(Settings.NauvrelExplBubbles / 2);
  Bubbles.MineBubbleDelay = 195 - static_cast<int32_t>(Settings.MineBubbles);
  Bubbles.MineBubblesOn = Settings.MineBubbles > 9;
  Bubbles.TorpedoBubbleDelay = 91 - static_cast<int32_t>(Settings.TorpedoBubbles / 2);
  Bubbles.TorpedoBubblesOn = Settings.TorpedoBubbles > 9;
  Bubbles.BarelExplBubbleMax = static_cast<int32_t>(Settings.BarelExplBubbles / 3);
  Bubbles.BarelFloatBubbleMax = static_cast<int32_t>(Settings.BarelFloatBubbles / 3);
}
