// A controller on the screens: the highlight over the mouse's hit rectangles, A to click,
// sliders by left and right, play by its buttons, and the name from the letters on offer.
#include "screens/pad.h"

#include <cstring>

#include "driver.h"
#include "screens/hit_rects.h"
#include "screens/transitions.h"

namespace {

class PadTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    Pad = PadState{};
  }
  static void Press(win::WPARAM press) { MainWndProc(nullptr, win::WM_GAMEPAD, press, 0); }
  static bool Over(MenuCommand item) { return MenuHit(item).Contains(Shell.MouseX, Shell.MouseY); }
};

TEST_P(PadTest, TheMenuHighlightMovesOverTheItemsAndAClicksIt) {
  Press(win::PAD_A);  // off the logo
  ASSERT_EQ(Screen.Mode, gmMenu);
  Press(win::PAD_DOWN);
  EXPECT_TRUE(Over(mcNewGame));
  Press(win::PAD_DOWN);  // no game in progress: Continue is passed over
  EXPECT_TRUE(Over(mcSettings));
  Press(win::PAD_UP);
  Press(win::PAD_UP);  // round to the last
  EXPECT_TRUE(Over(mcQuit));
  Press(win::PAD_B);  // does not quit
  EXPECT_FALSE(ClosePosted());
  Press(win::PAD_DOWN);
  Press(win::PAD_A);
  EXPECT_EQ(Screen.Mode, gmPlay);
  EXPECT_EQ(Screen.LevelIntro, 1);
}

TEST_P(PadTest, SettingsSlidersMoveByLeftAndRightAndBackReturns) {
  Press(win::PAD_A);
  Press(win::PAD_DOWN);
  Press(win::PAD_DOWN);
  Press(win::PAD_A);
  ASSERT_EQ(Screen.Mode, gmSettings);
  Press(win::PAD_DOWN);  // the first slider
  Press(win::PAD_DOWN);  // the second
  Press(win::PAD_LEFT);
  EXPECT_EQ(Settings.NauvrelExplBubbles, 184u);
  EXPECT_EQ(Settings.NauvrelBubbles, 192u);
  Press(win::PAD_RIGHT);
  Press(win::PAD_RIGHT);  // stops at the end
  EXPECT_EQ(Settings.NauvrelExplBubbles, 192u);
  Frame();
  // The highlight frames the slider's hit rectangle.
  const uint32_t white = Pixel(SliderLeft - 3, 140 - 3);
  EXPECT_EQ(white, Pixel(SliderRight + 2, 140 + SliderHeight + 2));
  EXPECT_NE(white, Pixel(SliderLeft - 3, 84 - 3));
  for (int i = 0; i < 5; ++i) Press(win::PAD_DOWN);  // the sound button
  const bool sound = Settings.UseSound;
  Press(win::PAD_A);
  EXPECT_NE(Settings.UseSound, sound);
  Press(win::PAD_B);
  EXPECT_EQ(Screen.Mode, gmMenu);
}

TEST_P(PadTest, InPlayAMinesBTorpedoesStartPauses) {
  StartGame();
  Press(win::PAD_X);  // ends the introduction
  ASSERT_EQ(Screen.LevelIntro, 0);
  World.Sub.x = 300;  // over the grid, where a mine can fall
  Press(win::PAD_A);
  EXPECT_NE(World.Mine.y, 0.0);
  Press(win::PAD_TRIGGER);
  EXPECT_NE(World.Torpedo.row, -1);
  Press(win::PAD_START);
  EXPECT_EQ(Screen.Mode, gmMenu);
  EXPECT_TRUE(IsGameInProgress());
}

TEST_P(PadTest, TheNameIsEnteredFromTheLettersOnOffer) {
  StartGame();
  Key('A');
  World.BestScore = 500;
  GameOver();
  ASSERT_EQ(Screen.NameEntry, 1);
  EXPECT_EQ(PadLetter(), 0);  // nothing on offer until the controller is used
  Press(win::PAD_A);          // A
  Press(win::PAD_DOWN);
  Press(win::PAD_RIGHT);  // B
  Press(win::PAD_UP);
  Press(win::PAD_UP);
  Press(win::PAD_A);  // the space
  Press(win::PAD_UP);
  Press(win::PAD_A);  // Z
  Press(win::PAD_B);  // takes it back
  EXPECT_STREQ(Screen.PlayerName, "AB ");
  EXPECT_EQ(PadLetter(), 'Z');
  Frame();
  Press(win::PAD_START);
  EXPECT_EQ(Screen.NameEntry, 0);
  EXPECT_STREQ(HiScores.Table[0].name, "AB ");
}

INSTANTIATE_TEST_SUITE_P(Depths, PadTest, ::testing::Values(8, 32), DepthName);

}  // namespace
