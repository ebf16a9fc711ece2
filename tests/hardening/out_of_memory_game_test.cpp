// Memory running out in the middle of a game: the game closes its window and goes the
// usual way out, saving the settings and the table, without a message or a crash.
#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

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
  // It ended before the close came, not by losing, once every bubble allowed was made.
  EXPECT_EQ(
      std::tuple(exitCode, win::testing::ScheduledMessages(), win::testing::MessageBoxes().size(),
                 Screen.Mode, World.Sub.DyingState, left),
      std::tuple(0, 1u, 0u, gmPlay, 0, 0));
  for (const char* hive : {"HKEY_CURRENT_USER.reg", "HKEY_LOCAL_MACHINE.reg"})
    EXPECT_TRUE(fs::exists(data.dir.path / "HalvoTeam/Nauvrel" / hive)) << hive;
  FreeFloaters();
  FreeFallers();
  FreeBubbles();
}

}  // namespace
