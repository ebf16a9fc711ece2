// The whole start-up on a real (headless) window: a frame drawn, flipped, and the exit.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/init.h"
#include "app/shell.h"
#include "fs/file_system.h"
#include "support/game_pictures.h"
#include "support/game_window.h"
#include "support/temp_dir.h"
#include "video/video.h"

namespace {

TEST(EndToEnd, StartsDrawsAFrameFlipsItAndReleasesEverything) {
  InTempDir here;
  WriteGameArchive(GamePictureFiles(32), "Nauvrel.spl");
  win::testing::Reset();
  ASSERT_TRUE(OpenQuietWindow());
  Switches = ReadSwitches("--no-sound --no-cd-music");

  ASSERT_TRUE(sysInit());
  dd::testing::KeepPresentedFrames(true);
  const int flips = dd::testing::FlipCount();
  dd::Surface& back = *Video.BackBuffer;
  ASSERT_EQ(back.BltFast(0, 0, Video.ddsMenuBckg.get(), nullptr, dd::DDBLTFAST_WAIT), dd::DD_OK);
  ASSERT_EQ(back.BltFast(100, 50, Video.ddsGame.get(), nullptr,
                         dd::DDBLTFAST_SRCCOLORKEY | dd::DDBLTFAST_WAIT),
            dd::DD_OK);
  ASSERT_TRUE(sysTextBox("1"));
  const uint32_t menu = back.PixelRGB(5, 5), game = back.PixelRGB(400, 130);
  const uint32_t keyedOut = back.PixelRGB(100, 50);  // the key corner shows the menu
  ASSERT_EQ(Video.PrimarySurface->Flip(nullptr, dd::DDFLIP_WAIT), dd::DD_OK);

  EXPECT_EQ(dd::testing::FlipCount(), flips + 1);
  const auto& frame = dd::testing::PresentedFrame();
  ASSERT_EQ(frame.size(), 800u * 600u);
  EXPECT_EQ(frame[5 * 800 + 5], menu);
  EXPECT_EQ(frame[130 * 800 + 400], game);
  EXPECT_EQ(frame[50 * 800 + 100], keyedOut);
  EXPECT_EQ(keyedOut, Video.ddsMenuBckg->PixelRGB(100, 50));
  EXPECT_EQ(frame[300 * 800 + 391], 0x000064u);  // the text box's dark blue
  dd::testing::KeepPresentedFrames(false);

  sysReleaseAll();
  EXPECT_FALSE(Video.ddObject || Video.PrimarySurface || FileSystem.Files);
  EXPECT_FALSE(dd::testing::HasRenderer());
  CloseQuietWindow();
  EXPECT_TRUE(win::testing::MessageBoxes().empty());
}

TEST(EndToEnd, TheProgramStartsRunsFramesAndQuitsOnClose) {
  InTempDir here;
  IsolatedUserData data;
  WriteGameArchive(GamePictureFiles(32), "Nauvrel.spl");
  win::testing::Reset();
  win::testing::ScheduleMessage(5, win::MSG{nullptr, win::WM_CLOSE, 0, 0});
  EXPECT_EQ(WinMain("--no-sound --no-cd-music --windowed"), 0);
  EXPECT_EQ(win::testing::ScheduledMessages(), 0u);  // frames ran until the close came
  EXPECT_TRUE(win::testing::MessageBoxes().empty());
  EXPECT_FALSE(Video.ddObject || Video.PrimarySurface);
}

}  // namespace
