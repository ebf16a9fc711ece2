// The whole program on a real (headless) window: it starts, runs frames and quits on close.
// Start-up with the window at every depth, and its release, is in hardening/lost_display.
#include <gtest/gtest.h>

#include "app/shell.h"
#include "support/game_pictures.h"
#include "support/temp_dir.h"
#include "video/video.h"

namespace {

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
