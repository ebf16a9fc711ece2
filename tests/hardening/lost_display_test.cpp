// The display taken away between two frames (another program went full screen, the
// session was locked): in every mode the next frame restores every surface and shows
// exactly what the last one showed.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/init.h"
#include "app/shell.h"
#include "fs/file_system.h"
#include "game/world.h"
#include "persist/settings.h"
#include "screens/modes.h"
#include "support/game_pictures.h"
#include "support/game_window.h"
#include "support/temp_dir.h"
#include "video/video.h"

namespace {

const char* DepthSwitch(int depth) {
  return depth == 8 ? "--use-8-bit-colors" : depth == 16 ? "--use-16-bit-colors" : "";
}

class LostDisplay : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    WriteGameArchive(GamePictureFiles(GetParam()), "Nauvrel.spl");
    win::testing::Reset();
    ASSERT_TRUE(OpenQuietWindow());
    Switches = ReadSwitches(std::string("--no-sound --no-cd-music ") + DepthSwitch(GetParam()));
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
    const std::vector<uint32_t>& after = dd::testing::PresentedFrame();
    size_t differing = 0;
    for (size_t i = 0; i < before.size(); ++i) differing += before[i] != after[i];
    EXPECT_EQ(differing, 0u) << what << ": the frame after the loss differs";
    EXPECT_TRUE(win::testing::MessageBoxes().empty()) << what;
  }

  InTempDir here;
  IsolatedUserData data;
};

TEST_P(LostDisplay, EveryScreenComesBackAsItWas) {
  const struct {
    GameMode mode;
    const char* name;
  } screens[] = {{gmLogo, "logo"},        {gmMenu, "menu"},    {gmHiScore, "hi-scores"},
                 {gmHelp1, "help 1"},     {gmHelp2, "help 2"}, {gmHelp3, "help 3"},
                 {gmSettings, "settings"}};
  for (const auto& screen : screens) {
    ASSERT_TRUE(SetGameMode(screen.mode)) << screen.name;
    LoseBetweenTwoFrames(screen.name);
  }
}

TEST_P(LostDisplay, APlayedLevelComesBackWithItsGridAndTexts) {
  ASSERT_TRUE(NewGame());
  ASSERT_EQ(Screen.Mode, gmPlay);
  ASSERT_TRUE(Screen.LevelIntro);
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

INSTANTIATE_TEST_SUITE_P(Depths, LostDisplay, ::testing::Values(8, 16, 32),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return "Depth" + std::to_string(info.param);
                         });

}  // namespace
