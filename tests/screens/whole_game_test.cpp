// A whole game as a player meets it: logo, menu, a lost game, the name, the menu again.
#include "driver.h"
#include "game/simulation.h"

namespace {

class WholeGameTest : public ScreenTest {};

TEST_P(WholeGameTest, FromTheLogoThroughALostGameIntoTheTableAndNoContinue) {
  Frame();
  Click(400, 300);
  Move(650, 35);
  Frame();
  Click(650, 35);
  ASSERT_EQ(Screen.Mode, gmPlay);
  Key(win::VK_RETURN);  // past the introduction
  ASSERT_EQ(Screen.LevelIntro, 0);

  // Down on the bottom row with a barrel in the way, and some points to rank with.
  World.Sub.row = 0;
  for (int column = 0; column < GridColumns; ++column)
    for (int row = 0; row < GridRows; ++row) Cell(column, row) = BarelCell{};
  Cell(8, 0).state = csBarel;
  World.Score = 250;
  World.BestScore = 250;

  bool struck = false;
  for (int turn = 0; turn < 5000 && !Screen.NameEntry; ++turn) {
    clock->AdvanceMicroseconds(20'000);
    ASSERT_TRUE(SimulateFrame());
    ASSERT_TRUE(RenderFrame());
    struck = struck || World.Sub.DyingState != 0;
  }
  ASSERT_TRUE(struck);
  ASSERT_EQ(Screen.NameEntry, 1);
  EXPECT_FALSE(IsGameInProgress());

  for (uint16_t key : {uint16_t{'J'}, uint16_t{'A'}, uint16_t{'N'}}) Key(key);
  Frame();
  Key(win::VK_RETURN);
  EXPECT_EQ(Screen.Mode, gmMenu);
  EXPECT_STREQ(HiScores.Table[0].name, "JAN");
  EXPECT_EQ(HiScores.Table[0].score, 250u);

  Move(ContinueX, ContinueY);  // the game is over: no continue
  Frame();
  EXPECT_EQ(Pixel(600, 80), fixture::MenuBckg);
  Click(ContinueX, ContinueY);
  EXPECT_EQ(Screen.Mode, gmMenu);
}

INSTANTIATE_TEST_SUITE_P(Depths, WholeGameTest, ::testing::Values(8, 16, 32), DepthName);

}  // namespace
