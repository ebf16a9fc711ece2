#include <tuple>

#include "app/frame_clock.h"
#include "app/shell.h"
#include "game/simulation.h"
#include "persist/hiscore.h"
#include "screens/modes.h"
#include "support/wav_files.h"
#include "world_fixture.h"

namespace {

// The submarine just before the end of its pass.
void NearPassEnd(int row) { PlaceSubmarine(849, row); }

TEST_F(WorldTest, NewGameStartsLevelOneWithItsIntroduction) {
  World.Score = 77;
  World.BestScore = 90;
  World.GameClock = 5000;
  World.Sub.DyingState = 1;
  Screen.Mode = gmMenu;
  NewGame();
  EXPECT_EQ(std::tuple(World.Level, Screen.Mode, Screen.LevelIntro), std::tuple(1, gmPlay, 1));
  EXPECT_EQ(std::tuple(World.Score, World.BestScore, World.GameClock), std::tuple(0, 0u, 5000.0));
  EXPECT_EQ(std::tuple(World.Sub.DyingState, World.Sub.speed, World.BarelsLeft, World.PointsNeeded),
            std::tuple(0, 120.0, CountBarrels(), static_cast<uint32_t>(2 * CountBarrels() / 3)));
  EXPECT_TRUE(IsGameInProgress());
}

// A passed level is heard.
TEST_F(WorldTest, TheLevelEndsAfterThePassThroughRowZeroWhateverIsLeft) {
  ASSERT_TRUE(MakeToneSoundSet());
  const int levelUps = LevelUps();
  SetColumn(17, "B");
  World.Score = 10;
  World.PointsNeeded = 3;
  NearPassEnd(1);
  ASSERT_TRUE(Step(10));
  EXPECT_EQ(std::tuple(World.Level, World.Sub.row, World.Sub.x), std::tuple(1, 0, -50.0));
  NearPassEnd(0);
  ASSERT_TRUE(Step(10));
  EXPECT_EQ(std::tuple(World.Level, Screen.LevelIntro, World.Sub.row, World.Sub.speed),
            std::tuple(2, 1, 13, 140.0));
  EXPECT_EQ(std::tuple(World.PointsNeeded, World.Score, LevelUps()),
            std::tuple(static_cast<uint32_t>(10 + 2 * World.BarelsLeft / 3), 10, levelUps + 1));

  // With no barrel left any pass ends it.
  Screen.LevelIntro = 0;
  World.BarelsLeft = 0;
  World.Score = 11;
  World.PointsNeeded = 10;
  NearPassEnd(9);
  ASSERT_TRUE(Step(10));
  EXPECT_EQ(std::tuple(World.Level, World.Sub.row), std::tuple(3, 13));
  ReleaseToneSoundSet();
}

TEST_F(WorldTest, AFailedLevelIsBuiltAgainWithoutIntroductionAndTheSamePointsNeeded) {
  // Equal to the points needed is not enough.
  World.Level = 3;
  World.BarelsLeft = 0;
  World.Score = World.PointsNeeded = 40;
  World.GameClock = 9000;
  World.BestScore = 55;
  NearPassEnd(4);
  ASSERT_TRUE(Step(10));
  EXPECT_EQ(std::tuple(World.Level, Screen.LevelIntro, World.PointsNeeded), std::tuple(3, 0, 40u));
  EXPECT_EQ(std::tuple(World.Score, World.BestScore, World.GameClock), std::tuple(40, 55u, 9010.0));
  EXPECT_EQ(std::tuple(World.Sub.speed, World.BarelsLeft), std::tuple(160.0, CountBarrels()));
  EXPECT_GT(World.BarelsLeft, 0);
}

// Resuming from the menu without a jump is played through in the screens tests.
TEST_F(WorldTest, GameOverEndsTheGameIntoTheNameEntryOrTheMenuWithNothingToContinue) {
  for (uint32_t best : {0u, 100000u}) {
    World.Level = 4;
    World.BestScore = best;
    Screen = {};
    Screen.Mode = gmPlay;
    GameOver();
    const bool qualifies = hisQualifies(best);
    EXPECT_EQ(std::tuple(World.Level, IsGameInProgress(), Screen.NameEntry, Screen.Mode),
              std::tuple(0, false, qualifies ? 1 : 0, qualifies ? gmPlay : gmMenu));
    EXPECT_FALSE(ContinueGame());  // nothing to go back to
    EXPECT_EQ(Screen.Mode, qualifies ? gmPlay : gmMenu);
  }
}

TEST_F(WorldTest, NothingMovesWhileTheGameIsHeld) {
  SetColumn(2, "BX");
  PlaceSubmarine(100, 13);
  ASSERT_TRUE(DropMine());
  ASSERT_TRUE(CreateBubble(100, 300, 27, 0));
  const WorldState before = World;
  const auto same = [&before] {
    return World.GameClock == before.GameClock && World.Sub.x == before.Sub.x &&
           World.Mine.y == before.Mine.y &&
           Cell(2, 1).phase == before.BarelGrid[13 * 2 + 1].phase &&
           (World.FrontBubbles ? World.FrontBubbles->y : World.BackBubbles->y) == 300;
  };
  ASSERT_TRUE(Step(0));  // a step of 0 ms
  EXPECT_TRUE(same());

  const auto held = [&](auto hold, auto release) {
    hold();
    EXPECT_TRUE(Step(500));
    EXPECT_TRUE(same());
    release();
  };
  held([] { Screen.Mode = gmMenu; }, [] { Screen.Mode = gmPlay; });
  held([] { Screen.LevelIntro = 1; }, [] { Screen.LevelIntro = 0; });
  held([] { Screen.NameEntry = 1; }, [] { Screen.NameEntry = 0; });
  held([] { Shell.AppActive = false; }, [] { Shell.AppActive = true; });
  // Held time is never simulated once the clock is restarted, as the mode operations do.
  sysFrameTime();
  ASSERT_TRUE(Step(10));
  EXPECT_EQ(World.GameClock, before.GameClock + 10);
}

}  // namespace
