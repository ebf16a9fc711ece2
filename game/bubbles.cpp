#include "game/lists.h"
#include "game/numeric.h"
#include "game/simulation.h"
#include "game/steps.h"
#include "game/world.h"

void EmitBubbles(int n, double x, double y) {
  for (int i = 0; i < n; ++i) {
    const int delay = crt::rand() % 900;
    const int direction = crt::rand() % 36;
    CreateBubble(x, y, direction, delay);
  }
}

bool EmitExplosionBubbles() {
  const int32_t range = Bubbles.NauvrelExplBubbleRange;
  const int n = range != 0 ? DrawBelow(range) + 35 : 0;
  const SubmarineRecord& sub = World.Sub;
  for (int i = 0; i < n; ++i) {
    const int delay = crt::rand() % 700;
    const int direction = crt::rand() % 36;
    const double y = 560 - 40 * sub.row + crt::rand() % 20;
    const double x = sub.x - 40 + crt::rand() % 80;
    if (!CreateBubble(x, y, direction, delay)) return false;
  }
  return true;
}

namespace {

void UpdateLayer(Bubble*& head) {
  for (Bubble* bubble = head; bubble;) {
    const double a = World.GameClock - bubble->birth;
    if (a < bubble->delay) {  // not born yet
      bubble = bubble->next;
      continue;
    }
    bubble->y -= (bubble->vy + 5) * a / 1000;
    bubble->x += bubble->vx * a / 1000;
    if (bubble->vx > 0) {
      bubble->vx -= a / 20000;
      if (bubble->vx < 0) bubble->vx = 0;
    } else if (bubble->vx < 0) {
      bubble->vx += a / 20000;
      if (bubble->vx > 0) bubble->vx = 0;
    }
    if (bubble->x < -10 || bubble->y < 0 || bubble->x >= 810)
      bubble = Remove(head, bubble);
    else
      bubble = bubble->next;
  }
}

}  // namespace

bool UpdateBubbles() {
  UpdateLayer(World.FrontBubbles);
  UpdateLayer(World.BackBubbles);
  return true;
}
