#include <algorithm>

#include "game/rules.h"
#include "game/world.h"

void AddPoints(int32_t points) {
  const int64_t score = std::min<int64_t>(int64_t{World.Score} + points, INT32_MAX);
  World.Score = static_cast<int32_t>(score);
  if (World.Score > 0 && static_cast<uint32_t>(World.Score) > World.BestScore)
    World.BestScore = static_cast<uint32_t>(World.Score);
}

void RemovePoints(int32_t points) {
  World.Score = static_cast<int32_t>(std::max<int64_t>(int64_t{World.Score} - points, 0));
}

namespace {
int32_t PointsPerBarrel() { return World.DoubleScore ? 2 : 1; }
}  // namespace

void MineHitScore() {
  if (World.MinusScore)
    RemovePoints(PointsPerBarrel());
  else
    AddPoints(PointsPerBarrel());
}

// The torpedo always costs, whatever the minus-score bonus says.
void TorpedoHitScore() { RemovePoints(PointsPerBarrel()); }
