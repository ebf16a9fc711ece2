#include <algorithm>

#include "game/simulation.h"
#include "platform/crt_rand.h"
#include "world_fixture.h"

namespace {

int StackHeight(int c) {
  int n = 0;
  while (n < GridRows && Cell(c, n).state == csBarel) ++n;
  for (int r = n; r < GridRows; ++r) EXPECT_EQ(Cell(c, r).state, csEmpty) << c << "," << r;
  return n;
}

TEST_F(WorldTest, SetupLevelBuildsStacksWithinTheLevelBound) {
  const int bound[] = {0, 6, 8, 10, 10, 10};
  for (int level = 1; level <= 5; ++level) {
    int tallest = 0;
    for (int seed = 1; seed <= 40; ++seed) {
      crt::srand(seed);
      SetupLevel(static_cast<uint16_t>(level));
      int sum = 0;
      for (int c = 0; c < GridColumns; ++c) {
        const int h = StackHeight(c);
        EXPECT_LE(h, bound[level]);
        tallest = std::max(tallest, h);
        sum += h;
        EXPECT_EQ(Cell(c, 0).since, 0);
      }
      EXPECT_EQ(World.BarelsLeft, sum);
    }
    EXPECT_EQ(tallest, bound[level]) << "level " << level;  // the bound is reached
  }
}

TEST_F(WorldTest, SetupLevelSpeedRisesByTwentyPerLevel) {
  const double speeds[] = {120, 140, 160, 180, 200, 220, 240};
  for (int level = 1; level <= 7; ++level) {
    SetupLevel(static_cast<uint16_t>(level));
    EXPECT_EQ(World.Sub.speed, speeds[level - 1]);
    EXPECT_EQ(World.Mine.fallSpeed, speeds[level - 1] / 5 + 60);
  }
}

TEST_F(WorldTest, SetupLevelResetsThePlayfieldButNotTheGame) {
  World.Score = 250;
  World.BestScore = 300;
  World.PointsNeeded = 280;
  World.GameClock = 12345;
  World.Level = 3;
  World.DoubleScore = World.MinusScore = 1;
  World.Mine.y = 200;
  World.Torpedo.row = 4;
  World.Sub = {.x = 500,
               .row = 2,
               .speed = 33,
               .pendingSpeedChange = 7,
               .changeRate = 90,
               .rowChangeActive = 1};
  World.ColumnBonusUsed.fill(1);
  ASSERT_TRUE(CreateFloater(3, 3));
  ASSERT_TRUE(CreateBubble(10, 10, 0, 0));
  ASSERT_TRUE(CreateBackBubble(10, 10, 0, 0));
  crt::srand(7);
  while (!World.Fallers) ASSERT_TRUE(CreateFaller(2, 5));

  ASSERT_TRUE(SetupLevel(3));

  EXPECT_EQ(World.Score, 250);
  EXPECT_EQ(World.BestScore, 300u);
  EXPECT_EQ(World.PointsNeeded, 280u);
  EXPECT_EQ(World.GameClock, 12345);
  EXPECT_EQ(World.Level, 3);
  EXPECT_EQ(World.Sub.x, -50);
  EXPECT_EQ(World.Sub.row, 13);
  EXPECT_EQ(World.Sub.speed, 160);
  EXPECT_EQ(World.Sub.changeRate, 15);
  EXPECT_EQ(World.Sub.pendingSpeedChange, 0);
  EXPECT_EQ(World.Sub.rowChangeActive, 0);
  EXPECT_EQ(World.Mine.y, 0);
  EXPECT_EQ(World.Torpedo.row, -1);
  EXPECT_EQ(World.DoubleScore, 0);
  EXPECT_EQ(World.MinusScore, 0);
  EXPECT_TRUE(std::all_of(World.ColumnBonusUsed.begin(), World.ColumnBonusUsed.end(),
                          [](uint8_t used) { return used == 0; }));
  EXPECT_EQ(World.FloatingBarels, nullptr);
  EXPECT_EQ(World.Fallers, nullptr);
  EXPECT_EQ(World.FrontBubbles, nullptr);
  EXPECT_EQ(World.BackBubbles, nullptr);
}

// Chosen: a level built while the submarine dies gives it back alive; left dying it would
// move on with its speed restored and could never explode again.
TEST_F(WorldTest, SetupLevelEndsADyingState) {
  World.Sub.DyingState = 1;
  World.Sub.explosionFrame = 30;
  World.Sub.speed = 0;
  SetupLevel(2);
  EXPECT_EQ(World.Sub.DyingState, 0);
  EXPECT_EQ(World.Sub.explosionFrame, 0);
  EXPECT_EQ(World.Sub.speed, 140);
}

TEST_F(WorldTest, FallerDrawGivesNoBonusForThreeOfThirteen) {
  int none = 0;
  int kinds[13] = {};
  for (int i = 0; i < 1300; ++i) {
    World.ColumnBonusUsed[4] = 1;
    Faller* before = World.Fallers;
    ASSERT_TRUE(CreateFaller(4, 6));
    if (World.Fallers == before) {
      ++none;
      EXPECT_EQ(World.ColumnBonusUsed[4], 0);
      continue;
    }
    const Faller& f = *World.Fallers;
    EXPECT_EQ(f.column, 4);
    EXPECT_EQ(f.y, 570 - 40 * 6);
    ASSERT_GE(f.kind, btUpper);
    ASSERT_LE(f.kind, btDeath);
    ++kinds[f.kind];
  }
  EXPECT_NEAR(none, 300, 60);
  for (int k = btUpper; k <= btDeath; ++k) EXPECT_GT(kinds[k], 50) << k;
}

TEST_F(WorldTest, BubblesGoToBothLayersAndTheTrailToTheBack) {
  for (int i = 0; i < 200; ++i) ASSERT_TRUE(CreateBubble(100, 100, i % 36, 0));
  const int front = ListLength(World.FrontBubbles);
  EXPECT_EQ(front + ListLength(World.BackBubbles), 200);
  EXPECT_GT(front, 60);
  EXPECT_LT(front, 140);
  ASSERT_TRUE(CreateBackBubble(5, 6, 9, 10));
  EXPECT_EQ(World.BackBubbles->x, 5);
  EXPECT_NEAR(World.BackBubbles->vy, 1.0, 1e-12);  // direction 9 is straight down the table
  EXPECT_NEAR(World.BackBubbles->vx, 0.0, 1e-12);
  FreeBubbles();
  EXPECT_EQ(World.FrontBubbles, nullptr);
  EXPECT_EQ(World.BackBubbles, nullptr);
}

TEST_F(WorldTest, ADelayedBubbleWaitsUnmovedThenRises) {
  World.GameClock = 1000;
  ASSERT_TRUE(CreateBackBubble(300, 400, 0, 500));
  Bubble& b = *World.BackBubbles;
  World.GameClock = 1499;
  UpdateBubbles();
  EXPECT_EQ(b.x, 300);
  EXPECT_EQ(b.y, 400);
  World.GameClock = 1600;  // age 600 ms
  UpdateBubbles();
  EXPECT_DOUBLE_EQ(b.y, 400 - 5 * 0.6);
  EXPECT_DOUBLE_EQ(b.x, 300 + 0.6);
  EXPECT_DOUBLE_EQ(b.vx, 1 - 0.6 / 20);
}

TEST_F(WorldTest, ListsLoseRecordsThatLeaveTheScreen) {
  ASSERT_TRUE(CreateBackBubble(809.5, 300, 0, 0));  // drifts right beyond 810
  ASSERT_TRUE(CreateBackBubble(400, 300, 27, 0));   // stays
  ASSERT_TRUE(CreateFloater(0, 0));
  World.GameClock = 1000;
  UpdateBubbles();
  UpdateFloaters();
  EXPECT_EQ(ListLength(World.BackBubbles), 1);
  EXPECT_EQ(World.BackBubbles->x, 400);
  ASSERT_NE(World.FloatingBarels, nullptr);
  EXPECT_DOUBLE_EQ(World.FloatingBarels->y, 570 - 1000 * 500.0 / 1000);
  World.GameClock = 2000;
  UpdateFloaters();
  EXPECT_EQ(World.FloatingBarels, nullptr);
}

}  // namespace
