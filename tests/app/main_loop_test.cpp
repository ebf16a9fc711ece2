// The whole program in this process, headless: it starts, runs its frames and quits.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "app/shell.h"
#include "platform/window.h"
#include "support/game_pictures.h"
#include "support/temp_dir.h"

namespace {

win::MSG Key(uint16_t vk) { return win::MSG{nullptr, win::WM_KEYDOWN, vk, 1}; }

// The game runs in a folder of its own with an archive of test pictures.
class MainLoop : public ::testing::Test {
 protected:
  IsolatedUserData data;
  InTempDir here;
  void SetUp() override { WriteGameArchive(GamePictureFiles(32), "Nauvrel.spl"); }
};

}  // namespace

TEST_F(MainLoop, QuitsWithExitCodeZeroOnF12AfterRunningFrames) {
  win::testing::ScheduleMessage(25, Key(win::VK_F12));
  EXPECT_EQ(WinMain("--no-sound"), 0);
  // The key arrives only after 25 idle turns, each of which simulated and drew a frame.
  EXPECT_EQ(win::testing::ScheduledMessages(), 0u);
  EXPECT_EQ(win::MainWindow(), nullptr);
}

TEST_F(MainLoop, QuitsWithExitCodeZeroWhenTheWindowIsClosed) {
  win::testing::ScheduleMessage(10, win::MSG{nullptr, win::WM_CLOSE, 0, 0});
  EXPECT_EQ(WinMain("--no-sound --no-cd-music"), 0);
  EXPECT_EQ(win::MainWindow(), nullptr);
}

TEST_F(MainLoop, PausesWhileInactiveAndResumesOnActivation) {
  // Deactivated, the loop blocks on the queue: the scheduled activation is delivered only
  // because nothing else is waiting, and F12 then needs fresh idle turns.
  win::testing::ScheduleMessage(5, win::MSG{nullptr, win::WM_ACTIVATEAPP, 0, 0});
  win::testing::ScheduleMessage(0, win::MSG{nullptr, win::WM_ACTIVATEAPP, 1, 0});
  win::testing::ScheduleMessage(5, Key(win::VK_F12));
  EXPECT_EQ(WinMain("--no-sound"), 0);
  EXPECT_TRUE(Shell.AppActive);
}

TEST_F(MainLoop, TheProgramEndsCleanlyOnTermination) {
  const std::filesystem::path program = std::filesystem::path(NAUVREL_BINARY_DIR) / "nauvrel";
  ASSERT_TRUE(std::filesystem::exists(program));
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    execl(program.c_str(), "nauvrel", "--no-sound", static_cast<char*>(nullptr));
    _exit(127);
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));
  kill(child, SIGTERM);  // SDL turns it into a quit request: the close path
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
}
