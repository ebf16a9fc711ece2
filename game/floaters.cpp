#include "game/lists.h"
#include "game/simulation.h"
#include "game/world.h"

// Floating barrels rise with an acceleration of 500 px/s² until they leave the screen.
bool UpdateFloaters() {
  for (FloatingBarel* floater = World.FloatingBarels; floater;) {
    const double d = World.GameClock - floater->stamp;
    floater->velocity += 0.5 * d;
    floater->y -= d * floater->velocity / 1000;
    floater->stamp = World.GameClock;
    if (floater->y <= -10)
      floater = Remove(World.FloatingBarels, floater);
    else
      floater = floater->next;
  }
  return true;
}
