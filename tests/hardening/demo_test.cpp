// A recorded game replays to the same end, and bad demo files are refused.
#include "app/demo.h"

#include <filesystem>
#include <string>

#include "game_folder.h"
#include "support/command.h"
#include "support/files.h"
#include "support/scripted_play.h"

namespace fs = std::filesystem;

namespace {

using DemoTest = GameFolder;
std::string Program() { return (fs::path(NAUVREL_BINARY_DIR) / "nauvrel").string(); }

std::string Line(const std::string& text, const std::string& start) {
  const size_t at = text.find(start);
  return at == std::string::npos ? "" : text.substr(at, text.find('\n', at) - at);
}

}  // namespace

TEST_F(DemoTest, ARecordedGameReplaysHeadlessToTheSameEnd) {
  ScheduleNewGame();
  for (int i = 0; i < 20; ++i) {  // mines and torpedoes
    ScheduleKey(15, win::VK_SPACE);
    ScheduleKey(10, win::VK_CONTROL);
  }
  ScheduleKey(5, win::VK_F12);
  testing::internal::CaptureStdout();
  ASSERT_EQ(WinMain("--no-sound --record game.dem"), 0);  // F12 quits, the window closed
  EXPECT_TRUE(win::testing::ScheduledMessages() == 0 && !win::MainWindow());
  const std::string recorded = Line(testing::internal::GetCapturedStdout(), "recorded:");
  ASSERT_FALSE(recorded.empty());

  const std::string out = RunCommand("SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy " + Program() +
                                     " --no-sound --replay game.dem")
                              .output;
  EXPECT_EQ(Line(out, "replay:"), "replay:" + recorded.substr(9)) << out;
  EXPECT_EQ(out.find("went another way"), std::string::npos) << out;
}

TEST_F(DemoTest, DamagedFilesAndOtherVersionsAreRefusedWithAMessage) {
  const auto refuse = [&](const std::string& bytes, const std::string& why) {
    WriteFile("bad.dem", bytes);
    const CommandResult run =
        RunCommand("SDL_VIDEODRIVER=dummy " + Program() + " --no-sound --replay bad.dem");
    EXPECT_NE(run.output.find(why), std::string::npos) << run.output;
    EXPECT_EQ(run.status, 1) << run.output;
  };
  refuse("", "not a demo file");
  refuse(std::string("NVRLDEMO\x07\0\0\0", 12), "another version");
  refuse(std::string("NVRLDEMO\x01\0\0\0\x01\x02", 14), "damaged");
  const std::string missing = RunCommand(Program() + " --replay").output;
  EXPECT_NE(missing.find("needs a file name"), std::string::npos) << missing;
}
