#include <algorithm>

#include "audio/sound.h"
#include "game/numeric.h"
#include "game/rules.h"
#include "game/simulation.h"
#include "game/steps.h"
#include "game/world.h"

bool DropMine() {
  MineRecord& mine = World.Mine;
  const SubmarineRecord& sub = World.Sub;
  if (mine.y != 0 || (sub.DyingState != 0 && sub.speed == 0)) return true;

  const int64_t v = sub.x > 0 ? int64_t{Trunc(sub.x)} : int64_t{Trunc(sub.x)} - 40;
  const int64_t q = v / 40;
  mine.column = static_cast<int32_t>(q - 1);
  if (q < 0 || q > 19) return true;  // columns -1 and 18 fall beside the grid

  mine.y = 570 - 40 * sub.row;
  if (Bubbles.MineBubblesOn)
    EmitBubbles(DrawBelow((1000 - int64_t{Bubbles.MineBubbleDelay}) / 20), 40 * mine.column + 60,
                mine.y);
  // The mine starts where the submarine is drawn.
  if (sub.rowChangeActive) {
    if (sub.rowChangeUp)
      mine.y -= sub.rowChangeProgress;
    else
      mine.y += sub.rowChangeProgress;
  }
  mine.hits = 0;
  return true;
}

namespace {

int MineRow(double y) { return static_cast<int>((590 - int64_t{Trunc(y)}) / 40); }

bool MeetCell(int row, double y) {
  MineRecord& mine = World.Mine;
  BarelCell& cell = Cell(mine.column, row);
  if (cell.state == csBarel) {
    cell.state = csExploding;
    cell.phase = 0;
    cell.dropsBonus = 1;
    cell.stamp = World.GameClock;
    ++mine.hits;
    MineHitScore();
    const int n = DrawBelow(int64_t{Bubbles.BarelExplBubbleMax} + 1);
    if (!sndPlayExplosion()) return false;
    EmitBubbles(n, 40 * mine.column + 60, y + 30);
  } else if (IsBonus(cell.state)) {
    // A bonus takes effect and the mine falls on: it is not a hit.
    if (!TakeBonus(mine.column, row, false)) return false;
  }
  return true;
}

}  // namespace

// The mine tests every row it entered in the step, top down, so that a long step cannot
// fall through a stack; a step within one row tests that row.
bool StepMine(double dt) {
  MineRecord& mine = World.Mine;
  const int from = MineRow(mine.y);
  mine.y += dt * mine.fallSpeed / 1000;

  if (Bubbles.MineBubblesOn && World.GameClock - mine.lastBubble > Bubbles.MineBubbleDelay) {
    EmitBubbles(1, 40 * mine.column + 60, mine.y);
    mine.lastBubble = World.GameClock;
  }

  if (mine.column >= 0 && mine.column < GridColumns) {
    const int last = MineRow(mine.y);
    const int first = std::max(last, from - 1);
    for (int row = std::min(first, GridRows - 1); row >= std::max(last, 0); --row) {
      // Bubbles from where the mine entered a row it passed, from the mine in the last.
      const double y = row == last ? mine.y : 551.0 - 40 * row;
      if (!MeetCell(row, y)) return false;
      if (mine.y == 0) return true;  // the level started again
      if (mine.hits > 3) break;
    }
    if (mine.hits > 3) mine.y = 0;  // spent
  }
  if (mine.y >= 570) mine.y = 0;  // reached the bottom
  return true;
}
