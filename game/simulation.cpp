#include "game/simulation.h"

#include <algorithm>

#include "app/frame_clock.h"
#include "app/shell.h"
#include "audio/sound.h"
#include "game/numeric.h"
#include "game/rules.h"
#include "game/steps.h"
#include "game/world.h"
#include "screens/modes.h"

namespace {

bool WorldRuns() {
  return Screen.Mode == gmPlay && !Screen.LevelIntro && Shell.AppActive && !Screen.NameEntry;
}

// Returns true when the pass ended the level; `result` is then EndLevel's.
bool EndOfPass(double dt, bool& result) {
  SubmarineRecord& sub = World.Sub;
  sub.x += dt / 1000 * sub.speed;
  if (sub.x <= 850) return false;
  sub.x = -50;
  if (World.BarelsLeft != 0) {
    sub.row -= 1;
    if (sub.row >= 0) return false;
  }
  result = EndLevel();
  return true;
}

void BonusTimers() {
  if (World.MinusScore && World.GameClock - World.MinusScoreStart > 30000) World.MinusScore = 0;
  if (World.DoubleScore && World.GameClock - World.DoubleScoreStart > 30000) World.DoubleScore = 0;
}

bool ExplodeWhereItIs() {
  SubmarineRecord& sub = World.Sub;
  sub.explosionFrame = 0;
  sub.explosionStamp = World.GameClock;
  sub.speed = 0;
  sub.pendingSpeedChange = 0;
  if (!EmitExplosionBubbles()) return false;
  return sysPlayExplodeP();
}

bool SpeedChange(double dt) {
  SubmarineRecord& sub = World.Sub;
  double& p = sub.pendingSpeedChange;
  if (p > 0) {
    const double step = std::min(dt * sub.changeRate / 1000, p);
    sub.speed += step;
    p -= step;
  } else if (p < 0) {
    // Not limited: an overshoot leaves p positive and is given back in the next step.
    const double step = dt * sub.changeRate / 1000;
    sub.speed -= step;
    p += step;
    if (sub.speed < 20 && sub.DyingState == 0) {
      sub.speed = 20;
      p = 0;
    } else if (sub.speed <= 0) {
      return ExplodeWhereItIs();  // the end of btDeath
    }
  }
  return true;
}

// A row change completes after 30 px of travel. The submarine stays within rows 0 to 13,
// even when the pass has moved it down a row in the meantime.
void RowChange(double dt) {
  SubmarineRecord& sub = World.Sub;
  if (!sub.rowChangeActive) return;
  sub.rowChangeProgress += dt * sub.speed / 750;
  if (sub.rowChangeProgress >= 40) {
    sub.row = sub.rowChangeUp ? std::min(sub.row + 1, 13) : std::max(sub.row - 1, 0);
    sub.rowChangeActive = 0;
  }
}

// One frame per P ms elapsed, the stamp moving on by 1.5 P per frame.
void ExplosionAnimation() {
  SubmarineRecord& sub = World.Sub;
  if (sub.speed != 0) return;
  const int64_t e = Trunc(World.GameClock - sub.explosionStamp);
  const bool death = sub.DyingState == 2;
  const int64_t P = death ? 35 : 25;
  const int64_t M = death ? 7 : 5;
  const int64_t k = e / P;
  if (k <= 0) return;
  const int64_t f = sub.explosionFrame + k;
  if (f > 59) GameOver();
  sub.explosionStamp += static_cast<double>(k * M * 15 / 2);
  sub.explosionFrame = static_cast<int32_t>(std::min<int64_t>(f, INT32_MAX));
}

// The column under the submarine's front, rounded down so that column 0 starts where its
// barrels do. A wreck stands at 40 × col + 10 over the column it struck, and keeps to it.
int FrontColumn(double x) {
  const int64_t front = int64_t{Trunc(x)} - (World.Sub.DyingState == 1 ? 10 : 20);
  return static_cast<int>(FloorDiv(front, 40));
}

bool MeetCell(int col) {
  SubmarineRecord& sub = World.Sub;
  BarelCell& cell = Cell(col, sub.row);
  if (cell.state == csBarel) {
    if (sub.DyingState != 0) return true;  // passed through while dying
    sub.explosionFrame = 0;
    sub.explosionStamp = World.GameClock;
    sub.speed = 0;
    sub.pendingSpeedChange = 0;
    sub.DyingState = 1;
    cell.state = csEmpty;
    sub.x = 40 * col + 10;
    if (!EmitExplosionBubbles()) return false;
    return sysPlayExplodeP();
  }
  if (IsBonus(cell.state)) return TakeBonus(col, sub.row, true);
  return true;
}

// Every column the front entered since `fromX`, in order, so that a long step cannot pass
// through a barrel; a step within one column tests that column.
bool MeetGrid(double fromX) {
  SubmarineRecord& sub = World.Sub;
  if (sub.row < 0 || sub.row >= GridRows) return true;
  const double x = sub.x;
  const int last = FrontColumn(x);
  const int first = x > fromX ? std::min(FrontColumn(fromX) + 1, last) : last;
  for (int col = std::max(first, 0); col <= std::min(last, GridColumns - 1); ++col) {
    if (!MeetCell(col)) return false;
    if (sub.x != x) break;  // struck a barrel, or the level started again
  }
  return true;
}

bool ExplosionEnds(int c, int r) {
  BarelCell& cell = Cell(c, r);
  cell.state = csEmpty;
  --World.BarelsLeft;
  if (cell.dropsBonus && !World.ColumnBonusUsed[c] && crt::rand() % 6 == 0) {
    if (!CreateFaller(c, r)) return false;
    World.ColumnBonusUsed[c] = 1;
  }
  return true;
}

bool GridSweep() {
  const double now = World.GameClock;
  for (int c = 0; c < GridColumns; ++c) {
    for (int r = 0; r < GridRows; ++r) {
      BarelCell& cell = Cell(c, r);
      if (cell.state == csBarel) {
        if (cell.since == 0 || !(now - cell.since > cell.stamp)) continue;
        cell.state = csExploding;  // its fuse has burnt down
        cell.stamp = now;
        cell.phase = 0;
        cell.dropsBonus = 0;
        EmitBubbles(DrawBelow(int64_t{Bubbles.BarelExplBubbleMax} + 1), 60 + 40 * c, 570 - 40 * r);
        sndPlayExplosion();
      } else if (cell.state == csExploding) {
        const int64_t k = Trunc(now - cell.stamp) / 60;
        if (k <= 0) continue;
        if (cell.phase + k <= 9) {
          cell.phase = static_cast<int8_t>(cell.phase + k);
          cell.stamp += 60.0 * static_cast<double>(k);
        } else if (!ExplosionEnds(c, r)) {
          return false;
        }
      } else if (IsBonus(cell.state)) {
        if (now - cell.since > 30000) {  // a bonus lies for 30 s
          cell.state = csEmpty;
          World.ColumnBonusUsed[c] = 1;
        }
      }
    }
  }
  return true;
}

// The faster the submarine, the denser its trail. A delay of 0 (two slider positions)
// gives bubbles without delay; the draw is still made.
bool Trail() {
  SubmarineRecord& sub = World.Sub;
  const int64_t delay = Bubbles.NauvrelBubbleDelay;
  const int64_t threshold = sub.speed > 1 ? delay * 100 / Trunc(sub.speed) : delay * 100;
  if (!(World.GameClock - sub.lastTrailBubble > static_cast<double>(threshold))) return true;
  const int bubbleDelay = DrawBelow(delay);
  const int direction = crt::rand() % 36;
  if (!CreateBackBubble(sub.x, 570 - 40 * sub.row, direction, bubbleDelay)) return false;
  sub.lastTrailBubble = World.GameClock;
  return true;
}

}  // namespace

bool SimulateFrame() {
  if (!WorldRuns()) return true;
  const double dt = sysFrameTime();
  if (dt == 0) return true;
  World.GameClock += dt;
  const double fromX = World.Sub.x;

  bool levelEnded = true;
  if (EndOfPass(dt, levelEnded)) return levelEnded;
  BonusTimers();
  if (!SpeedChange(dt)) return false;
  RowChange(dt);
  ExplosionAnimation();
  if (!MeetGrid(fromX)) return false;
  if (World.Mine.y != 0 && !StepMine(dt)) return false;
  if (World.Torpedo.row != -1 && !StepTorpedo(dt)) return false;
  if (!GridSweep()) return false;
  UpdateFloaters();
  UpdateFallers();
  UpdateBubbles();
  if (Bubbles.NauvrelBubblesOn && World.Sub.DyingState == 0 && !Trail()) return false;
  return true;
}
