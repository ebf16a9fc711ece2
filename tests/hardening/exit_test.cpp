// Runs that end on a failure at their end or on the way: the usual way out, without a crash,
// and the files that could not be written kept whole.
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "game/lists.h"
#include "game/world.h"
#include "game_folder.h"
#include "persist/hiscore.h"
#include "persist/settings.h"
#include "screens/modes.h"
#include "support/files.h"
#include "support/scripted_play.h"

namespace fs = std::filesystem;

namespace {

struct Exit : GameFolder {
  static int Run() {
    Settings = SettingsState{};
    HiScores = HiScoreState{};
    return WinMain("--no-sound --no-cd-music --windowed");
  }
  fs::path Hive(const char* name) const { return data.dir.path / "HalvoTeam/Nauvrel" / name; }
};

TEST_F(Exit, ATrailBubbleThatCannotBeMadeEndsTheGameTheUsualWay) {
  // The submarine's trail then asks for bubbles, and after 40 of them memory is gone.
  ScheduleNewGame();
  Schedule(100000, win::WM_CLOSE);  // never reached
  AllocationFaults.budget[static_cast<int>(RecordKind::Bubble)] = 40;
  const int exitCode = Run();
  const int left = AllocationFaults.budget[static_cast<int>(RecordKind::Bubble)];
  AllocationFaults = {};
  // It ended before the close came, not by losing, once every bubble allowed was made.
  EXPECT_EQ(
      std::tuple(exitCode, win::testing::ScheduledMessages(), win::testing::MessageBoxes().size(),
                 Screen.Mode, World.Sub.DyingState, left),
      std::tuple(0, 1u, 0u, gmPlay, 0, 0));
  FreeFloaters(), FreeFallers(), FreeBubbles();
}

// Settings and hi-scores that cannot be written at exit: the game says so and ends, and the
// files it could not replace keep every byte.
TEST_F(Exit, AFailedSaveAtExitIsReportedAndLosesNothing) {
  const auto runToClose = [] {
    win::testing::Reset();
    Schedule(5, win::WM_CLOSE);
    return Run();
  };
  ASSERT_EQ(runToClose(), 0);
  const fs::path user = Hive("HKEY_CURRENT_USER.reg"), machine = Hive("HKEY_LOCAL_MACHINE.reg");
  const std::string userBefore = ReadFile(user), machineBefore = ReadFile(machine);
  ASSERT_FALSE(userBefore.empty() || machineBefore.empty());
  // A folder where each new file would be written first: no process can replace either now.
  for (const fs::path& hive : {user, machine}) fs::create_directory(hive.string() + ".tmp");
  EXPECT_EQ(runToClose(), 0);
  EXPECT_EQ(win::testing::MessageBoxes(), (std::vector<std::string>{"RegSetValueEx: NauvrelBubbles",
                                                                    "hisSaveData: RegSetValueEx"}));
  EXPECT_EQ(std::tuple(ReadFile(user), ReadFile(machine)), std::tuple(userBefore, machineBefore));
}

}  // namespace
