// The whole program in this process, headless: it starts, runs its frames and quits.
#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

#include "hardening/game_folder.h"
#include "platform/display/ddraw.h"
#include "support/files.h"

namespace fs = std::filesystem;

namespace {

win::MSG Message(uint32_t message, win::WPARAM wParam = 0) {
  return win::MSG{nullptr, message, wParam, 0};
}

using MainLoop = GameFolder;

TEST_F(MainLoop, PausesWhileInactiveAndResumesOnActivation) {
  // Deactivated, the loop waits on the queue and draws nothing until the activation comes
  // from elsewhere; F12 needs five idle turns after it.
  const int flips = dd::testing::FlipCount();
  win::testing::ScheduleMessage(5, Message(win::WM_ACTIVATEAPP, 0));
  win::testing::ScheduleMessage(5, win::MSG{nullptr, win::WM_KEYDOWN, win::VK_F12, 1});
  std::atomic<bool> finished = false;
  std::thread activation([&] {
    // The deactivation comes after the fourth frame, the activation well after it; should
    // it still come first, the loop would wait for good: a second one lets it go on.
    using namespace std::chrono_literals;
    for (int waited = 0; dd::testing::FlipCount() - flips < 4 && waited < 30000; ++waited)
      std::this_thread::sleep_for(1ms);
    std::this_thread::sleep_for(300ms);
    for (int posts = 0; posts < 2 && !finished; ++posts) {
      win::PostMessage(nullptr, win::WM_ACTIVATEAPP, 1, 0);
      for (int waited = 0; waited < 10000 && !finished; ++waited) std::this_thread::sleep_for(1ms);
    }
  });
  EXPECT_EQ(WinMain("--no-sound"), 0);
  finished = true;
  activation.join();
  EXPECT_TRUE(Shell.AppActive);
  EXPECT_LE(dd::testing::FlipCount() - flips, 12);  // five idle turns before, five after
}

// A start-up that fails shows its one message and ends with status 1 before any frame: no
// archive (the folders looked in follow the message), no place for the settings.
TEST_F(MainLoop, AFailedStartEndsWithStatusOneAfterItsMessage) {
  const auto failedStart = [](const char* message) {
    SCOPED_TRACE(message);
    win::testing::Reset();
    win::testing::ScheduleMessage(5, Message(win::WM_CLOSE));
    EXPECT_EQ(WinMain("--no-sound --no-cd-music"), 1);
    EXPECT_EQ(win::testing::ScheduledMessages(), 1u);  // no frame ran
    const auto& boxes = win::testing::MessageBoxes();
    EXPECT_TRUE(boxes.size() == 1 && boxes[0].starts_with(message))
        << ::testing::PrintToString(boxes);
  };
  fs::remove("Nauvrel.spl");
  failedStart("FS_LoadSPL: Nauvrel.spl failed (");
  WriteGameArchive(GamePictureFiles(32), "Nauvrel.spl");
  const fs::path hives = data.dir.path / "HalvoTeam";
  fs::remove_all(hives);
  WriteFile(hives, "a file, not a folder");
  failedStart("RegCreateKeyEx failed");
  EXPECT_EQ(ReadFile(hives), "a file, not a folder");
}

}  // namespace
