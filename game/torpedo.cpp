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

int TorpedoColumn(double x) { return Trunc(x) / 40 - 1; }

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
bool HitBarrel(int column, int row, double x) {
  BarelCell& cell = Cell(column, row);
  cell.state = csExploding;
  cell.phase = 0;
  cell.dropsBonus = 0;
  cell.stamp = World.GameClock;
  TorpedoHitScore();
  EmitBubbles(DrawBelow(int64_t{Bubbles.BarelExplBubbleMax} + 1), x + 10, 570 - 40 * row);
  if (!sndPlayExplosion()) return false;

  for (int above = row + 1; above < GridRows; ++above) {
    BarelCell& lifted = Cell(column, above);
    if (lifted.state != csBarel) continue;
    lifted.state = csEmpty;
    --World.BarelsLeft;
    if (!CreateFloater(column, above)) return false;
    EmitBubbles(DrawBelow(int64_t{Bubbles.BarelFloatBubbleMax} + 1), x + 10, 570 - 40 * above);
  }
  return true;
}

}  // namespace

// The torpedo tests every column it entered in the step, in order, so that a long step
// cannot fly past a barrel; a step within one column tests that column.
bool StepTorpedo(double dt) {
  TorpedoRecord& torpedo = World.Torpedo;
  const int row = torpedo.row;
  const int from = TorpedoColumn(torpedo.x);
  const double step = dt / 1000 * torpedo.speed;
  torpedo.x += step;
  if (torpedo.x >= 810) torpedo.row = -1;  // gone once past the columns it crossed

  if (Bubbles.TorpedoBubblesOn && step != 0) TrailBubble(step);

  if (row < 0 || row >= GridRows) return true;
  const int last = TorpedoColumn(torpedo.x);
  const int first = std::min(from + 1, last);
  for (int col = std::max(first, 0); col <= std::min(last, GridColumns - 1); ++col) {
    // Bubbles from where the torpedo entered a column it passed, from the torpedo in the last.
    const double x = col == last ? torpedo.x : 40.0 * (col + 1);
    BarelCell& cell = Cell(col, row);
    if (cell.state == csBarel) {
      if (!HitBarrel(col, row, x)) return false;
    } else if (cell.state != csExploding) {
      cell.state = csEmpty;  // empty, or a bonus destroyed without effect
    }
  }
  return true;
}
