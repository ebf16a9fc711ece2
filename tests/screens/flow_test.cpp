// The screen flow, played through window messages: logo, menu, play, pause, name entry.
#include <cstring>
#include <string>

#include "driver.h"
#include "game/simulation.h"

namespace {

class FlowTest : public ScreenTest {};

// Menu items, as a player would aim at them.
constexpr uint16_t NewGameX = 650, NewGameY = 35;
constexpr uint16_t ContinueX = 650, ContinueY = 80;
constexpr uint16_t SettingsY = 120;

TEST_P(FlowTest, LogoGoesToTheMenuByAKeyOrAClick) {
  Frame();
  EXPECT_EQ(Pixel(0, 0), fixture::PictureValue(fixture::LogoEntry));
  EXPECT_EQ(Pixel(799, 599), fixture::PictureValue(fixture::LogoEntry));
  Key('X');
  EXPECT_EQ(Screen.Mode, gmMenu);

  SetGameMode(gmLogo);
  Click(3, 3);
  EXPECT_EQ(Screen.Mode, gmMenu);
  Frame();
  EXPECT_EQ(Pixel(400, 300), fixture::MenuBckg);
  // F12 on the logo quits instead of going on.
  SetGameMode(gmLogo);
  ClosePosted();
  Key(win::VK_F12);
  EXPECT_EQ(Screen.Mode, gmLogo);
  EXPECT_TRUE(ClosePosted());
}

TEST_P(FlowTest, MenuHighlightFollowsTheMouseAndOffersContinueOnlyDuringAGame) {
  Key(win::VK_SPACE);  // off the logo
  Move(10, 10);
  Frame();
  for (int y = 0; y < 300; ++y) ASSERT_EQ(Pixel(650, y), fixture::MenuBckg) << y;

  Move(NewGameX, NewGameY);
  Frame();
  EXPECT_EQ(Pixel(597, 21), fixture::MenuSel);
  EXPECT_EQ(Pixel(783, 49), fixture::MenuSel);
  EXPECT_EQ(Pixel(784, 49), fixture::MenuBckg);  // right edge exclusive
  EXPECT_EQ(Pixel(596, 21), fixture::MenuBckg);

  Move(ContinueX, ContinueY);
  Frame();
  EXPECT_EQ(Pixel(600, 80), fixture::MenuBckg);  // no game in progress
  World.Level = 3;
  Frame();
  EXPECT_EQ(Pixel(554, 65), fixture::MenuSel);
  EXPECT_EQ(Pixel(783, 92), fixture::MenuSel);

  // The settings item reaches past the picture's highlight.
  Move(790, SettingsY);
  Frame();
  EXPECT_EQ(Pixel(574, 109), fixture::MenuSel);
  EXPECT_EQ(Pixel(781, 136), fixture::MenuSel);
  Move(790, 160);  // the same x on the hi-score item: nothing
  Frame();
  EXPECT_EQ(Pixel(600, 160), fixture::MenuBckg);
}

TEST_P(FlowTest, MenuClicksAndKeys) {
  Key('A');
  ASSERT_EQ(Screen.Mode, gmMenu);
  ClosePosted();
  for (uint16_t key : {win::VK_SPACE, win::VK_RETURN, win::VK_LEFT, win::VK_UP, win::VK_RIGHT,
                       win::VK_DOWN, uint16_t{'Q'}})
    Key(key);
  EXPECT_EQ(Screen.Mode, gmMenu);
  EXPECT_FALSE(ClosePosted());

  Click(790, 160);              // beside the hi-score item
  Click(ContinueX, ContinueY);  // no game in progress
  EXPECT_EQ(Screen.Mode, gmMenu);
  Click(790, SettingsY);
  EXPECT_EQ(Screen.Mode, gmSettings);
  Key(win::VK_SPACE);
  EXPECT_EQ(Screen.Mode, gmSettings);
  Key(win::VK_ESCAPE);
  EXPECT_EQ(Screen.Mode, gmMenu);

  Click(700, 170);
  EXPECT_EQ(Screen.Mode, gmHiScore);
  Key(win::VK_ESCAPE);
  EXPECT_EQ(Screen.Mode, gmMenu);

  Click(700, 210);
  EXPECT_EQ(Screen.Mode, gmHelp1);
  Frame();
  EXPECT_EQ(Pixel(400, 300), fixture::PictureValue(fixture::Help1Entry));
  Key(win::VK_ESCAPE);
  EXPECT_EQ(Screen.Mode, gmHelp2);
  Frame();
  EXPECT_EQ(Pixel(400, 300), fixture::PictureValue(fixture::Help2Entry));
  Click(1, 1);
  EXPECT_EQ(Screen.Mode, gmHelp3);
  Frame();
  EXPECT_EQ(Pixel(400, 300), fixture::PictureValue(fixture::Help3Entry));
  Key('Z');
  EXPECT_EQ(Screen.Mode, gmMenu);

  EXPECT_FALSE(ClosePosted());
  Key(win::VK_ESCAPE);
  EXPECT_TRUE(ClosePosted());
  Click(700, 260);  // quit
  EXPECT_TRUE(ClosePosted());
}

TEST_P(FlowTest, CursorIsHiddenInPlayAndComesBackInTheMenu) {
  const win::HCURSOR before = win::CurrentCursor();
  Frame();
  EXPECT_EQ(win::CurrentCursor(), before);  // the logo leaves it
  Key('A');
  const win::HCURSOR arrow = win::LoadArrowCursor();
  EXPECT_EQ(win::CurrentCursor(), arrow);
  Click(700, 170);  // hi-score keeps it
  EXPECT_EQ(win::CurrentCursor(), arrow);
  Key('A');
  Click(NewGameX, NewGameY);
  EXPECT_EQ(win::CurrentCursor(), nullptr);
  Key('A');  // past the introduction
  Key(win::VK_ESCAPE);
  EXPECT_EQ(win::CurrentCursor(), arrow);
}

TEST_P(FlowTest, IntroductionWaitsForAKeyAndTheCDKeysLeaveIt) {
  Key('A');
  Click(NewGameX, NewGameY);
  ASSERT_EQ(Screen.Mode, gmPlay);
  ASSERT_EQ(Screen.LevelIntro, 1);
  ASSERT_EQ(World.Level, 1);

  // The box of four lines stands at 236; the last row of each text line is a gap.
  const uint32_t dark = Video.BackBuffer->MapColour(0, 0, 100);
  Frame();
  EXPECT_EQ(Pixel(400, 236 + 31), dark);
  EXPECT_EQ(Pixel(400, 235), fixture::Background);
  const double x = World.Sub.x;
  for (uint16_t key : {uint16_t{'M'}, uint16_t{'N'}, uint16_t{'P'}}) {
    Key(key);
    clock->AdvanceMicroseconds(100'000);
    ASSERT_TRUE(SimulateFrame());
  }
  EXPECT_EQ(Screen.LevelIntro, 1);
  EXPECT_EQ(World.Sub.x, x);  // the world waits under the text
  Frame();
  EXPECT_EQ(Pixel(400, 236 + 31), dark);

  Key(win::VK_ESCAPE);  // like any other key: ends the introduction, no pause
  EXPECT_EQ(Screen.LevelIntro, 0);
  EXPECT_EQ(Screen.Mode, gmPlay);
  Frame();
  EXPECT_EQ(Pixel(400, 236 + 31), fixture::Background);
}

TEST_P(FlowTest, EscapePausesAndContinueResumesWithoutAJump) {
  Key('A');
  Click(NewGameX, NewGameY);
  Click(5, 5);  // a click ends the introduction too
  ASSERT_EQ(Screen.LevelIntro, 0);

  const double start = World.Sub.x;
  clock->AdvanceMicroseconds(100'000);
  ASSERT_TRUE(SimulateFrame());
  const double step = World.Sub.x - start;
  ASSERT_GT(step, 0);

  Key(win::VK_ESCAPE);
  EXPECT_EQ(Screen.Mode, gmMenu);
  EXPECT_TRUE(IsGameInProgress());
  const double paused = World.Sub.x;
  for (int i = 0; i < 10; ++i) {
    clock->AdvanceMicroseconds(6'000'000);
    ASSERT_TRUE(SimulateFrame());
    Frame();
  }
  EXPECT_EQ(World.Sub.x, paused);

  Click(ContinueX, ContinueY);
  ASSERT_EQ(Screen.Mode, gmPlay);
  clock->AdvanceMicroseconds(100'000);
  ASSERT_TRUE(SimulateFrame());
  EXPECT_NEAR(World.Sub.x - paused, step, 1e-9);

  // During play Escape is the only key that pauses; a click does nothing.
  Click(ContinueX, ContinueY);
  Key('Q');
  EXPECT_EQ(Screen.Mode, gmPlay);
}

TEST_P(FlowTest, DeactivationFreezesTheWorldAndDrawsNothing) {
  Key('A');
  Click(NewGameX, NewGameY);
  Key('A');
  clock->AdvanceMicroseconds(50'000);
  ASSERT_TRUE(SimulateFrame());
  MainWndProc(nullptr, win::WM_ACTIVATEAPP, 0, 0);
  const int flips = dd::testing::FlipCount();
  const double x = World.Sub.x;
  clock->AdvanceMicroseconds(5'000'000);
  ASSERT_TRUE(SimulateFrame());
  Frame();
  EXPECT_EQ(dd::testing::FlipCount(), flips);
  EXPECT_EQ(World.Sub.x, x);
  MainWndProc(nullptr, win::WM_ACTIVATEAPP, 1, 0);
  Frame();
  EXPECT_EQ(dd::testing::FlipCount(), flips + 1);
  clock->AdvanceMicroseconds(10'000);
  ASSERT_TRUE(SimulateFrame());
  EXPECT_LT(World.Sub.x - x, 5.0);  // ten milliseconds' travel, not five seconds'
}

class NameEntryTest : public ScreenTest {
 protected:
  void LoseWithBestScore(uint32_t best) {
    Key('A');
    Click(NewGameX, NewGameY);
    Key('A');
    World.BestScore = best;
    GameOver();
    ASSERT_EQ(Screen.NameEntry, 1);
    ASSERT_EQ(Screen.Mode, gmPlay);
  }
  // The prompt's widest line decides the box: 33 characters, or the name's line when longer.
  static bool BoxReaches(int x) {
    return Pixel(x, 236 + 31) == Video.BackBuffer->MapColour(0, 0, 100);
  }
};

TEST_P(NameEntryTest, LettersAndSpacesOnlyUpToTheLimit) {
  LoseWithBestScore(500);
  ClosePosted();
  for (uint16_t key : {uint16_t{'N'}, uint16_t{'M'}, uint16_t{'P'}, win::VK_SPACE, uint16_t{'3'},
                       uint16_t{0xBE}, win::VK_F12, win::VK_ESCAPE, win::VK_CONTROL})
    Key(key);
  EXPECT_STREQ(Screen.PlayerName, "NMP ");
  EXPECT_EQ(Screen.PlayerNameLength, 4);
  EXPECT_FALSE(ClosePosted());  // F12 types nothing and does not quit
  EXPECT_EQ(Screen.Mode, gmPlay);
  EXPECT_EQ(Screen.NameEntry, 1);

  for (int i = 0; i < 6; ++i) Key(win::VK_BACK);
  EXPECT_EQ(Screen.PlayerNameLength, 0);
  EXPECT_STREQ(Screen.PlayerName, "");

  for (int i = 0; i < 45; ++i) Key(static_cast<uint16_t>('A' + i % 26));
  EXPECT_EQ(Screen.PlayerNameLength, 39);
  EXPECT_EQ(std::strlen(Screen.PlayerName), 39u);
  EXPECT_EQ(Screen.PlayerName[38], 'M');

  Frame();
  // A 40-character line widens the box to start at 70.
  EXPECT_TRUE(BoxReaches(72));
}

TEST_P(NameEntryTest, EnterStoresTheNameAndTheNextEntryStartsWithIt) {
  LoseWithBestScore(700);
  for (uint16_t key : {uint16_t{'E'}, uint16_t{'V'}, uint16_t{'A'}}) Key(key);
  Frame();
  EXPECT_TRUE(BoxReaches(130));
  EXPECT_FALSE(BoxReaches(72));

  Key(win::VK_RETURN);
  EXPECT_EQ(Screen.Mode, gmMenu);
  EXPECT_EQ(Screen.NameEntry, 0);
  EXPECT_FALSE(IsGameInProgress());
  EXPECT_STREQ(HiScores.Table[0].name, "EVA");
  EXPECT_EQ(HiScores.Table[0].score, 700u);

  LoseWithBestScore(600);
  EXPECT_STREQ(Screen.PlayerName, "EVA");
  Key(win::VK_BACK);
  Key(win::VK_RETURN);
  EXPECT_STREQ(HiScores.Table[1].name, "EV");
}

TEST_P(NameEntryTest, ALongNameIsCutToTheRecordsField) {
  LoseWithBestScore(900);
  for (int i = 0; i < 39; ++i) Key('W');
  Key(win::VK_RETURN);
  EXPECT_EQ(strnlen(HiScores.Table[0].name, sizeof HiScores.Table[0].name), 31u);
}

TEST_P(NameEntryTest, AGameLostWithoutAPlaceGoesStraightToTheMenu) {
  Key('A');
  Click(NewGameX, NewGameY);
  Key('A');
  for (auto& entry : HiScores.Table) entry.score = 1000;
  World.BestScore = 10;
  GameOver();
  EXPECT_EQ(Screen.NameEntry, 0);
  EXPECT_EQ(Screen.Mode, gmMenu);
  Move(ContinueX, ContinueY);
  Frame();
  EXPECT_EQ(Pixel(600, 80), fixture::MenuBckg);
  Click(ContinueX, ContinueY);
  EXPECT_EQ(Screen.Mode, gmMenu);
}

INSTANTIATE_TEST_SUITE_P(Depths, FlowTest, ::testing::Values(8, 16, 32), DepthName);
INSTANTIATE_TEST_SUITE_P(Depths, NameEntryTest, ::testing::Values(8, 16, 32), DepthName);

}  // namespace
