// NAUVREL_QUIT_AFTER_FRAMES=N ends the game by itself once N frames have been presented,
// through the ordinary way out; anything but a positive number leaves it running.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>
#include <vector>

#include "support/temp_dir.h"

namespace {

pid_t StartGame(const TempDir& data, const char* quitAfter, const std::string& demo) {
  const std::string program = (std::filesystem::path(NAUVREL_BINARY_DIR) / "nauvrel").string();
  const pid_t child = fork();
  if (child != 0) return child;
  setenv("XDG_DATA_HOME", data.path.c_str(), 1);
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  setenv("NAUVREL_QUIT_AFTER_FRAMES", quitAfter, 1);
  if (chdir(NAUVREL_BINARY_DIR) != 0) _exit(126);
  execl(program.c_str(), "nauvrel", "--no-cd-music", "--record", demo.c_str(),
        static_cast<char*>(nullptr));
  _exit(127);
}

// Waits up to `limit` for the child; false when it is still running.
bool Ended(pid_t child, std::chrono::milliseconds limit, int& status) {
  const auto until = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < until) {
    if (waitpid(child, &status, WNOHANG) == child) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

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
  const pid_t child = StartGame(data, "3", demo.string());
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
  EXPECT_TRUE(std::filesystem::exists(data.path / "HalvoTeam/Nauvrel/HKEY_LOCAL_MACHINE.reg"));
}

TEST(QuitAfterFrames, ZeroOrTextKeepsTheGameRunning) {
  for (const char* value : {"0", "-2", "soon"}) {
    TempDir data;
    const pid_t child = StartGame(data, value, (data.path / "run.demo").string());
    ASSERT_GT(child, 0);
    int status = 0;
    EXPECT_FALSE(Ended(child, std::chrono::milliseconds(1500), status)) << value;
    kill(child, SIGTERM);
    waitpid(child, &status, 0);
  }
}

}  // namespace
