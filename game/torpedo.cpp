#include <algorithm>

#include "audio/sound.h"
#include "game/numeric.h"
#include "game/rules.h"
#include "game/simulation.h"
#include "game/steps.h"
#include "game/world.h"

bool FireTorpedo() {
  const SubmarineRecord& sub = World.Sub;
  if (World.Torpedo.row != -1 || sub.rowChangeActive || sub.DyingState != 0) return true;
  World.Torpedo.x = sub.x + 15;
  World.Torpedo.speed = 2 * sub.speed;
  World.Torpedo.row = sub.row;
  return true;
}

namespace {

// The faster the torpedo moves per step, the more often it leaves a bubble. A step of less
// than a whole pixel counts as one pixel: no division by zero, and a negative delay still
// gives a bubble in every step.
void TrailBubble(double step) {
  TorpedoRecord& torpedo = World.Torpedo;
  const int64_t s = std::max<int64_t>(Trunc(step), 1);
  const int64_t delay = Bubbles.TorpedoBubbleDelay;
  if (World.GameClock - torpedo.lastBubble > static_cast<double>(delay * 50 / s)) {
    int64_t m = delay * 100 / s;
    if (m == 0) m = 2;
    const int bubbleDelay = DrawBelow(m);
    const int direction = crt::rand() % 36;
    CreateBubble(torpedo.x + 10, 570 - 40 * torpedo.row, direction, bubbleDelay);
    torpedo.lastBubble = World.GameClock;
  }
}

// The barrel hit explodes; every barrel stacked above it floats away at once.
bool HitBarrel(int column, int row) {
  const TorpedoRecord& torpedo = World.Torpedo;
  BarelCell& cell = Cell(column, row);
  cell.state = csExploding;
  cell.phase = 0;
  cell.dropsBonus = 0;
  cell.stamp = World.GameClock;
  TorpedoHitScore();
  EmitBubbles(DrawBelow(int64_t{Bubbles.BarelExplBubbleMax} + 1), torpedo.x + 10, 570 - 40 * row);
  if (!sndPlayExplosion()) return false;

  for (int above = row + 1; above < GridRows; ++above) {
    BarelCell& lifted = Cell(column, above);
    if (lifted.state != csBarel) continue;
    lifted.state = csEmpty;
    --World.BarelsLeft;
    if (!CreateFloater(column, above)) return false;
    EmitBubbles(DrawBelow(int64_t{Bubbles.BarelFloatBubbleMax} + 1), torpedo.x + 10,
                570 - 40 * above);
  }
  return true;
}

}  // namespace

bool StepTorpedo(double dt) {
  TorpedoRecord& torpedo = World.Torpedo;
  const double step = dt / 1000 * torpedo.speed;
  torpedo.x += step;
  if (torpedo.x >= 810) torpedo.row = -1;  // gone; its column is beyond the grid now

  if (Bubbles.TorpedoBubblesOn && step != 0) TrailBubble(step);

  const int col = Trunc(torpedo.x) / 40 - 1;
  if (col < 0 || col >= GridColumns || torpedo.row < 0 || torpedo.row >= GridRows) return true;
  BarelCell& cell = Cell(col, torpedo.row);
  switch (cell.state) {
    case csBarel:
      return HitBarrel(col, torpedo.row);
    case csExploding:
      return true;
    default:  // empty, or a bonus destroyed without effect
      cell.state = csEmpty;
      return true;
  }
}
