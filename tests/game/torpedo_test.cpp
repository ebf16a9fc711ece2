#include <algorithm>
#include <tuple>

#include "game/simulation.h"
#include "world_fixture.h"

namespace {

TEST_F(WorldTest, ATorpedoClearsItsRowAndLiftsTheBarrelsAbove) {
  SetColumn(2, "BBBB");  // hit in row 1, rows 2 and 3 float away
  SetColumn(5, "BB.B");  // hit, the one above the gap floats too
  SetColumn(8, "B5");    // a bonus in the path goes without effect
  SetColumn(11, "BX");   // an explosion in the path is left alone
  SetColumn(14, "BBBBBBB");
  SetColumn(17, "BB");
  std::tie(World.Score, World.DoubleScore, World.DoubleScoreStart) =
      std::tuple(20, 1, World.GameClock);
  World.ColumnBonusUsed.fill(0);
  FireFromRow(1);
  int lifted = 0;
  for (int i = 0; i < 400 && !TorpedoGone(); ++i) {
    const int floaters = ListLength(World.FloatingBarels), left = World.BarelsLeft;
    ASSERT_TRUE(Step(10));
    const int added = ListLength(World.FloatingBarels) - floaters;
    if (added > 0) {
      EXPECT_EQ(World.BarelsLeft, left - added);  // off the count at once
    }
    lifted += std::max(added, 0);
  }
  // Four barrels in row 1, two points each.
  EXPECT_EQ(std::tuple(lifted, World.Score, Cell(8, 1).state, World.DoubleScoreStart),
            std::tuple(2 + 1 + 5, 20 - 2 * 4, csEmpty, 0.0));
  for (int c : {2, 5, 14, 17}) EXPECT_EQ(Cell(c, 0).state, csBarel);
  EXPECT_EQ(World.BarelsLeft, CountBarrels());  // exploding cells count until they end
  ASSERT_TRUE(Run(700));                        // torpedo hits never release a bonus
  EXPECT_EQ(std::tuple(CountState(csExploding), World.BarelsLeft, CountBarrels(), World.Fallers),
            std::tuple(0, 6, 6, nullptr));
  // The lifted barrels rise off the screen and bring nothing.
  ASSERT_TRUE(Run(2000));
  EXPECT_EQ(std::tuple(World.FloatingBarels, World.Score), std::tuple(nullptr, 12));
}

TEST_F(WorldTest, TorpedoCostsEvenWithoutMinusScoreAndNeverBelowZeroAtAnyStepLength) {
  for (int ms : {10, 200, 1000}) {
    SCOPED_TRACE(ms);
    ResetWorld();
    for (int c : {0, 1, 2, 3, 4, 9, 17}) SetColumn(c, "BB");
    World.Score = 3;
    FireFromRow(0);
    for (int i = 0; i < 400 && !TorpedoGone(); ++i) ASSERT_TRUE(Step(ms));
    EXPECT_EQ(std::tuple(World.Score, CountState(csBarel)), std::tuple(0, 0));
  }
}

TEST_F(WorldTest, OneTorpedoAtATimeNotFromARowChangeNorADyingSubmarineNorHittingAboveTheGrid) {
  for (int c = 0; c < GridColumns; ++c) SetColumn(c, "BBBBBBBBBBBBB");
  PlaceSubmarine(100, 13);
  ASSERT_TRUE(FireTorpedo());
  World.Sub.x = 300;
  ASSERT_TRUE(FireTorpedo());
  EXPECT_EQ(std::tuple(World.Torpedo.row, World.Torpedo.speed, World.Torpedo.x),
            std::tuple(13, 240.0, 115.0));
  ASSERT_TRUE(Until(TorpedoGone));
  EXPECT_EQ(std::tuple(CountState(csBarel), World.FloatingBarels),
            std::tuple(GridColumns * GridRows, nullptr));
  for (const auto& [changing, dying] : {std::pair{1, 0}, {0, 2}}) {
    std::tie(World.Torpedo.row, World.Sub.rowChangeActive, World.Sub.DyingState) =
        std::tuple(-1, changing, dying);
    EXPECT_TRUE(FireTorpedo() && TorpedoGone());
  }
}

// Chosen: a step under a pixel counts as one for the torpedo's bubble rate, so short steps
// neither divide by zero nor lose the trail.
TEST_F(WorldTest, TorpedoBubblesSurviveStepsBelowAPixel) {
  Bubbles.TorpedoBubblesOn = 1;
  for (int delay : {10, 0, -5}) {
    Bubbles.TorpedoBubbleDelay = delay;
    const double start = World.GameClock;
    World.Torpedo = {.row = 13, .x = 100, .speed = 40, .lastBubble = start};
    ASSERT_TRUE(Run(1000, 1));  // 0.04 px per step
    EXPECT_NEAR(World.Torpedo.x, 140, 1e-9);
    // 10: one bubble after more than 500 ms; 0 and below: a bubble in every step.
    EXPECT_EQ(World.Torpedo.lastBubble, delay > 0 ? start + 501 : World.GameClock) << delay;
  }
}

}  // namespace
