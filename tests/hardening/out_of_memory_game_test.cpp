// Memory running out in the middle of a game: the game closes its window and goes the
// usual way out, saving the settings and the table, without a message or a crash.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/shell.h"
#include "game/lists.h"
#include "game/world.h"
#include "persist/settings.h"
#include "platform/window/window.h"
#include "screens/modes.h"
#include "support/game_pictures.h"
#include "support/scripted_play.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

TEST(OutOfMemoryGame, ATrailBubbleThatCannotBeMadeEndsTheGameTheUsualWay) {
  IsolatedUserData data;
  InTempDir here;
  WriteGameArchive(GamePictureFiles(32), "Nauvrel.spl");
  win::testing::Reset();
  // The submarine's trail then asks for bubbles, and after 40 of them memory is gone.
  ScheduleNewGame();
  Schedule(100000, win::WM_CLOSE);  // never reached
  Settings = SettingsState{};
  AllocationFaults.budget[static_cast<int>(RecordKind::Bubble)] = 40;

  const int exitCode = WinMain("--no-sound --no-cd-music --windowed");
  const int left = AllocationFaults.budget[static_cast<int>(RecordKind::Bubble)];
  AllocationFaults = {};
  EXPECT_EQ(exitCode, 0);
  EXPECT_EQ(win::testing::ScheduledMessages(), 1u);  // it ended before the close came
  EXPECT_TRUE(win::testing::MessageBoxes().empty());
  EXPECT_EQ(Screen.Mode, gmPlay);
  EXPECT_EQ(World.Sub.DyingState, 0);  // the game did not end by losing
  EXPECT_EQ(left, 0);                  // every bubble memory allowed was made
  EXPECT_TRUE(fs::exists(data.dir.path / "HalvoTeam/Nauvrel/HKEY_CURRENT_USER.reg"));
  EXPECT_TRUE(fs::exists(data.dir.path / "HalvoTeam/Nauvrel/HKEY_LOCAL_MACHINE.reg"));
  FreeFloaters();
  FreeFallers();
  FreeBubbles();
}

}  // namespace
