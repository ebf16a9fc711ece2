#include <algorithm>
#include <cmath>
#include <tuple>

#include "game/simulation.h"
#include "platform/system/crt_rand.h"
#include "world_fixture.h"

namespace {

int StackHeight(int c) {
  int n = 0;
  while (n < GridRows && Cell(c, n).state == csBarel) ++n;
  for (int r = n; r < GridRows; ++r) EXPECT_EQ(Cell(c, r).state, csEmpty) << c << "," << r;
  return n;
}

// Stacks of at most 6, 8 and then 10 barrels (each bound reached by some seed), and a
// speed that rises by twenty per level.
TEST_F(WorldTest, SetupLevelBuildsStacksWithinTheLevelBoundAtTheLevelSpeed) {
  for (const auto& [level, bound] : {std::pair{1, 6}, {2, 8}, {3, 10}, {20, 10}}) {
    SCOPED_TRACE(level);
    int tallest = 0;
    for (int seed = 1; seed <= 40; ++seed) {
      crt::srand(seed);
      SetupLevel(static_cast<uint16_t>(level));
      for (int c = 0; c < GridColumns; ++c) tallest = std::max(tallest, StackHeight(c));
      EXPECT_EQ(World.BarelsLeft, CountBarrels());
    }
    EXPECT_EQ(std::tuple(tallest, World.Sub.speed, World.Mine.fallSpeed),
              std::tuple(bound, 100.0 + 20 * level, (100 + 20 * level) / 5.0 + 60));
  }
}

// Chosen: a level built while the submarine dies gives it back alive; left dying it would
// move on with its speed restored and could never explode again.
TEST_F(WorldTest, SetupLevelResetsThePlayfieldButNotTheGame) {
  std::tie(World.Score, World.BestScore, World.PointsNeeded, World.GameClock, World.Level) =
      std::tuple(250, 300u, 280u, 12345.0, 3);
  std::tie(World.DoubleScore, World.MinusScore, World.Mine.y, World.Torpedo.row) =
      std::tuple(1, 1, 200.0, 4);
  World.Sub = {.x = 500, .row = 2, .speed = 0, .pendingSpeedChange = 7, .changeRate = 90};
  std::tie(World.Sub.rowChangeActive, World.Sub.DyingState) = std::tuple(1, 1);
  World.Sub.explosionFrame = 30;
  World.ColumnBonusUsed.fill(1);
  ASSERT_TRUE(CreateFloater(3, 3));
  ASSERT_TRUE(CreateBubble(10, 10, 0, 0));
  ASSERT_TRUE(CreateBackBubble(10, 10, 0, 0));
  while (!World.Fallers) ASSERT_TRUE(CreateFaller(2, 5));

  ASSERT_TRUE(SetupLevel(3));

  EXPECT_EQ(
      std::tuple(World.Score, World.BestScore, World.PointsNeeded, World.GameClock, World.Level),
      std::tuple(250, 300u, 280u, 12345.0, uint16_t{3}));
  const SubmarineRecord& sub = World.Sub;
  EXPECT_EQ(std::tuple(sub.x, sub.row, sub.speed, sub.changeRate, sub.pendingSpeedChange,
                       sub.rowChangeActive, sub.DyingState, sub.explosionFrame),
            std::tuple(-50.0, 13, 160.0, 15.0, 0.0, 0, 0, 0));
  EXPECT_EQ(std::tuple(World.Mine.y, World.Torpedo.row, World.DoubleScore, World.MinusScore,
                       std::ranges::count(World.ColumnBonusUsed, 0)),
            std::tuple(0.0, -1, 0, 0, GridColumns));
  EXPECT_EQ(std::tuple(World.FloatingBarels, World.Fallers, World.FrontBubbles, World.BackBubbles),
            std::tuple(nullptr, nullptr, nullptr, nullptr));
}

TEST_F(WorldTest, FallerDrawGivesNoBonusForThreeOfThirteen) {
  int none = 0, kinds[13] = {};
  for (int i = 0; i < 1300; ++i) {
    World.ColumnBonusUsed[4] = 1;
    Faller* before = World.Fallers;
    ASSERT_TRUE(CreateFaller(4, 6));
    if (World.Fallers == before) {
      EXPECT_EQ(World.ColumnBonusUsed[4], 0);
      ++none;
      continue;
    }
    const Faller& f = *World.Fallers;
    ASSERT_TRUE(f.column == 4 && f.y == 570 - 40 * 6 && f.kind >= btUpper && f.kind <= btDeath);
    ++kinds[f.kind];
  }
  EXPECT_NEAR(none, 300, 60);
  for (int k = btUpper; k <= btDeath; ++k) EXPECT_GT(kinds[k], 50) << k;
}

// A delayed bubble rises from its birth, drifting in its direction; what leaves the screen
// leaves its list.
TEST_F(WorldTest, BubblesAndFloatersMoveAndLeaveTheirListsOffTheScreen) {
  ASSERT_TRUE(CreateBackBubble(5, 6, 9, 10));  // direction 9: straight down the table
  EXPECT_EQ(std::tuple(std::round(World.BackBubbles->vx * 1e9), World.BackBubbles->vy),
            std::tuple(0.0, 1.0));
  FreeBubbles();

  World.GameClock = 1000;
  ASSERT_TRUE(CreateBackBubble(809.5, 300, 0, 0));  // drifts right beyond 810
  ASSERT_TRUE(CreateBackBubble(300, 400, 0, 500));
  ASSERT_TRUE(CreateFloater(0, 0));
  Bubble& b = *World.BackBubbles;
  World.GameClock = 1600;  // the floater 600 ms old, the delayed bubble born 100 ms ago
  UpdateBubbles();
  UpdateFloaters();
  EXPECT_TRUE(std::abs(b.x - 300.6) + std::abs(b.y - 397) < 1e-9 && !b.next) << b.x << "," << b.y;
  ASSERT_NE(World.FloatingBarels, nullptr);
  EXPECT_DOUBLE_EQ(World.FloatingBarels->y, 570 - 600 * (0.5 * 600) / 1000);
  World.GameClock = 3000;
  UpdateFloaters();
  EXPECT_EQ(World.FloatingBarels, nullptr);
}

}  // namespace
