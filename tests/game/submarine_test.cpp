#include <cmath>
#include <tuple>

#include "game/simulation.h"
#include "screens/modes.h"
#include "world_fixture.h"

namespace {

bool GameIsOver() { return World.Level == 0 && (Screen.NameEntry || Screen.Mode == gmMenu); }

int MsUntilGameOver(WorldTest& test) {
  const double explodedAt = World.Sub.explosionStamp;
  for (int i = 0; i < 10000 && !GameIsOver(); ++i) EXPECT_TRUE(test.Step(1));
  return static_cast<int>(World.GameClock - explodedAt);
}

TEST_F(WorldTest, AfterBtDeathTheSubmarinePassesThroughBarrelsAndExplodesWhereItStands) {
  SetColumn(3, "BBc");  // btDeath on two barrels
  for (int c : {4, 5}) SetColumn(c, "BBB");
  PlaceSubmarine(130, 2);
  for (int i = 0; i < 1000 && World.Sub.DyingState == 0; ++i) ASSERT_TRUE(Step(1));
  const double took = World.GameClock;
  for (int i = 0; i < 2000 && World.Sub.speed > 0; ++i) ASSERT_TRUE(Step(1));
  EXPECT_NEAR(World.GameClock - took, 1000, 2);
  const double stoppedAt = World.Sub.x;
  // Into column 4, through the barrel in its row; the slower animation ends at 59 × 52 + 35 ms.
  EXPECT_EQ(std::tuple(World.Sub.speed, World.Sub.explosionStamp, Cell(4, 2).state,
                       World.Sub.DyingState, stoppedAt >= 180),
            std::tuple(0.0, World.GameClock, csBarel, 2, true));
  EXPECT_EQ(std::pair(MsUntilGameOver(*this), World.Sub.x), std::pair(59 * 52 + 35, stoppedAt));
}

// The front meets a barrel on reaching its cell (x 20 for column 0) at any step length; the
// wreck, set back over the column, takes what lands there, fires nothing, ends after frame 59.
TEST_F(WorldTest, TheSubmarineStrikesTheBarrelItReachesAtAnyStepLength) {
  const struct {
    int column;
    double fromX;
    int ms;               // steps of this length, 120 px/s
    double strikesAfter;  // the first x at which the front is in the barrel's column
  } cases[] = {{0, -30, 1, 20}, {3, 130, 1, 140}, {3, 100, 2000, 140}, {17, 600, 1000, 700}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "column " << c.column << ", " << c.ms << " ms");
    ResetWorld();
    SetColumn(c.column, "BBB");
    PlaceSubmarine(c.fromX, 2);
    double before = c.fromX;
    for (int i = 0; i < 1000 && World.Sub.DyingState == 0; ++i) {
      before = World.Sub.x;
      ASSERT_TRUE(Step(c.ms));
    }
    // Struck in the step that reached the column: neither late nor early.
    EXPECT_TRUE(before < c.strikesAfter && before + 0.12 * c.ms >= c.strikesAfter) << before;
    EXPECT_EQ(std::tuple(World.Sub.DyingState, World.Sub.x, Cell(c.column, 2).state,
                         Cell(c.column, 1).state),
              std::tuple(1, 40.0 * c.column + 10, csEmpty, csBarel));
  }
  // The wreck over column 17 takes a bonus that lies in column 17, not one in column 16.
  SetColumn(16, "..9");
  SetColumn(17, "BB9");
  ASSERT_TRUE(Step(10));
  EXPECT_EQ(std::tuple(Cell(17, 2).state, Cell(16, 2).state), std::tuple(csEmpty, btScoreBonus));
  SetColumn(17, "BBB");
  ASSERT_TRUE(FireTorpedo());
  EXPECT_EQ(World.Torpedo.row, -1);
  // Frames advance every 37 ms: frame 60 at 59 × 37 + 25.
  EXPECT_EQ(MsUntilGameOver(*this), 59 * 37 + 25);
  EXPECT_EQ(std::tuple(Cell(17, 2).state, World.Sub.DyingState, World.Sub.explosionFrame > 59),
            std::tuple(csBarel, 1, true));
}

