// The display taken away between two frames (another program went full screen, the
// session was locked): in every mode the next frame restores every surface and shows
// exactly what the last one showed.
#include <cstdio>
#include <string>
#include <vector>

#include "app/init.h"
#include "fs/file_system.h"
#include "game/world.h"
#include "game_folder.h"
#include "persist/settings.h"
#include "screens/modes.h"
#include "support/game_window.h"
#include "video/video.h"

namespace {

class LostDisplay : public GameFolder, public ::testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    Prepare(GetParam());
    ASSERT_TRUE(OpenQuietWindow());
    const int depth = GetParam();
    Switches = ReadSwitches(depth == 32 ? "--no-sound --no-cd-music"
                                        : "--no-sound --no-cd-music --use-" +
                                              std::to_string(depth) + "-bit-colors");
    Settings = SettingsState{};
    World = WorldState{};
    Screen = ScreenState{};
    ASSERT_TRUE(sysInit());
    Shell.AppActive = true;
    dd::testing::KeepPresentedFrames(true);
  }
  void TearDown() override {
    dd::testing::KeepPresentedFrames(false);
    FreeFloaters();
    FreeFallers();
    FreeBubbles();
    sysReleaseAll();
    EXPECT_FALSE(Video.ddObject || Video.PrimarySurface || FileSystem.Files);
    EXPECT_FALSE(dd::testing::HasRenderer());  // the window's renderer goes with the display
    CloseQuietWindow();
  }

  // One frame as it is, one after the display was lost: both presented, and the same.
  static void LoseBetweenTwoFrames(const char* what) {
    ASSERT_TRUE(RenderFrame()) << what;
    const std::vector<uint32_t> before = dd::testing::PresentedFrame();
    ASSERT_EQ(before.size(), 800u * 600u) << what;
    dd::testing::LoseAllSurfaces();
    const int flips = dd::testing::FlipCount();
    ASSERT_TRUE(RenderFrame()) << what;
    EXPECT_EQ(dd::testing::FlipCount(), flips + 1) << what;
    for (const dd::Surface* surface : {Video.PrimarySurface.get(), Video.ddsMenuBckg.get(),
                                       Video.ddsGame.get(), Video.ddsFont.get()}) {
      ASSERT_TRUE(surface) << what;
      EXPECT_FALSE(dd::Failed(surface->IsLost())) << what;
    }
    EXPECT_TRUE(dd::testing::PresentedFrame() == before)
        << what << ": the frame after the loss differs";
    EXPECT_TRUE(win::testing::MessageBoxes().empty()) << what;
  }
};

// Every screen, then a level: its introduction, play with its grid and texts, the name entry.
TEST_P(LostDisplay, EveryScreenComesBackAsItWas) {
  for (const GameMode mode : {gmLogo, gmMenu, gmHiScore, gmHelp1, gmHelp2, gmHelp3, gmSettings}) {
    ASSERT_TRUE(SetGameMode(mode));
    LoseBetweenTwoFrames(std::to_string(mode).c_str());
  }
  ASSERT_TRUE(NewGame());
  ASSERT_TRUE(Screen.Mode == gmPlay && Screen.LevelIntro);
  LoseBetweenTwoFrames("level introduction");
  Screen.LevelIntro = 0;
  World.Score = 1234;
  ASSERT_TRUE(CreateFloater(4, 3));
  ASSERT_TRUE(CreateBubble(300, 300, 0, 0));
  LoseBetweenTwoFrames("play");
  Screen.NameEntry = 1;
  std::snprintf(Screen.PlayerName, sizeof Screen.PlayerName, "DIVER");
  Screen.PlayerNameLength = 5;
  LoseBetweenTwoFrames("name entry");
}

INSTANTIATE_TEST_SUITE_P(Depths, LostDisplay, ::testing::Values(8, 16, 32));

}  // namespace
