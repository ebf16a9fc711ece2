// The display taken away between two frames: in every mode the next frame restores every
// surface and shows exactly what the last one showed.
#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

#include "app/init.h"
#include "game/world.h"
#include "game_folder.h"
#include "persist/settings.h"
#include "screens/modes.h"
#include "support/game_window.h"

namespace {

class LostDisplay : public GameFolder, public ::testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    Prepare(GetParam());
    ASSERT_TRUE(OpenQuietWindow());
    // There is no 32-bit switch: the default depth reads it as nothing.
    Switches = ReadSwitches("--no-sound --no-cd-music --use-" + std::to_string(GetParam()) +
                            "-bit-colors");
    std::tie(Settings, World, Screen) = std::tuple(SettingsState{}, WorldState{}, ScreenState{});
    ASSERT_TRUE(sysInit());
    Shell.AppActive = true;
    dd::testing::KeepPresentedFrames(true);
  }
  void TearDown() override {
    dd::testing::KeepPresentedFrames(false);
    FreeFloaters(), FreeFallers(), FreeBubbles();
    sysReleaseAll();
    EXPECT_FALSE(dd::testing::HasRenderer());  // the window's renderer goes with the display
    CloseQuietWindow();
  }

  // One frame as it is, one after every surface was blanked: both presented, and the same.
  static void LoseBetweenTwoFrames(const std::string& what) {
    SCOPED_TRACE(what);
    ASSERT_TRUE(RenderFrame());
    const std::vector<uint32_t> before = dd::testing::PresentedFrame();
    ASSERT_EQ(before.size(), 800u * 600u);
    dd::testing::LoseAllSurfaces();
    const int flips = dd::testing::FlipCount();
    ASSERT_TRUE(RenderFrame());
    EXPECT_EQ(dd::testing::FlipCount(), flips + 1);
    EXPECT_TRUE(dd::testing::PresentedFrame() == before) << "the frame after the loss differs";
    EXPECT_TRUE(win::testing::MessageBoxes().empty());
  }
};

// Every screen, then a level: its introduction, play with its grid and texts, the name entry.
TEST_P(LostDisplay, EveryScreenComesBackAsItWas) {
  for (const GameMode mode : {gmLogo, gmMenu, gmHiScore, gmHelp1, gmHelp2, gmHelp3, gmSettings}) {
    ASSERT_TRUE(SetGameMode(mode));
    LoseBetweenTwoFrames(std::to_string(mode));
  }
  ASSERT_TRUE(NewGame());
  ASSERT_TRUE(Screen.Mode == gmPlay && Screen.LevelIntro);
  LoseBetweenTwoFrames("level introduction");
  std::tie(Screen.LevelIntro, World.Score) = std::tuple(0, 1234);
  ASSERT_TRUE(CreateFloater(4, 3));
  ASSERT_TRUE(CreateBubble(300, 300, 0, 0));
  LoseBetweenTwoFrames("play");
  std::tie(Screen.NameEntry, Screen.PlayerNameLength) = std::tuple(1, 5);
  std::snprintf(Screen.PlayerName, sizeof Screen.PlayerName, "DIVER");
  LoseBetweenTwoFrames("name entry");
}

INSTANTIATE_TEST_SUITE_P(Depths, LostDisplay, ::testing::Values(8, 16, 32));

}  // namespace
