#include <tuple>

#include "game/simulation.h"
#include "platform/system/crt_rand.h"
#include "world_fixture.h"

namespace {

// A faller of the given kind in column c, starting from row r.
Faller& MakeFaller(int c, int r, int32_t kind) {
  while (!World.Fallers) EXPECT_TRUE(CreateFaller(c, r));
  Faller& f = *World.Fallers;
  f.column = c;
  f.y = 570 - 40 * r;
  f.kind = kind;
  return f;
}

// Advances the clock and updates the fallers only, in steps of ms.
void Sink(double total, double ms) {
  for (double t = 0; t < total && World.Fallers; t += ms) {
    World.GameClock += ms;
    UpdateFallers();
  }
}

TEST_F(WorldTest, AFallerRestsOnTheFirstBarrelOrBonusBelow) {
  SetColumn(3, "BB.");
  MakeFaller(3, 8, btSpeedUp);
  Sink(20000, 10);
  EXPECT_EQ(std::tuple(World.Fallers, Cell(3, 2).state, Cell(3, 2).since),
            std::tuple(nullptr, btSpeedUp, World.GameClock));

  MakeFaller(3, 9, btDeath);  // lands on the bonus
  Sink(20000, 10);
  EXPECT_EQ(Cell(3, 3).state, btDeath);

  MakeFaller(6, 9, btUpper);  // an empty column: row 0
  Sink(20000, 10);
  EXPECT_EQ(Cell(6, 0).state, btUpper);
  EXPECT_EQ(World.BarelsLeft, 2);
}

TEST_F(WorldTest, AFallerSettlesWithinTwentyPixelsBelowTheCentreLine) {
  SetColumn(3, "B");
  Faller& f = MakeFaller(3, 2, btLower);
  World.GameClock += 600;  // 18 px: still in row 2, below its centre line
  UpdateFallers();
  ASSERT_EQ(World.Fallers, &f);
  World.GameClock += 700;  // 39 px down: 1 px above the centre line of row 1
  UpdateFallers();
  ASSERT_EQ(World.Fallers, &f);
  World.GameClock += 40;  // on it
  UpdateFallers();
  EXPECT_EQ(std::tuple(World.Fallers, Cell(3, 1).state), std::tuple(nullptr, btLower));
}

// Chosen: however long the step, a faller does not sink through a barrel below it.
TEST_F(WorldTest, ALongStepDoesNotSinkAFallerThroughTheStack) {
  SetColumn(3, "BB");
  MakeFaller(3, 8, btScoreBonus);
  World.GameClock += 10000;  // 300 px in one step
  UpdateFallers();
  EXPECT_EQ(std::tuple(Cell(3, 0).state, Cell(3, 1).state, Cell(3, 2).state, World.BarelsLeft),
            std::tuple(csBarel, csBarel, btScoreBonus, CountBarrels()));

  MakeFaller(9, 12, btUpper);  // far below the bottom of an empty column
  World.GameClock += 60000;
  UpdateFallers();
  EXPECT_EQ(Cell(9, 0).state, btUpper);
}

TEST_F(WorldTest, AnExplodingBarrelDoesNotHoldAFallerUp) {
  SetColumn(3, "BX");
  MakeFaller(3, 2, btMinusScore);
  World.GameClock += 100;
  UpdateFallers();
  EXPECT_NE(World.Fallers, nullptr);
  Cell(3, 1).state = csEmpty;
  Sink(5000, 10);
  EXPECT_EQ(Cell(3, 1).state, btMinusScore);

  // Chosen: coming to rest in an explosion ends it, and its barrel leaves the count.
  SetColumn(5, "X");
  MakeFaller(5, 2, btUpper);
  World.GameClock += 3000;
  UpdateFallers();
  EXPECT_EQ(std::tuple(Cell(5, 0).state, World.BarelsLeft), std::tuple(btUpper, CountBarrels()));
}

TEST_F(WorldTest, ABonusLiesForThirtySecondsAndThenItsColumnIsDone) {
  World.Sub.speed = 20;
  SetColumn(4, "B7");
  ASSERT_TRUE(Run(30000, 100));
  EXPECT_EQ(Cell(4, 1).state, btSpeedUp);
  World.Sub.x = 0;
  ASSERT_TRUE(Step(100));
  EXPECT_EQ(std::tuple(Cell(4, 1).state, World.ColumnBonusUsed[4]), std::tuple(csEmpty, 1));
}

// A mine through four barrels: four faller chances at 1/6, but one draw at most.
TEST_F(WorldTest, OnlyMineHitsDrawFallersAndEachColumnOnlyOnce) {
  int draws = 0;
  for (unsigned seed = 1; seed <= 60; ++seed) {
    ResetWorld();
    crt::srand(seed);
    SetColumn(4, "BBBB");
    PlaceSubmarine(210, 13, 20);
    ASSERT_TRUE(DropMine());
    ASSERT_TRUE(Until(MineGone));
    ASSERT_TRUE(Run(20000, 50));
    const int bonuses = GridColumns * GridRows - CountState(csEmpty) - CountBarrels();
    EXPECT_LE(bonuses + ListLength(World.Fallers), 1) << seed;
    EXPECT_EQ(std::tuple(CountBarrels(), World.BarelsLeft), std::tuple(0, 0));
    draws += World.ColumnBonusUsed[4];
  }
  EXPECT_TRUE(draws > 15 && draws < 50) << draws;  // 1 − (5/6)^4 of the games
}

}  // namespace
