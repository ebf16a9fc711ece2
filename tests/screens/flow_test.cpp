// The screen flow, played through window messages and through a controller.
#include <cstring>
#include <initializer_list>
#include <string>
#include <tuple>

#include "driver.h"
#include "game/simulation.h"
#include "screens/hit_rects.h"
#include "screens/pad.h"
#include "screens/transitions.h"

namespace {

class FlowTest : public ScreenTest {};

TEST_P(FlowTest, MenuHighlightFollowsTheMouseAndOffersContinueOnlyDuringAGame) {
  Key(win::VK_SPACE);  // off the logo
  // Where the mouse rests, with a game at that level or none; a pixel and whether it is lit.
  // Continue is dark with no game in progress; the settings item reaches past the
  // picture's highlight, the hi-score item does not.
  const std::tuple<uint16_t, uint16_t, uint16_t, int, int, bool> probes[] = {
      {10, 10, 3, ContinueX, ContinueY, false},  {NewGameX, NewGameY, 0, 597, 21, true},
      {ContinueX, ContinueY, 0, 600, 80, false}, {ContinueX, ContinueY, 3, 554, 65, true},
      {790, SettingsY, 3, 781, 136, true},       {790, 160, 3, 600, 160, false}};
  for (const auto& [mouseX, mouseY, level, x, y, lit] : probes) {
    World.Level = level;
    MainWndProc(nullptr, win::WM_MOUSEMOVE, 0, win::MAKELPARAM(mouseX, mouseY));
    Frame();
    EXPECT_EQ(Pixel(x, y), lit ? fixture::MenuSel : fixture::MenuBckg) << x << "," << y;
  }
}

// A click at (x, y), or the key x when y is 0: the mode, the menu clicks, whether it quits,
// the picture shown. Every change of screen clicks once and nothing else does; the menu and
// the pages show the arrow, play none, the logo leaves the cursor as it was.
TEST_P(FlowTest, EveryChangeOfScreenClicksOnceAndNothingElseDoes) {
  struct Action {
    const char* what;
    uint16_t x, y;
    GameMode mode;
    int clicks;
    bool quits = false;
    int picture = -1;
  };
  const Action actions[] = {
      {"F12 on the logo quits", win::VK_F12, 0, gmLogo, 0, true, fixture::LogoEntry},
      {"off the logo", 400, 300, gmMenu, 1},
      {"Enter", win::VK_RETURN, 0, gmMenu, 0},  // as any key but Escape
      {"beside the items", 790, 160, gmMenu, 0},
      {"no game to continue", ContinueX, ContinueY, gmMenu, 0},
      {"settings", 790, SettingsY, gmSettings, 1},
      {"Space", win::VK_SPACE, 0, gmSettings, 0},
      {"beside the controls", 10, 10, gmSettings, 0},
      {"Escape", win::VK_ESCAPE, 0, gmMenu, 1},
      {"hi-scores", 700, HiScoreY, gmHiScore, 1},
      {"a key", 'A', 0, gmMenu, 1},
      {"help", 700, 210, gmHelp1, 1, false, fixture::Help1Entry},
      {"Escape", win::VK_ESCAPE, 0, gmHelp2, 1, false, fixture::Help2Entry},
      {"a click", 1, 1, gmHelp3, 1, false, fixture::Help3Entry},
      {"a key", 'Z', 0, gmMenu, 1},
      {"Escape quits", win::VK_ESCAPE, 0, gmMenu, 1, true},
      {"quit", 700, 260, gmMenu, 1, true},
      {"new game", NewGameX, NewGameY, gmPlay, 1},
      {"past the introduction", win::VK_RETURN, 0, gmPlay, 1},
      {"a click in play", ContinueX, ContinueY, gmPlay, 0},
      {"a key in play", 'Q', 0, gmPlay, 0},
      {"the pause", win::VK_ESCAPE, 0, gmMenu, 0},
      {"continue", ContinueX, ContinueY, gmPlay, 1},
  };
  const win::HCURSOR logoCursor = win::CurrentCursor();
  ClosePosted();
  for (const Action& a : actions) {
    SCOPED_TRACE(a.what);
    const int before = MenuClicks();
    a.y == 0 ? Key(a.x) : Click(a.x, a.y);
    EXPECT_EQ(std::tuple(Screen.Mode, MenuClicks() - before, ClosePosted()),
              std::tuple(a.mode, a.clicks, a.quits));
    EXPECT_EQ(win::CurrentCursor(), a.mode == gmPlay   ? nullptr
                                    : a.mode == gmLogo ? logoCursor
                                                       : win::LoadArrowCursor());
    if (a.picture < 0) continue;
    Frame();
    const uint32_t picture = fixture::PictureValue(a.picture);
    EXPECT_TRUE(Pixel(400, 300) == picture && Pixel(799, 599) == picture);
  }
}

// The text boxes stand at 236, four lines high; the last row of each text line is a gap.
bool BoxReaches(int x) {
  return fixture::Pixel(x, 236 + 31) == Video.BackBuffer->MapColour(0, 0, 100);
}

// That the world waits under the text is the simulation's tests'.
TEST_P(FlowTest, IntroductionBoxFitsItsWidestLineUntilAKey) {
  StartGame();
  Frame();
  EXPECT_TRUE(BoxReaches(400) && Pixel(400, 235) == fixture::Background);
  // Nine digits of best score make the fourth line the widest, and the box with it.
  World.PointsNeeded = 1;
  World.BestScore = 123456789;
  Frame();
  EXPECT_TRUE(BoxReaches(100));

  Key(win::VK_ESCAPE);  // like any other key: ends the introduction, no pause
  EXPECT_EQ(std::tuple(Screen.LevelIntro, Screen.Mode), std::tuple(0, gmPlay));
  Frame();
  EXPECT_FALSE(BoxReaches(400));
}

// That the world stands meanwhile is the simulation's tests'; here the screens restart the
// clock, and an inactive game draws nothing.
TEST_P(FlowTest, PausedOrInactiveTheGameResumesWithoutAJump) {
  StartGame();
  Click(5, 5);  // a click ends the introduction too
  // Held this long, drawn or not meanwhile: the next 100 ms go as far as unheld ones.
  const std::tuple<int64_t, bool, void (*)(), void (*)()> holds[] = {
      {0, true, [] {}, [] {}},
      {60'000'000, true, [] { Key(win::VK_ESCAPE); }, [] { Click(ContinueX, ContinueY); }},
      {5'000'000, false, [] { MainWndProc(nullptr, win::WM_ACTIVATEAPP, 0, 0); },
       [] { MainWndProc(nullptr, win::WM_ACTIVATEAPP, 1, 0); }}};
  double step = 0;
  for (const auto& [pause, drawn, hold, resume] : holds) {
    hold();
    clock->AdvanceMicroseconds(pause);
    EXPECT_TRUE(SimulateFrame());
    const int flips = dd::testing::FlipCount();
    Frame();
    EXPECT_EQ(dd::testing::FlipCount() - flips, drawn ? 1 : 0) << pause;
    resume();
    const double from = World.Sub.x;
    clock->AdvanceMicroseconds(100'000);
    EXPECT_TRUE(SimulateFrame());
    if (step == 0) step = World.Sub.x - from;
    EXPECT_NEAR(World.Sub.x - from, step, 1e-9) << pause;
  }
  ASSERT_GT(step, 0);
  const int flips = dd::testing::FlipCount();
  Frame();  // active again, it draws
  EXPECT_EQ(dd::testing::FlipCount(), flips + 1);
}

// Letters and spaces only, up to the limit; neither a click nor the typing nor the Enter
// that stores the name clicks; the next entry starts with the name stored.
TEST_P(FlowTest, TheNameEntryTakesLettersUpToTheLimitSilentlyAndRemembersTheName) {
  LoseWithBestScore(700);
  const int clicks = MenuClicks();
  Click(400, 300);
  Keys({'E', 'V', 'P', win::VK_SPACE, '3', 0xBE, win::VK_F12, win::VK_ESCAPE, win::VK_CONTROL});
  EXPECT_EQ(std::tuple(std::string(Screen.PlayerName), Screen.PlayerNameLength),
            std::tuple("EVP ", 4));
  EXPECT_FALSE(ClosePosted());  // F12 types nothing and does not quit
  Keys({win::VK_BACK, win::VK_BACK, 'A'});
  Frame();
  EXPECT_TRUE(BoxReaches(130) && !BoxReaches(72));  // the prompt's 33 characters
  Key(win::VK_RETURN);
  EXPECT_EQ(std::tuple(MenuClicks(), Screen.NameEntry, Screen.Mode, IsGameInProgress()),
            std::tuple(clicks, 0, gmMenu, false));
  EXPECT_EQ(std::tuple(std::string(HiScores.Table[0].name), HiScores.Table[0].score),
            std::tuple("EVA", 700u));

  LoseWithBestScore(600);
  EXPECT_STREQ(Screen.PlayerName, "EVA");
  for (int i = 0; i < 6; ++i) Key(win::VK_BACK);
  EXPECT_EQ(std::tuple(std::string(Screen.PlayerName), Screen.PlayerNameLength), std::tuple("", 0));
  for (int i = 0; i < 45; ++i) Key(static_cast<uint16_t>('A' + i % 26));
  EXPECT_EQ(
      std::tuple(Screen.PlayerNameLength, std::strlen(Screen.PlayerName), Screen.PlayerName[38]),
      std::tuple(39, 39u, 'M'));
  Frame();
  EXPECT_TRUE(BoxReaches(72));  // a 40-character line widens the box to start at 70
}

INSTANTIATE_TEST_SUITE_P(Depth32, FlowTest, ::testing::Values(32), DepthName);

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

TEST_P(PadTest, InPlayAMinesBTorpedoesStartPauses) {
  StartGame();
  Press({win::PAD_X});  // ends the introduction
  World.Sub.x = 300;    // over the grid, where a mine can fall
  Press({win::PAD_A, win::PAD_TRIGGER});
  EXPECT_TRUE(World.Mine.y != 0 && World.Torpedo.row != -1);
  Press({win::PAD_START});
  EXPECT_TRUE(Screen.Mode == gmMenu && IsGameInProgress());
}

TEST_P(PadTest, TheNameIsEnteredFromTheLettersOnOffer) {
  LoseWithBestScore(500);
  EXPECT_EQ(PadLetter(), 0);  // nothing on offer until the controller is used
  // A; down and right: B; up twice: the space; up: Z, which B takes back.
  Press({win::PAD_A, win::PAD_DOWN, win::PAD_RIGHT, win::PAD_UP, win::PAD_UP, win::PAD_A,
         win::PAD_UP, win::PAD_A, win::PAD_B});
  EXPECT_EQ(PadLetter(), 'Z');
  Frame();
  Press({win::PAD_START});  // stores the name, as Enter does
  EXPECT_STREQ(HiScores.Table[0].name, "AB ");
}

INSTANTIATE_TEST_SUITE_P(Depth32, PadTest, ::testing::Values(32), DepthName);

}  // namespace
