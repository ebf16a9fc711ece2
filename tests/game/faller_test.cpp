#include <tuple>

#include "game/simulation.h"
#include "platform/system/crt_rand.h"
#include "world_fixture.h"

namespace {

Faller& MakeFaller(int c, int r, int32_t kind) {
  while (!World.Fallers) EXPECT_TRUE(CreateFaller(c, r));
  Faller& f = *World.Fallers;
  f.column = c;
  f.y = 570 - 40 * r;
  f.kind = kind;
  return f;
}

TEST_F(WorldTest, AFallerSettlesWithinTwentyPixelsBelowTheCentreLine) {
  SetColumn(3, "B");
  Faller& f = MakeFaller(3, 2, btLower);
  // 18 px: still in row 2, below its centre line; 39 px: 1 px above the line of row 1.
  for (int ms : {600, 700}) {
    World.GameClock += ms;
    UpdateFallers();
    ASSERT_EQ(World.Fallers, &f);
  }
  World.GameClock += 40;  // on it
  UpdateFallers();
  EXPECT_EQ(std::tuple(World.Fallers, Cell(3, 1).state), std::tuple(nullptr, btLower));
}

// Chosen: at any step length a faller stops on a barrel below; an explosion does not hold it
// up, and coming to rest in one ends it.
TEST_F(WorldTest, AFallerRestsOnTheFirstBarrelOrBonusBelowAtAnyStepLength) {
  const struct {
    const char* column;
    int from;
    int32_t kind;
    int ms, rests;
  } cases[] = {{"BB.", 8, btSpeedUp, 10, 2}, {"BB7", 9, btDeath, 10, 3},
               {"", 9, btUpper, 10, 0},      {"BB", 8, btScoreBonus, 10000, 2},
               {"", 12, btUpper, 60000, 0},  {"BX", 2, btMinusScore, 10, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.column << " from " << c.from << ", " << c.ms << " ms");
    ResetWorld();
    SetColumn(3, c.column);
    MakeFaller(3, c.from, c.kind);
    for (double t = 0; t < 60000 && World.Fallers; t += c.ms) {
      World.GameClock += c.ms;
      UpdateFallers();
    }
    EXPECT_EQ(std::tuple(World.Fallers, Cell(3, c.rests).state, Cell(3, c.rests).since),
              std::tuple(nullptr, c.kind, World.GameClock));
    EXPECT_EQ(std::tuple(Cell(3, c.rests + 1).state, World.BarelsLeft),
              std::tuple(csEmpty, CountBarrels()));
  }
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
    ASSERT_TRUE(DropMineAbove(4));
    ASSERT_TRUE(Until(MineGone));
    ASSERT_TRUE(Run(20000, 50));
    const int bonuses = GridColumns * GridRows - CountState(csEmpty) - CountBarrels();
    EXPECT_EQ(
        std::tuple(bonuses + ListLength(World.Fallers) <= 1, CountBarrels(), World.BarelsLeft),
        std::tuple(true, 0, 0))
        << seed;
    draws += World.ColumnBonusUsed[4];
  }
  EXPECT_TRUE(draws > 15 && draws < 50) << draws;  // 1 − (5/6)^4 of the games
}

}  // namespace
