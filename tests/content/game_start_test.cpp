// The built game starts with the archive the build made, at every depth, and runs until it
// is asked to quit: NAUVREL_QUIT_AFTER_FRAMES ends it only when it is a positive number
// (the install test runs it so), and SDL turns SIGTERM into a quit request. It then ends
// through the ordinary way out, saving on the way; a start-up failure would end it at once.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

// Headless, in the build folder, its registry files under `data`.
pid_t StartGame(const fs::path& data, const char* quitAfter, const char* depth) {
  const std::string program = (fs::path(NAUVREL_BINARY_DIR) / "nauvrel").string();
  const pid_t child = fork();
  if (child != 0) return child;
  setenv("XDG_DATA_HOME", data.c_str(), 1);
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  if (quitAfter)
    setenv("NAUVREL_QUIT_AFTER_FRAMES", quitAfter, 1);
  else
    unsetenv("NAUVREL_QUIT_AFTER_FRAMES");
  if (chdir(NAUVREL_BINARY_DIR) != 0) _exit(126);
  execl(program.c_str(), "nauvrel", depth, static_cast<char*>(nullptr));
  _exit(127);
}

bool EndsWithin(pid_t child, std::chrono::milliseconds limit, int& status) {
  for (const auto until = std::chrono::steady_clock::now() + limit;
       std::chrono::steady_clock::now() < until;
       std::this_thread::sleep_for(std::chrono::milliseconds(20)))
    if (waitpid(child, &status, WNOHANG) == child) return true;
  return false;
}

TEST(BuiltArchive, TheGameRunsAtEveryDepthUntilItIsAskedToQuit) {
  ASSERT_TRUE(fs::exists(fs::path(NAUVREL_BINARY_DIR) / "Nauvrel.spl"));
  const struct {
    const char* depth;      // null: 32 bits
    const char* quitAfter;  // null: unset
  } runs[] = {{nullptr, nullptr},
              {"--use-16-bit-colors", "0"},
              {"--use-8-bit-colors", "-2"},
              {nullptr, "soon"}};
  for (const auto& run : runs) {
    SCOPED_TRACE(std::string(run.depth ? run.depth : "32 bits") + " quit after " +
                 (run.quitAfter ? run.quitAfter : "unset"));
    TempDir data;
    const pid_t child = StartGame(data.path, run.quitAfter, run.depth);
    ASSERT_GT(child, 0);
    int status = 0;
    EXPECT_FALSE(EndsWithin(child, std::chrono::milliseconds(1500), status)) << "it ended";
    kill(child, SIGTERM);
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_TRUE(fs::exists(data.path / "HalvoTeam/Nauvrel/HKEY_LOCAL_MACHINE.reg"));
  }
}

}  // namespace
