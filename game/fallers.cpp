#include <algorithm>

#include "game/lists.h"
#include "game/numeric.h"
#include "game/simulation.h"
#include "game/world.h"

namespace {

// A barrel or a bonus holds a faller up; an exploding barrel does not.
bool HoldsUp(int column, int row) {
  const int32_t state = Cell(column, row).state;
  return state != csEmpty && state != csExploding;
}

// The row a faller at height y is in, by the same integer rule as its resting test.
int RowAt(double y) { return static_cast<int>((590 - int64_t{Trunc(y)}) / 40); }

// The first row at or below `from` in which a faller would rest: row 0, or the row above
// the first barrel or bonus.
int RestingRow(int column, int from) {
  int row = std::clamp(from, 0, GridRows - 1);
  while (row > 0 && !HoldsUp(column, row - 1)) --row;
  return row;
}

void ComeToRest(Faller* faller, int row) {
  BarelCell& cell = Cell(faller->column, row);
  // Resting on an explosion that is still running ends it, and takes its barrel off.
  if (cell.state == csExploding) --World.BarelsLeft;
  cell.state = faller->kind;
  cell.since = World.GameClock;
}

}  // namespace

// Fallers sink at 30 px/s and settle once within 20 px below the centre line of the cell
// above the first barrel or bonus, or of row 0. However long the step, a faller never
// sinks through a barrel or a bonus: it settles on the first one it passes.
bool UpdateFallers() {
  for (Faller* faller = World.Fallers; faller;) {
    const int from = RowAt(faller->y);
    faller->y += (World.GameClock - faller->stamp) * 30 / 1000;
    faller->stamp = World.GameClock;

    if (faller->column < 0 || faller->column >= GridColumns) {
      faller = Remove(World.Fallers, faller);
      continue;
    }
    const int64_t u = 590 - int64_t{Trunc(faller->y)};
    const int64_t r = u / 40;
    const int64_t rem = u % 40;
    const int rest = RestingRow(faller->column, from);
    if (r < rest || (r == rest && rem < 21)) {
      ComeToRest(faller, rest);
      faller = Remove(World.Fallers, faller);
    } else {
      faller = faller->next;
    }
  }
  return true;
}
