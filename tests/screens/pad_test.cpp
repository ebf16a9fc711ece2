// A controller on the screens: the highlight over the mouse's hit rectangles, A to click,
// sliders by left and right, play by its buttons, and the name from the letters on offer.
#include "screens/pad.h"

#include <cstring>
#include <initializer_list>
#include <tuple>

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
  static void Press(std::initializer_list<win::WPARAM> presses) {
    for (win::WPARAM press : presses) MainWndProc(nullptr, win::WM_GAMEPAD, press, 0);
  }
  static bool Over(MenuCommand item) { return MenuHit(item).Contains(Shell.MouseX, Shell.MouseY); }
};

TEST_P(PadTest, TheMenuHighlightMovesOverTheItemsAndAClicksIt) {
  Press({win::PAD_A, win::PAD_DOWN});  // off the logo
  EXPECT_TRUE(Over(mcNewGame));
  Press({win::PAD_DOWN});  // no game in progress: Continue is passed over
  EXPECT_TRUE(Over(mcSettings));
  Press({win::PAD_UP, win::PAD_UP});  // round to the last
  EXPECT_TRUE(Over(mcQuit));
  Press({win::PAD_B});  // does not quit
  EXPECT_FALSE(ClosePosted());
  Press({win::PAD_DOWN, win::PAD_A});
  EXPECT_EQ(std::tuple(Screen.Mode, Screen.LevelIntro), std::tuple(gmPlay, 1));
}

TEST_P(PadTest, SettingsSlidersMoveByLeftAndRightAndBackReturns) {
  Press({win::PAD_A, win::PAD_DOWN, win::PAD_DOWN, win::PAD_A});
  ASSERT_EQ(Screen.Mode, gmSettings);
  Press({win::PAD_DOWN, win::PAD_DOWN, win::PAD_LEFT});  // the second slider
  EXPECT_EQ(std::tuple(Settings.NauvrelExplBubbles, Settings.NauvrelBubbles),
            std::tuple(184u, 192u));
  Press({win::PAD_RIGHT, win::PAD_RIGHT});  // stops at the end
  EXPECT_EQ(Settings.NauvrelExplBubbles, 192u);
  Frame();
  // The highlight frames the slider's hit rectangle.
  const uint32_t white = Pixel(SliderLeft - 3, 140 - 3);
  EXPECT_EQ(white, Pixel(SliderRight + 2, 140 + SliderHeight + 2));
  EXPECT_NE(white, Pixel(SliderLeft - 3, 84 - 3));
  const bool sound = Settings.UseSound;
  Press({win::PAD_DOWN, win::PAD_DOWN, win::PAD_DOWN, win::PAD_DOWN, win::PAD_DOWN, win::PAD_A});
  EXPECT_NE(Settings.UseSound, sound);  // the sound button
  Press({win::PAD_B});
  EXPECT_EQ(Screen.Mode, gmMenu);
}

TEST_P(PadTest, InPlayAMinesBTorpedoesStartPauses) {
  StartGame();
  Press({win::PAD_X});  // ends the introduction
  ASSERT_EQ(Screen.LevelIntro, 0);
  World.Sub.x = 300;  // over the grid, where a mine can fall
  Press({win::PAD_A, win::PAD_TRIGGER});
  EXPECT_TRUE(World.Mine.y != 0 && World.Torpedo.row != -1);
  Press({win::PAD_START});
  EXPECT_TRUE(Screen.Mode == gmMenu && IsGameInProgress());
}

TEST_P(PadTest, TheNameIsEnteredFromTheLettersOnOffer) {
  StartGame();
  Key('A');
  World.BestScore = 500;
  GameOver();
  ASSERT_EQ(Screen.NameEntry, 1);
  EXPECT_EQ(PadLetter(), 0);  // nothing on offer until the controller is used
  // A; down and right: B; up twice: the space; up: Z, which B takes back.
  Press({win::PAD_A, win::PAD_DOWN, win::PAD_RIGHT, win::PAD_UP, win::PAD_UP, win::PAD_A,
         win::PAD_UP, win::PAD_A, win::PAD_B});
  EXPECT_STREQ(Screen.PlayerName, "AB ");
  EXPECT_EQ(PadLetter(), 'Z');
  Frame();
  Press({win::PAD_START});
  EXPECT_EQ(Screen.NameEntry, 0);
  EXPECT_STREQ(HiScores.Table[0].name, "AB ");
}

INSTANTIATE_TEST_SUITE_P(Depth32, PadTest, ::testing::Values(32), DepthName);

}  // namespace
