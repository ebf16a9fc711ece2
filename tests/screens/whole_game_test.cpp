// A whole game as a player meets it: every change of screen clicks once, and nothing else
// clicks: not a miss, not the pause, not a click in play or during the name entry, not the
// Enter that stores the name.
#include "driver.h"
#include "game/simulation.h"
#include "support/wav_files.h"

namespace {

class WholeGameTest : public ScreenTest {
 protected:
  void TearDown() override {
    ReleaseToneSoundSet();
    ScreenTest::TearDown();
  }
};

TEST_P(WholeGameTest, EveryChangeOfScreenClicksOnceAndNothingElseDoes) {
  ASSERT_TRUE(MakeToneSoundSet());
  struct Action {
    const char* what;
    uint16_t x, y;  // y 0: the key x
    int clicks;
    GameMode mode;
  };
  const Action actions[] = {
      {"off the logo", 400, 300, 1, gmMenu},
      {"beside the items", 790, 160, 0, gmMenu},
      {"settings", 790, SettingsY, 1, gmSettings},
      {"beside the controls", 10, 10, 0, gmSettings},
      {"Escape", win::VK_ESCAPE, 0, 1, gmMenu},
      {"hi-scores", 700, HiScoreY, 1, gmHiScore},
      {"a key", 'A', 0, 1, gmMenu},
      {"help", 700, 210, 1, gmHelp1},
      {"a click", 1, 1, 1, gmHelp2},
      {"a key", 'B', 0, 1, gmHelp3},
      {"a key", 'C', 0, 1, gmMenu},
      {"no game to continue", ContinueX, ContinueY, 0, gmMenu},
      {"new game", NewGameX, NewGameY, 1, gmPlay},
      {"past the introduction", win::VK_RETURN, 0, 1, gmPlay},
      {"a click in play", 400, 300, 0, gmPlay},
      {"the pause", win::VK_ESCAPE, 0, 0, gmMenu},
      {"continue", ContinueX, ContinueY, 1, gmPlay},
  };
  for (const Action& a : actions) {
    const int before = MenuClicks();
    if (a.y == 0)
      Key(a.x);
    else
      Click(a.x, a.y);
    EXPECT_EQ(MenuClicks() - before, a.clicks) << a.what;
    EXPECT_EQ(Screen.Mode, a.mode) << a.what;
  }
  ASSERT_EQ(Screen.LevelIntro, 0);

  // Down on the bottom row with a barrel in the way, and some points to rank with.
  World.Sub.row = 0;
  for (BarelCell& cell : World.BarelGrid) cell = BarelCell{};
  Cell(8, 0).state = csBarel;
  World.Score = 250;
  World.BestScore = 250;
  for (int turn = 0; turn < 5000 && !Screen.NameEntry; ++turn) {
    clock->AdvanceMicroseconds(20'000);
    ASSERT_TRUE(SimulateFrame());
    ASSERT_TRUE(RenderFrame());
  }
  ASSERT_EQ(Screen.NameEntry, 1);
  ASSERT_EQ(World.Sub.DyingState, 1);

  const int before = MenuClicks();
  Click(400, 300);
  for (uint16_t key : {uint16_t{'J'}, uint16_t{'A'}, uint16_t{'N'}, win::VK_RETURN}) Key(key);
  EXPECT_EQ(MenuClicks(), before);
  EXPECT_EQ(Screen.Mode, gmMenu);
  EXPECT_STREQ(HiScores.Table[0].name, "JAN");
  EXPECT_EQ(HiScores.Table[0].score, 250u);
}

INSTANTIATE_TEST_SUITE_P(Depth32, WholeGameTest, ::testing::Values(32), DepthName);

}  // namespace
