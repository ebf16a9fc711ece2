// How the game is shown is kept under the game's key: the command line overrides what was
// kept, what is left at exit comes back next time, and values that name nothing are ignored.
#include "persist/presentation.h"

#include <gtest/gtest.h>

#include "platform/window/window.h"
#include "support/hive_files.h"

namespace {

using win::ScaleMode;

TEST(Presentation, TheCommandLineOverridesWhatWasKeptAndIsKeptInTurn) {
  IsolatedUserData data;
  const struct {
    const char* commandLine;
    ScaleMode scale;
    bool windowed;
  } runs[] = {{"", ScaleMode::Smooth, false},  // first run: the defaults
              {"--scale=nearest --windowed", ScaleMode::Nearest, true},
              {"", ScaleMode::Nearest, true},                // kept
              {"--scale=blurry", ScaleMode::Nearest, true},  // no such mode: the kept one stays
              {"--no-sound --scale=integer", ScaleMode::Integer, true},
              {"--scale=linear", ScaleMode::Linear, true}};
  for (const auto& run : runs) {
    win::testing::Reset();
    LoadPresentation(run.commandLine);
    EXPECT_EQ(win::CurrentScaleMode(), run.scale) << run.commandLine;
    EXPECT_EQ(win::WindowedPreference(), run.windowed) << run.commandLine;
    SavePresentation();
  }
  win::SetWindowedPreference(false);  // Alt+Enter back to full screen is kept too
  SavePresentation();
  win::testing::Reset();
  LoadPresentation("");
  EXPECT_FALSE(win::WindowedPreference());
  EXPECT_EQ(win::CurrentScaleMode(), ScaleMode::Linear);
  const std::string hive = ReadFile(UserHive(data));
  EXPECT_NE(hive.find("\"Scale\"=\"linear\""), std::string::npos) << hive;
  EXPECT_NE(hive.find("\"FullScreen\"=dword:00000001"), std::string::npos) << hive;

  WriteFile(UserHive(data),
            "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\HalvoTeam\\Nauvrel]\n"
            "\"Scale\"=\"sharpest\"\n\"FullScreen\"=\"yes\"\n\"Display\"=dword:7fffffff\n\n");
  win::testing::Reset();
  win::SetScaleMode(ScaleMode::Linear);
  LoadPresentation("");  // values that name nothing give the defaults
  EXPECT_EQ(win::CurrentScaleMode(), ScaleMode::Smooth);
  EXPECT_FALSE(win::WindowedPreference());
  EXPECT_EQ(win::WindowDisplay(), 0);
}

}  // namespace
