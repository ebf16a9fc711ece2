// Settings and hi-scores that cannot be written at exit: the game says so and ends, and
// the files it could not replace keep every byte, for the next run to read. That a later
// write changes only its own value is the registry's tests'.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "app/shell.h"
#include "persist/hiscore.h"
#include "persist/settings.h"
#include "platform/window/window.h"
#include "support/files.h"
#include "support/game_pictures.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

class UnwritableRegistry : public ::testing::Test {
 protected:
  void SetUp() override { WriteGameArchive(GamePictureFiles(32), "Nauvrel.spl"); }

  // The game from its start to a close a few frames later; its exit code.
  static int RunToClose() {
    win::testing::Reset();
    win::testing::ScheduleMessage(5, win::MSG{nullptr, win::WM_CLOSE, 0, 0});
    Settings = SettingsState{};
    HiScores = HiScoreState{};
    return WinMain("--no-sound --no-cd-music --windowed");
  }

  fs::path Hive(const char* name) const { return data.dir.path / "HalvoTeam/Nauvrel" / name; }

  IsolatedUserData data;
  InTempDir here;
};

TEST_F(UnwritableRegistry, AFailedSaveAtExitIsReportedAndLosesNothing) {
  ASSERT_EQ(RunToClose(), 0);
  const fs::path user = Hive("HKEY_CURRENT_USER.reg");
  const fs::path machine = Hive("HKEY_LOCAL_MACHINE.reg");
  ASSERT_TRUE(fs::exists(user) && fs::exists(machine));
  // A player's own setting, and a value of another program's in the same file.
  std::string text = ReadFile(user);
  const size_t at = text.find("\"NauvrelBubbles\"=dword:000000c0");
  ASSERT_NE(at, std::string::npos) << text;
  text.replace(at, 31, "\"NauvrelBubbles\"=dword:00000050\n\"Other\"=\"kept\"");
  WriteFile(user, text);
  const std::string userBefore = ReadFile(user), machineBefore = ReadFile(machine);

  // Where each new file would be written first stands a folder: no process, whatever its
  // rights, can replace either file now.
  for (const fs::path& hive : {user, machine}) fs::create_directory(hive.string() + ".tmp");
  EXPECT_EQ(RunToClose(), 0);
  EXPECT_EQ(win::testing::MessageBoxes(), (std::vector<std::string>{"RegSetValueEx: NauvrelBubbles",
                                                                    "hisSaveData: RegSetValueEx"}));
  // What was read was used.
  EXPECT_EQ(std::tuple(ReadFile(user), ReadFile(machine), Settings.NauvrelBubbles),
            std::tuple(userBefore, machineBefore, 0x50u));
}

}  // namespace
