#include <tuple>

#include "app/shell.h"
#include "game/simulation.h"
#include "persist/hiscore.h"
#include "screens/modes.h"
#include "support/wav_files.h"
#include "world_fixture.h"

namespace {

TEST_F(WorldTest, NewGameStartsLevelOneWithItsIntroduction) {
  std::tie(World.Score, World.BestScore, World.GameClock) = std::tuple(77, 90u, 5000.0);
  Screen.Mode = gmMenu;
  NewGame();  // what a level starts with is the level set-up test's
  EXPECT_EQ(std::tuple(World.Level, Screen.Mode, Screen.LevelIntro, IsGameInProgress()),
            std::tuple(1, gmPlay, 1, true));
  EXPECT_EQ(std::tuple(World.Score, World.BestScore, World.GameClock, World.PointsNeeded),
            std::tuple(0, 0u, 5000.0, static_cast<uint32_t>(2 * CountBarrels() / 3)));
}

// The level ends after the pass through row 0, or any pass with no barrel left; passed (heard,
// introduced) only with more than the points needed, else built again with the same need.
TEST_F(WorldTest, TheLevelEndsAfterThePassThroughRowZeroOrWithNoBarrelLeft) {
  ASSERT_TRUE(MakeToneSoundSet());
  const struct {
    int row;
    bool barrelLeft;
    int32_t score;
    uint32_t needed;
    bool ends, passed;
  } cases[] = {{1, true, 10, 3, false, false},
               {0, true, 10, 3, true, true},
               {9, false, 11, 10, true, true},
               {4, false, 40, 40, true, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.row);
    ResetWorld();
    if (c.barrelLeft) SetColumn(17, "B");
    std::tie(World.Level, World.Score, World.PointsNeeded, World.BestScore, World.GameClock) =
        std::tuple(3, c.score, c.needed, 55u, 9000.0);
    const int levelUps = LevelUps();
    PlaceSubmarine(849, c.row);  // just before the end of its pass
    ASSERT_TRUE(Step(10));
    if (!c.ends) {
      EXPECT_EQ(std::tuple(World.Level, World.Sub.row, World.Sub.x), std::tuple(3, 0, -50.0));
      continue;
    }
    EXPECT_EQ(std::tuple(World.Level, Screen.LevelIntro, LevelUps() - levelUps),
              std::tuple(c.passed ? 4 : 3, c.passed ? 1 : 0, c.passed ? 1 : 0));
    EXPECT_EQ(
        std::tuple(World.PointsNeeded, World.Score, World.BestScore, World.GameClock),
        std::tuple(c.passed ? c.score + 2 * World.BarelsLeft / 3 : c.needed, c.score, 55u, 9010.0));
    EXPECT_TRUE(World.BarelsLeft == CountBarrels() && World.BarelsLeft > 0);  // built anew
  }
  ReleaseToneSoundSet();
}

TEST_F(WorldTest, GameOverEndsTheGameIntoTheNameEntryOrTheMenuWithNothingToContinue) {
  for (uint32_t best : {0u, 100000u}) {
    std::tie(World.Level, World.BestScore) = std::tuple(4, best);
    Screen = {.Mode = gmPlay};
    GameOver();
    const bool qualifies = hisQualifies(best);
    EXPECT_EQ(std::tuple(World.Level, IsGameInProgress(), Screen.NameEntry, Screen.Mode),
              std::tuple(0, false, qualifies ? 1 : 0, qualifies ? gmPlay : gmMenu));
    EXPECT_TRUE(!ContinueGame() && Screen.Mode == (qualifies ? gmPlay : gmMenu));
  }
}

TEST_F(WorldTest, NothingMovesWhileTheGameIsHeld) {
  SetColumn(2, "BX");
  PlaceSubmarine(100, 13);
  ASSERT_TRUE(DropMine());
  ASSERT_TRUE(CreateBubble(100, 300, 27, 0));
  const auto state = [] {
    const Bubble* bubble = World.FrontBubbles ? World.FrontBubbles : World.BackBubbles;
    return std::tuple(World.GameClock, World.Sub.x, World.Mine.y, Cell(2, 1).phase, bubble->y);
  };
  const auto before = state();
  const auto held = [&](auto hold, auto release) {
    hold();
    EXPECT_TRUE(Step(500));
    EXPECT_EQ(state(), before);
    release();
  };
  held([] { Screen.Mode = gmMenu; }, [] { Screen.Mode = gmPlay; });
  held([] { Screen.LevelIntro = 1; }, [] { Screen.LevelIntro = 0; });
  held([] { Screen.NameEntry = 1; }, [] { Screen.NameEntry = 0; });
  held([] { Shell.AppActive = false; }, [] { Shell.AppActive = true; });
}

}  // namespace
