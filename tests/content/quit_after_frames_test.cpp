// NAUVREL_QUIT_AFTER_FRAMES=N ends the game by itself once N frames have been presented,
// through the ordinary way out; that other values leave it running is shown with the
// game's start at every depth.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "game_process.h"
#include "support/temp_dir.h"

namespace {

// The frames a demo file holds: its records after the header, each a tag and its fields.
int FramesInDemo(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
  constexpr size_t Header = 8 + 4 + 4 + 6 * 4 + 1 + 720;
  if (bytes.size() < Header || std::memcmp(bytes.data(), "NVRLDEMO", 8) != 0) return -1;
  int frames = 0;
  for (size_t at = Header; at < bytes.size();) {
    switch (bytes[at++]) {
      case 'F':
        ++frames;
        break;
      case 'T':
        at += 4;
        break;
      case 'M':
        at += 4 + 8 + 8;
        break;
      case 'E':
        at += 2 + 4 + 8;
        break;
      default:
        return -1;
    }
  }
  return frames;
}

TEST(QuitAfterFrames, TheGameEndsAfterThatManyPresentedFramesAndSaves) {
  TempDir data;
  const auto demo = data.path / "run.demo";
  const pid_t child = StartGame(data.path, "3", {"--no-cd-music", "--record", demo.string()});
  ASSERT_GT(child, 0);
  int status = 0;
  if (!Ended(child, std::chrono::seconds(30), status)) {
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    FAIL() << "the game did not end by itself";
  }
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(FramesInDemo(demo), 3);
  EXPECT_TRUE(std::filesystem::exists(SavedRegistry(data.path)));
}

}  // namespace
