// The main of every test program: headless unless told otherwise, so that each program
// runs the same alone, under ctest, and on a machine without a display or a sound card;
// and each test finds the switches and the settings as the one before it found them.
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/shell.h"
#include "persist/settings.h"

namespace {

class RestoreSwitchesAndSettings : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override {
    switches = Switches;
    settings = Settings;
  }
  void OnTestEnd(const ::testing::TestInfo&) override {
    Switches = switches;
    Settings = settings;
  }
  SwitchFlags switches;
  SettingsState settings;
};

}  // namespace

int main(int argc, char** argv) {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::UnitTest::GetInstance()->listeners().Append(new RestoreSwitchesAndSettings);
  return RUN_ALL_TESTS();
}
