#include "game/world_hash.h"

#include <cstring>

#include "game/world.h"

namespace {

// FNV-1a over the values, doubles by their bits.
struct Hasher {
  uint64_t h = 0xcbf29ce484222325ull;
  void Bytes(const void* p, size_t n) {
    const auto* b = static_cast<const uint8_t*>(p);
    for (size_t i = 0; i < n; ++i) h = (h ^ b[i]) * 0x100000001b3ull;
  }
  template <typename T>
  void Add(const T& v) {
    Bytes(&v, sizeof v);
  }
};

}  // namespace

uint64_t WorldHash() {
  Hasher h;
  for (const BarelCell& c : World.BarelGrid) {
    h.Add(c.state), h.Add(c.stamp), h.Add(c.since), h.Add(c.phase), h.Add(c.dropsBonus);
  }
  h.Bytes(World.ColumnBonusUsed.data(), World.ColumnBonusUsed.size());
  h.Add(World.Level), h.Add(World.Score), h.Add(World.PointsNeeded), h.Add(World.BestScore);
  h.Add(World.BarelsLeft), h.Add(World.GameClock);
  h.Add(World.DoubleScore), h.Add(World.DoubleScoreStart), h.Add(World.MinusScore);
  h.Add(World.MinusScoreStart);
  const SubmarineRecord& s = World.Sub;
  h.Add(s.x), h.Add(s.row), h.Add(s.speed), h.Add(s.pendingSpeedChange), h.Add(s.changeRate);
  h.Add(s.rowChangeActive), h.Add(s.rowChangeUp), h.Add(s.rowChangeProgress);
  h.Add(s.DyingState), h.Add(s.explosionFrame), h.Add(s.explosionStamp);
  h.Add(s.lastTrailBubble);
  h.Add(World.Mine.y), h.Add(World.Mine.column), h.Add(World.Mine.hits);
  h.Add(World.Mine.fallSpeed), h.Add(World.Mine.lastBubble);
  h.Add(World.Torpedo.row), h.Add(World.Torpedo.x), h.Add(World.Torpedo.speed);
  h.Add(World.Torpedo.lastBubble);
  for (const FloatingBarel* f = World.FloatingBarels; f; f = f->next)
    h.Add(f->column), h.Add(f->y), h.Add(f->stamp), h.Add(f->velocity);
  for (const Faller* f = World.Fallers; f; f = f->next)
    h.Add(f->column), h.Add(f->y), h.Add(f->stamp), h.Add(f->kind);
  for (const Bubble* list : {World.BackBubbles, World.FrontBubbles})
    for (const Bubble* b = list; b; b = b->next)
      h.Add(b->x), h.Add(b->y), h.Add(b->vx), h.Add(b->vy), h.Add(b->birth), h.Add(b->delay);
  return h.h;
}
