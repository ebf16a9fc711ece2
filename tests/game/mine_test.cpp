#include <algorithm>
#include <tuple>

#include "game/simulation.h"
#include "world_fixture.h"

namespace {

// No faller draws: what the mine leaves behind stays empty.
bool DropAbove(int c) {
  World.ColumnBonusUsed.fill(1);
  return DropMineAbove(c);
}

// At any step length the mine meets every row; the best score follows only a rising score.
TEST_F(WorldTest, AMineDestroysAtMostFourBarrelsAndScoresEachAtAnyStepLength) {
  const struct {
    int ms;
    bool minus, doubled;
    int32_t before, after;
  } cases[] = {{10, false, false, 0, 4},  {500, false, true, 0, 8}, {1000, true, false, 10, 6},
               {3000, true, true, 10, 2}, {10, true, false, 3, 0},  {10, true, true, 5, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.ms << " ms from " << c.before);
    ResetWorld();
    SetColumn(5, "BBBBBB");
    std::tie(World.Score, World.BestScore, World.MinusScore, World.DoubleScore) =
        std::tuple(c.before, c.before, c.minus, c.doubled);
    World.MinusScoreStart = World.DoubleScoreStart = World.GameClock;
    ASSERT_TRUE(DropAbove(5));
    EXPECT_EQ(std::tuple(World.Mine.column, World.Mine.y), std::tuple(5, 50.0));
    for (int i = 0; i < 1000 && World.Mine.y != 0; ++i) ASSERT_TRUE(Step(c.ms));
    EXPECT_EQ(std::tuple(World.Mine.hits, World.Score, World.BestScore),
              std::tuple(4, c.after, static_cast<uint32_t>(std::max(c.before, c.after))));
    // The four from the top explode and are gone when their explosions end.
    ASSERT_TRUE(Run(700));
    for (int r = 0; r < 6; ++r) EXPECT_EQ(Cell(5, r).state, r < 2 ? csBarel : csEmpty) << r;
    EXPECT_EQ(World.BarelsLeft, 2);
  }
}

// A bonus in the way takes effect without a hit; a restart on the way ends the mine's step.
TEST_F(WorldTest, ABonusInTheMinesWayTakesEffectAndARestartStopsTheMine) {
  SetColumn(7, "BBB5");  // a double-score bonus on a stack of three
  ASSERT_TRUE(DropAbove(7));
  ASSERT_TRUE(Until(MineGone));
  EXPECT_EQ(std::tuple(Cell(7, 3).state, World.Mine.hits, World.DoubleScore, World.Score),
            std::tuple(csEmpty, 3, 1, 6));
  World.Level = 20;  // full stacks in the level built again
  SetColumn(7, "BBBBBBBBBb");
  ASSERT_TRUE(DropAbove(7));
  ASSERT_TRUE(Step(10000));  // from row 13 past the bottom
  EXPECT_EQ(std::tuple(World.Mine.y, World.Mine.hits, CountState(csExploding)),
            std::tuple(0.0, 0, 0));
}

TEST_F(WorldTest, OneMineAtATimeNoneBeyondTheGridNorFromAWreck) {
  ASSERT_TRUE(DropAbove(3));
  const double y = World.Mine.y;
  World.Sub.x += 200;
  ASSERT_TRUE(DropMine());
  EXPECT_EQ(std::tuple(World.Mine.column, World.Mine.y), std::tuple(3, y));
  World.Mine.y = 0;
  for (double x : {-10.0, 810.0}) {  // still left of the screen, and q = 20: no mine
    PlaceSubmarine(x, 13);
    EXPECT_TRUE(DropMine() && MineGone()) << x;
  }
  // Columns -1 and 18 fall beside the grid and touch nothing.
  for (int c : {0, 17}) SetColumn(c, "BBBBBBBBBBBB");
  for (const auto& [x, column] : {std::pair{10.0, -1}, {790.0, 18}}) {
    PlaceSubmarine(x, 13, 20);
    ASSERT_TRUE(DropMine());
    EXPECT_TRUE(World.Mine.column == column && World.Mine.y != 0) << column;
    ASSERT_TRUE(Until(MineGone));
  }
  EXPECT_EQ(CountState(csBarel), 24);
  // Slowing down after btDeath a mine is still allowed; once exploded, none.
  World.Sub.DyingState = 2;
  EXPECT_TRUE(DropAbove(3) && !MineGone());
  std::tie(World.Mine.y, World.Sub.speed) = std::tuple(0.0, 0.0);
  EXPECT_TRUE(DropMine() && MineGone());
}

}  // namespace