TEST_F(WorldTest, AnExplosionMovesOnEvery60Ms) {
  SetColumn(3, "X");
  for (const auto& [ms, phase] : {std::pair{59, 0}, {1, 1}, {480, 9}}) {
    ASSERT_TRUE(Run(ms, ms > 60 ? 10 : ms));
    EXPECT_EQ(std::tuple(Cell(3, 0).phase, Cell(3, 0).state), std::tuple(phase, csExploding)) << ms;
  }
}

// Past x 850 a pass starts again at -50, a row lower. Chosen: a row change keeps to rows 0 to
// 13, and a pass ending while it moves down from row 1 takes it to row 0 first.
TEST_F(WorldTest, APassEndsPastX850AndRowChangesKeepTheSubmarineWithinItsRows) {
  SetColumn(0, "B");
  PlaceSubmarine(840, 5);
  ASSERT_TRUE(Step(80));  // 9.6 px at 120 px/s
  EXPECT_TRUE(World.Sub.row == 5 && World.Sub.x > 849) << World.Sub.x;
  ASSERT_TRUE(Step(10));
  EXPECT_TRUE(World.Sub.row == 4 && World.Sub.x < -40) << World.Sub.x;

  PlaceSubmarine(100, 12);
  std::tie(World.Sub.rowChangeActive, World.Sub.rowChangeUp) = std::tuple(1, 1);
  ASSERT_TRUE(Run(200, 10));  // 30 px of travel at 120 px/s is 250 ms
  EXPECT_TRUE(World.Sub.row == 12 && Run(100, 10));
  EXPECT_EQ(std::tuple(World.Sub.row, World.Sub.rowChangeActive), std::tuple(13, 0));
  PlaceSubmarine(845, 1);
  std::tie(World.Sub.rowChangeActive, World.Sub.rowChangeUp, World.Sub.rowChangeProgress) =
      std::tuple(1, 0, 0);
  ASSERT_TRUE(Run(400, 10));
  EXPECT_EQ(std::tuple(World.Sub.row, World.Sub.rowChangeActive), std::tuple(0, 0));
}

// A slow-down overshooting in one long step gives the excess back; alive, never below 20 px/s.
TEST_F(WorldTest, SpeedBonusesApplyAtTheChangeRate) {
  // From a speed, a change pending, in steps of ms: the speed after a second, and in the end.
  for (const auto& [speed, pending, ms, afterASecond, total, last] :
       {std::tuple{120.0, 30.0, 10, 135.0, 3000, 150.0},
        {150.0, -10.0, 1000, 135.0, 2000, 140.0},
        {30.0, -39.0, 10, 20.0, 3000, 20.0}}) {
    SCOPED_TRACE(pending);
    ResetWorld();
    PlaceSubmarine(0, 13, speed);
    World.Sub.pendingSpeedChange = pending;
    ASSERT_TRUE(Run(1000, ms));
    EXPECT_NEAR(World.Sub.speed, afterASecond, 1e-9);
    ASSERT_TRUE(Run(total - 1000, ms));
    EXPECT_EQ(std::tuple(std::round(World.Sub.speed * 1e6), World.Sub.pendingSpeedChange,
                         World.Sub.DyingState),
              std::tuple(last * 1e6, 0.0, 0));
  }
}

// A trail bubble every 1000 / speed ms and a bit. Chosen: a trail delay of 0 gives bubbles
// at once (the draw still made) instead of dividing by zero. None once dying.
TEST_F(WorldTest, TheTrailThickensWithSpeedAndADelayOfZeroGivesBubblesAtOnce) {
  Bubbles.NauvrelBubblesOn = 1;
  for (const auto& [delay, speed, ms, bubbles] :
       {std::tuple{10, 120.0, 200, 22}, {10, 250.0, 200, 40}, {0, 120.0, 5, 5}}) {
    SCOPED_TRACE(speed);
    FreeBubbles();
    Bubbles.NauvrelBubbleDelay = delay;
    PlaceSubmarine(0, 5, speed);
    ASSERT_TRUE(Run(ms, 1));
    EXPECT_NEAR(ListLength(World.BackBubbles), bubbles, delay ? 1 : 0);
    EXPECT_EQ(World.FrontBubbles, nullptr);
  }
  EXPECT_EQ(World.BackBubbles->delay, 0);
  World.Sub.DyingState = 2;
  ASSERT_TRUE(Step(10));
  EXPECT_EQ(World.BackBubbles->birth, World.GameClock - 10);
}

}  // namespace
