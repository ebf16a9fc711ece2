#include "game/world.h"

#include <algorithm>

#include "app/init.h"
#include "app/shell.h"
#include "game/lists.h"
#include "platform/system/system.h"

bool SetupLevel(uint16_t level) {
  // Level 0 never reaches here during a game; it is built like level 1.
  const int t = std::clamp<int>(level, 1, 3);
  const LevelRow& row = LevelTable[t - 1];

  World.BarelsLeft = 0;
  for (int c = 0; c < GridColumns; ++c) {
    const int n = crt::rand() % (row.spread + 5);
    for (int r = 0; r < GridRows; ++r) {
      BarelCell& cell = Cell(c, r);
      if (r < n) {
        cell.state = csBarel;
        cell.stamp = 0;
        cell.since = 0;
      } else {
        cell.state = csEmpty;
      }
    }
    World.BarelsLeft += n;
    World.ColumnBonusUsed[c] = 0;
  }

  SubmarineRecord& sub = World.Sub;
  sub.speed = row.speedBase + 30;
  if (level > 3) sub.speed += (level - 3) * 20.0;

  sub.x = -50.0;
  sub.changeRate = 15.0;
  sub.row = 13;
  World.Mine.fallSpeed = sub.speed / 5 + 60;
  World.Torpedo.row = -1;
  World.DoubleScore = 0;
  World.MinusScore = 0;
  sub.rowChangeActive = 0;
  World.Mine.y = 0.0;
  sub.pendingSpeedChange = 0.0;

  // A new level always starts with a live submarine. Left dying, it would move again
  // with its speed restored but could never explode, and the game could not be lost.
  sub.DyingState = 0;
  sub.explosionFrame = 0;

  FreeBubbles();
  FreeFallers();
  FreeFloaters();
  return true;
}

bool CreateFloater(int column, int row) {
  FloatingBarel* floater = NewRecord<FloatingBarel>(RecordKind::Floater);
  if (!floater) return false;
  floater->column = column;
  floater->y = 570 - 40 * row;
  floater->stamp = World.GameClock;
  floater->velocity = 0;
  PushFront(World.FloatingBarels, floater);
  return true;
}

bool CreateFaller(int column, int row) {
  const int k = crt::rand() % 13;
  if (k < btUpper) {
    if (column >= 0 && column < GridColumns) World.ColumnBonusUsed[column] = 0;
    return true;
  }
  Faller* faller = NewRecord<Faller>(RecordKind::Faller);
  if (!faller) return sysShowError("can't create faller");
  faller->column = column;
  faller->y = 570 - 40 * row;
  faller->stamp = World.GameClock;
  faller->kind = k;
  PushFront(World.Fallers, faller);
  return true;
}

namespace {
Bubble* NewBubble(double x, double y, int direction, int delay) {
  Bubble* bubble = NewRecord<Bubble>(RecordKind::Bubble);
  if (!bubble) return nullptr;
  const int d = (direction % 36 + 36) % 36;  // always 0 to 35 from the callers
  bubble->x = x;
  bubble->y = y;
  bubble->vx = DirCos[d];
  bubble->vy = DirSin[d];
  bubble->delay = delay;
  bubble->birth = World.GameClock;
  return bubble;
}
}  // namespace

bool CreateBubble(double x, double y, int direction, int delay) {
  Bubble* bubble = NewBubble(x, y, direction, delay);
  if (!bubble) return false;
  if (crt::rand() % 2 == 1)
    PushFront(World.FrontBubbles, bubble);
  else
    PushFront(World.BackBubbles, bubble);
  return true;
}

bool CreateBackBubble(double x, double y, int direction, int delay) {
  Bubble* bubble = NewBubble(x, y, direction, delay);
  if (!bubble) return false;
  PushFront(World.BackBubbles, bubble);
  return true;
}

void FreeFloaters() { FreeAll(World.FloatingBarels); }
void FreeFallers() { FreeAll(World.Fallers); }
void FreeBubbles() {
  FreeAll(World.FrontBubbles);
  FreeAll(World.BackBubbles);
}
