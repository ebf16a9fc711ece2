// The game starts with the archive the build made, at every depth, and ends cleanly.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "support/temp_dir.h"

TEST(BuiltArchive, TheGameStartsHeadlessAtThirtyTwoSixteenAndEightBits) {
  const std::filesystem::path program = std::filesystem::path(NAUVREL_BINARY_DIR) / "nauvrel";
  ASSERT_TRUE(std::filesystem::exists(std::filesystem::path(NAUVREL_BINARY_DIR) / "Nauvrel.spl"));
  for (const char* depth : {"", "--use-16-bit-colors", "--use-8-bit-colors"}) {
    TempDir data;
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      setenv("XDG_DATA_HOME", data.path.c_str(), 1);
      setenv("SDL_VIDEODRIVER", "dummy", 1);
      setenv("SDL_AUDIODRIVER", "dummy", 1);
      if (chdir(NAUVREL_BINARY_DIR) != 0) _exit(126);
      execl(program.c_str(), "nauvrel", depth, static_cast<char*>(nullptr));
      _exit(127);
    }
    // A start-up failure ends the program at once with exit code 0 and a message; a
    // running game is still there to be asked to quit.
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    ASSERT_EQ(waitpid(child, nullptr, WNOHANG), 0) << "the game ended by itself at " << depth;
    kill(child, SIGTERM);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << depth;
    // Settings and the table were saved on the way out.
    EXPECT_TRUE(std::filesystem::exists(data.path / "HalvoTeam/Nauvrel/HKEY_LOCAL_MACHINE.reg"));
  }
}
