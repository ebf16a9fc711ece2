#include <tuple>

#include "game/rules.h"
#include "game/simulation.h"
#include "platform/system/crt_rand.h"
#include "support/wav_files.h"
#include "world_fixture.h"

namespace {

constexpr int BonusColumn = 5;
constexpr int BonusRow = 3;

// A bonus on a stack of three barrels in column 5.
void LayBonus(int32_t kind) {
  World.ColumnBonusUsed.fill(1);
  SetColumn(BonusColumn, "BBB");
  Cell(BonusColumn, BonusRow) = {.state = kind, .since = World.GameClock};
}

struct BonusTest : WorldTest {
  // By the submarine in row 3, within the first step.
  void Take(int32_t kind) {
    LayBonus(kind);
    PlaceSubmarine(40 * BonusColumn + 19, BonusRow);
    ASSERT_TRUE(Step(10));
    ASSERT_NE(Cell(BonusColumn, BonusRow).state, kind);
  }
  // By the mine from row 13, under a submarine slow enough to stay above the grid.
  void TakeByMine(int32_t kind) {
    LayBonus(kind);
    PlaceSubmarine(40 * BonusColumn + 50, 13, 20);
    ASSERT_TRUE(DropMine());
    for (int i = 0; i < 1000 && Cell(BonusColumn, BonusRow).state == kind; ++i)
      ASSERT_TRUE(Step(10));
    ASSERT_NE(Cell(BonusColumn, BonusRow).state, kind);
  }
  void Take(int32_t kind, bool bySubmarine) { bySubmarine ? Take(kind) : TakeByMine(kind); }
};

// Within rows 0 to 13: lower is used up in row 0, upper in row 13.
TEST_F(BonusTest, UpperAndLowerStartARowChangeWithinTheRows) {
  Take(btLower);
  EXPECT_EQ(std::tuple(World.Sub.rowChangeActive, World.Sub.rowChangeUp), std::tuple(1, 0));
  ASSERT_TRUE(Run(300));
  EXPECT_EQ(World.Sub.row, 2);
  Take(btUpper);
  EXPECT_EQ(std::tuple(World.Sub.rowChangeActive, World.Sub.rowChangeUp), std::tuple(1, 1));
  ASSERT_TRUE(Run(300));
  EXPECT_EQ(World.Sub.row, 4);
  for (const auto& [kind, row] : {std::pair{btLower, 0}, {btUpper, 13}}) {
    LayBonus(kind);
    World.Sub = {.row = row};
    ASSERT_TRUE(TakeBonus(BonusColumn, BonusRow, false));
    EXPECT_EQ(std::tuple(Cell(BonusColumn, BonusRow).state, World.Sub.rowChangeActive),
              std::tuple(csEmpty, 0));
  }
}

TEST_F(BonusTest, TimedBonusesLastThirtySecondsFromTheLastTake) {
  Take(btDoubleScore);
  const double firstStart = World.DoubleScoreStart;
  EXPECT_EQ(std::tuple(World.DoubleScore, firstStart), std::tuple(1, World.GameClock));
  Take(btMinusScore);
  EXPECT_EQ(std::tuple(World.MinusScore, World.MinusScoreStart), std::tuple(1, World.GameClock));
  // Both at once: a mine hit costs two points.
  World.Score = 10;
  MineHitScore();
  EXPECT_EQ(World.Score, 8);
  World.Sub.row = 13;
  while (World.GameClock - firstStart <= 30000) {
    EXPECT_EQ(World.DoubleScore, 1);
    ASSERT_TRUE(Step(100));
    World.Sub.x = 0;
  }
  EXPECT_EQ(World.DoubleScore, 0);
  EXPECT_EQ(World.MinusScore, World.GameClock - World.MinusScoreStart <= 30000 ? 1 : 0);
}

TEST_F(BonusTest, SpeedUpAndSlowDownAddToThePendingChange) {
  Take(btSpeedUp);
  const double up = World.Sub.pendingSpeedChange;
  EXPECT_TRUE(up >= 0 && up < 40) << up;
  Take(btSlowDown);
  EXPECT_TRUE(World.Sub.pendingSpeedChange > up - 40 && World.Sub.pendingSpeedChange <= up);
}

TEST_F(BonusTest, ScoreBonusAddsUpToFortyNinePoints) {
  World.Score = 100;
  World.BestScore = 100;
  Take(btScoreBonus);
  EXPECT_TRUE(World.Score >= 100 && World.Score < 150) << World.Score;
  EXPECT_EQ(World.BestScore, static_cast<uint32_t>(World.Score));
}

// Taken by the mine too: the world changes under it in the middle of its step.
TEST_F(BonusTest, FinishLevelPaysForEveryBarrelAndBlowsThemAllUpWithinASecond) {
  for (bool bySubmarine : {true, false}) {
    SCOPED_TRACE(bySubmarine);
    ResetWorld();
    for (int c = 0; c < GridColumns; c += 2) SetColumn(c, "BBBB3");  // 36 barrels, 9 bonuses
    Cell(16, 3).state = csExploding;                                 // one going already
    World.Score = 5;
    World.DoubleScore = 1;
    World.DoubleScoreStart = World.GameClock;
    Take(btFinishLevel, bySubmarine);  // column 5 brings three barrels more
    World.Sub.row = 13;                // out of the way of the fused barrels
    World.Mine.y = 0;
    World.ColumnBonusUsed.fill(0);  // fuses never release a faller all the same
    EXPECT_EQ(std::tuple(World.Score, CountState(btUpper), CountState(csExploding)),
              std::tuple(5 + 2 * (35 + 3), 0, 0));
    // Chosen: the explosion cut short is off the count at once.
    EXPECT_EQ(World.BarelsLeft, CountBarrels());
    ASSERT_TRUE(Run(1000, 10));
    EXPECT_EQ(CountState(csBarel), 0);
    ASSERT_TRUE(Run(700, 10));
    // The fuses bring nothing more.
    EXPECT_EQ(std::tuple(World.BarelsLeft, World.Fallers, World.Score),
              std::tuple(0, nullptr, 5 + 2 * 38));
  }
}

TEST_F(BonusTest, RestartLevelBuildsTheLevelAgainKeepingTheScoreAndPointsNeeded) {
  for (bool bySubmarine : {true, false}) {
    SCOPED_TRACE(bySubmarine);
    ResetWorld();
    std::tie(World.Level, World.Score, World.BestScore, World.PointsNeeded) =
        std::tuple(3, 250, 260u, 300u);
    ASSERT_TRUE(CreateFloater(1, 1));
    Take(btRestartLevel, bySubmarine);
    EXPECT_EQ(std::tuple(World.Level, World.Score, World.BestScore, World.PointsNeeded),
              std::tuple(uint16_t{3}, 250, 260u, 300u));
    EXPECT_EQ(std::tuple(World.Sub.speed, World.FloatingBarels, World.BarelsLeft, World.Mine.y),
              std::tuple(160.0, nullptr, CountBarrels(), 0.0));
  }
}

// Taken by the submarine it plays no bonus sound; every other take plays one.
TEST_F(BonusTest, DeathSetsTheSubmarineDying) {
  ASSERT_TRUE(MakeToneSoundSet());
  for (bool bySubmarine : {true, false}) {
    SCOPED_TRACE(bySubmarine);
    ResetWorld();
    const int bonuses = Bonuses();
    Take(btDeath, bySubmarine);
    EXPECT_EQ(std::tuple(Bonuses() - bonuses, World.Sub.DyingState),
              std::tuple(bySubmarine ? 0 : 1, 2));
    Take(btScoreBonus, bySubmarine);
    EXPECT_EQ(Bonuses() - bonuses, bySubmarine ? 1 : 2);
  }
  ReleaseToneSoundSet();
}

// Chosen: while the submarine dies, speed bonuses are used up without effect, but their
// draw is still made: they would set an exploded submarine moving again, or keep the
// slow-down of btDeath from ever reaching its explosion.
TEST_F(WorldTest, SpeedBonusesCannotSaveADyingSubmarineButStillDraw) {
  crt::srand(99);
  LayBonus(btSpeedUp);
  ASSERT_TRUE(TakeBonus(BonusColumn, BonusRow, false));
  const int alive = crt::rand();
  crt::srand(99);
  World.Sub.pendingSpeedChange = 0;
  World.Sub.DyingState = 2;
  LayBonus(btSpeedUp);
  ASSERT_TRUE(TakeBonus(BonusColumn, BonusRow, false));
  EXPECT_EQ(crt::rand(), alive);

  World.Sub.DyingState = 1;
  World.Sub.speed = 0;
  World.Sub.explosionStamp = World.GameClock;
  for (int32_t kind : {btSpeedUp, btSlowDown}) {
    LayBonus(kind);
    ASSERT_TRUE(TakeBonus(BonusColumn, BonusRow, false));
  }
  EXPECT_EQ(World.Sub.pendingSpeedChange, 0);
  ASSERT_TRUE(Run(3000, 10));
  EXPECT_EQ(std::tuple(World.Sub.speed, World.Level), std::tuple(0.0, 0));
}

}  // namespace
