#include <tuple>

#include "game/rules.h"
#include "game/simulation.h"
#include "support/wav_files.h"
#include "world_fixture.h"

namespace {

constexpr int BonusColumn = 5, BonusRow = 3;

void LayBonus(int32_t kind) {
  World.ColumnBonusUsed.fill(1);
  SetColumn(BonusColumn, "BBB");
  Cell(BonusColumn, BonusRow) = {.state = kind, .since = World.GameClock};
}

struct BonusTest : WorldTest {
  // By the submarine in row 3 within one step, or by the mine from row 13.
  void Take(int32_t kind, bool bySubmarine = true) {
    LayBonus(kind);
    if (bySubmarine) {
      PlaceSubmarine(40 * BonusColumn + 19, BonusRow);
      ASSERT_TRUE(Step(10));
    } else {
      ASSERT_TRUE(DropMineAbove(BonusColumn));
      for (int i = 0; i < 1000 && Cell(BonusColumn, BonusRow).state == kind; ++i)
        ASSERT_TRUE(Step(10));
    }
    ASSERT_NE(Cell(BonusColumn, BonusRow).state, kind);
  }
};

// Within rows 0 to 13: lower is used up in row 0, upper in row 13.
TEST_F(BonusTest, UpperAndLowerStartARowChangeWithinTheRows) {
  for (const auto& [kind, row] : {std::pair{btLower, 2}, {btUpper, 4}}) {
    Take(kind);
    ASSERT_TRUE(Run(300));
    EXPECT_EQ(World.Sub.row, row);
  }
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
  const double firstStart = World.GameClock;
  Take(btMinusScore);
  EXPECT_EQ(std::tuple(World.MinusScore, World.MinusScoreStart), std::tuple(1, World.GameClock));
  World.Sub.row = 13;
  while (World.GameClock - firstStart <= 30000) {
    EXPECT_EQ(World.DoubleScore, 1);
    ASSERT_TRUE(Step(100));
    World.Sub.x = 0;
  }
  EXPECT_EQ(World.DoubleScore, 0);
  EXPECT_EQ(World.MinusScore, World.GameClock - World.MinusScoreStart <= 30000 ? 1 : 0);
}

TEST_F(BonusTest, DrawnBonusesStayInTheirRanges) {
  Take(btSpeedUp);
  const double up = World.Sub.pendingSpeedChange;
  Take(btSlowDown);
  const double down = World.Sub.pendingSpeedChange - up;
  std::tie(World.Score, World.BestScore) = std::tuple(100, 100u);
  Take(btScoreBonus);  // up to 49 points
  EXPECT_TRUE(up >= 0 && up < 40 && down > -40 && down <= 0) << up << " " << down;
  EXPECT_TRUE(World.Score >= 100 && World.Score < 150 && World.BestScore == World.Score + 0u);
}

// Taken by the mine too: the world changes under it in the middle of its step.
TEST_F(BonusTest, FinishLevelPaysForEveryBarrelAndBlowsThemAllUpWithinASecond) {
  for (bool bySubmarine : {true, false}) {
    SCOPED_TRACE(bySubmarine);
    ResetWorld();
    for (int c = 0; c < GridColumns; c += 2) SetColumn(c, "BBBB3");  // 36 barrels, 9 bonuses
    Cell(16, 3).state = csExploding;                                 // one going already
    std::tie(World.Score, World.DoubleScore, World.DoubleScoreStart) =
        std::tuple(5, 1, World.GameClock);
    Take(btFinishLevel, bySubmarine);  // column 5 brings three barrels more
    World.Sub.row = 13;                // out of the way of the fused barrels
    World.Mine.y = 0;
    World.ColumnBonusUsed.fill(0);  // fuses never release a faller all the same
    // Chosen: the explosion cut short is off the count at once.
    EXPECT_EQ(
        std::tuple(World.Score, CountState(btUpper), CountState(csExploding), World.BarelsLeft),
        std::tuple(5 + 2 * (35 + 3), 0, 0, CountBarrels()));
    ASSERT_TRUE(Run(1000, 10));
    EXPECT_EQ(CountState(csBarel), 0);
    ASSERT_TRUE(Run(700, 10));
    // The fuses bring nothing more.
    EXPECT_EQ(std::tuple(World.BarelsLeft, World.Fallers, World.Score),
              std::tuple(0, nullptr, 5 + 2 * 38));
  }
}

// Taken by the mine it goes the same way; that the mine stops is the mine test's.
TEST_F(BonusTest, RestartLevelBuildsTheLevelAgainKeepingTheScoreAndPointsNeeded) {
  std::tie(World.Level, World.Score, World.BestScore, World.PointsNeeded) =
      std::tuple(3, 250, 260u, 300u);
  ASSERT_TRUE(CreateFloater(1, 1));
  Take(btRestartLevel);
  // The rest is the level set-up test's.
  EXPECT_EQ(std::tuple(World.Level, World.Score, World.BestScore, World.PointsNeeded,
                       World.FloatingBarels),
            std::tuple(uint16_t{3}, 250, 260u, 300u, nullptr));
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

// Chosen: while the submarine dies, speed bonuses are used up without effect: they would set
// a wreck moving again, or keep btDeath's slow-down from its explosion.
TEST_F(WorldTest, SpeedBonusesCannotSaveADyingSubmarine) {
  for (int dying : {2, 1}) {
    World.Sub.DyingState = dying;
    for (int32_t kind : {btSpeedUp, btSlowDown}) {
      LayBonus(kind);
      ASSERT_TRUE(TakeBonus(BonusColumn, BonusRow, false));
      EXPECT_EQ(World.Sub.pendingSpeedChange, 0) << dying << ", " << kind;
    }
  }
  std::tie(World.Sub.speed, World.Sub.explosionStamp) = std::tuple(0.0, World.GameClock);
  ASSERT_TRUE(Run(3000, 10));
  EXPECT_EQ(std::tuple(World.Sub.speed, World.Level), std::tuple(0.0, 0));
}

}  // namespace
