// The game starts with the archive the build made, at every depth, runs until it is asked
// to quit (NAUVREL_QUIT_AFTER_FRAMES unless a positive number does not end it) and ends
// cleanly, saving on the way out.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include "game_process.h"
#include "support/temp_dir.h"

TEST(BuiltArchive, TheGameRunsAtEveryDepthUntilItIsAskedToQuit) {
  ASSERT_TRUE(std::filesystem::exists(std::filesystem::path(NAUVREL_BINARY_DIR) / "Nauvrel.spl"));
  struct Run {
    const char* depth;
    const char* quitAfter;
  };
  for (const Run& run : {Run{nullptr, nullptr}, Run{"--use-16-bit-colors", "0"},
                         Run{"--use-8-bit-colors", "-2"}, Run{nullptr, "soon"}}) {
    SCOPED_TRACE(std::string(run.depth ? run.depth : "32 bits") + " quit after " +
                 (run.quitAfter ? run.quitAfter : "unset"));
    TempDir data;
    const pid_t child =
        StartGame(data.path, run.quitAfter,
                  run.depth ? std::vector<std::string>{run.depth} : std::vector<std::string>{});
    ASSERT_GT(child, 0);
    // A start-up failure ends the program at once with exit code 0 and a message; a
    // running game is still there to be asked to quit. SDL turns SIGTERM into a quit
    // request: the close path.
    int status = 0;
    ASSERT_FALSE(Ended(child, std::chrono::milliseconds(1500), status)) << "it ended by itself";
    kill(child, SIGTERM);
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_TRUE(std::filesystem::exists(SavedRegistry(data.path)));
  }
}
