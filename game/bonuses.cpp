#include "audio/sound.h"
#include "game/rules.h"
#include "game/world.h"
#include "platform/system/system.h"

namespace {

void StartRowChange(bool up) {
  World.Sub.rowChangeActive = 1;
  World.Sub.rowChangeUp = up ? 1 : 0;
  World.Sub.rowChangeProgress = 0;
}

bool Alive() { return World.Sub.DyingState == 0; }

}  // namespace

bool TakeBonus(int column, int row, bool bySubmarine) {
  BarelCell& cell = Cell(column, row);
  const int32_t kind = cell.state;
  if (!(kind == btDeath && bySubmarine) && !sndPlayBonus()) return false;
  cell.state = csEmpty;

  SubmarineRecord& sub = World.Sub;
  switch (kind) {
    case btUpper:
      // Row 13 is the highest row the submarine can be in (and drawn in): used up there.
      if (sub.row < 13) StartRowChange(true);
      break;
    case btLower:
      if (sub.row > 0) StartRowChange(false);
      break;
    case btDoubleScore:
      World.DoubleScore = 1;
      World.DoubleScoreStart = World.GameClock;
      break;
    case btMinusScore:
      World.MinusScore = 1;
      World.MinusScoreStart = World.GameClock;
      break;
    case btSpeedUp: {
      // A dying submarine keeps dying: a speed change would set an exploded one moving
      // again, or stop the slow-down of btDeath short of its explosion.
      const int change = crt::rand() % 40;
      if (Alive()) sub.pendingSpeedChange += change;
      break;
    }
    case btSlowDown: {
      const int change = crt::rand() % 40;
      if (Alive()) sub.pendingSpeedChange -= change;
      break;
    }
    case btScoreBonus:
      AddPoints(crt::rand() % 50);
      break;
    case btFinishLevel:
      return DetonateAllBarrels();
    case btRestartLevel:
      return SetupLevel(World.Level);
    case btDeath:
      sub.pendingSpeedChange = -sub.speed;
      sub.changeRate = sub.speed;
      sub.DyingState = 2;
      break;
    default:
      break;
  }
  return true;
}

bool DetonateAllBarrels() {
  const int32_t perBarrel = World.DoubleScore ? 2 : 1;
  for (BarelCell& cell : World.BarelGrid) {
    if (cell.state == csBarel) {
      cell.since = World.GameClock;
      cell.stamp = crt::rand() % 1000;
      AddPoints(perBarrel);
    } else {
      // An explosion cut short still takes its barrel off the count, or the level could
      // not end before the pass through row 0.
      if (cell.state == csExploding) --World.BarelsLeft;
      cell.state = csEmpty;
    }
  }
  return true;
}
