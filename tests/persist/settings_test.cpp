// Settings through the hive file, and how the game is shown, kept under the game's key too.
#include "persist/settings.h"

#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

#include "app/shell.h"
#include "game/world.h"
#include "persist/presentation.h"
#include "platform/registry/registry.h"
#include "platform/window/window.h"
#include "support/hive_files.h"

namespace {

std::string StoredSettings(const std::string& values) {
  return "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\HalvoTeam\\Nauvrel]\n" + values + "\n";
}

void Load(IsolatedUserData& data, const std::string& values) {
  WriteFile(UserHive(data), StoredSettings(values));
  ASSERT_TRUE(LoadSettings());
}

bool Holds(IsolatedUserData& data, const std::string& line) {
  return ReadFile(UserHive(data)).find(line + "\n") != std::string::npos;
}

}  // namespace

TEST(Settings, FirstRunSavesTheDefaultsAndASecondRunReadsThem) {
  IsolatedUserData data;
  Switches = SwitchFlags{};
  ASSERT_TRUE(LoadSettings());
  EXPECT_TRUE(SaveSettings());
  std::string defaults;
  for (const char* kind : {"Nauvrel", "NauvrelExpl", "Mine", "Torpedo", "BarelExpl", "BarelFloat"})
    defaults += "\"" + std::string(kind) + "Bubbles\"=dword:000000c0\n";
  EXPECT_EQ(ReadFile(UserHive(data)), StoredSettings(defaults + "\"UseSound\"=dword:00000001\n"));
  Settings = SettingsState{.MineBubbles = 0};
  ASSERT_TRUE(LoadSettings());
  EXPECT_EQ(Settings.MineBubbles, 192u);
}

// The sound switch wins over a stored UseSound; any value but zero is on. A value of another
// type reads as the default and is written back as a dword.
TEST(Settings, TheSoundSwitchWinsAndValuesOfAnotherTypeAreDefaults) {
  IsolatedUserData data;
  Switches = ReadSwitches("--no-sound");
  Load(data, "\"UseSound\"=dword:00000001\n");
  EXPECT_FALSE(Settings.UseSound);
  EXPECT_TRUE(SaveSettings() && Holds(data, "\"UseSound\"=dword:00000000"));
  Switches = SwitchFlags{};
  Load(data, "\"UseSound\"=dword:00000000\n");
  EXPECT_FALSE(Settings.UseSound);
  Load(data, "\"UseSound\"=dword:00000007\n");
  EXPECT_TRUE(Settings.UseSound);

  Load(data,
       "\"MineBubbles\"=\"50\"\n\"TorpedoBubbles\"=hex:32,00,00,00\n"
       "\"BarelExplBubbles\"=hex(4):32,00\n");  // a dword of two bytes is no number
  EXPECT_EQ(std::tuple(Settings.MineBubbles, Settings.TorpedoBubbles, Settings.BarelExplBubbles),
            std::tuple(192u, 192u, 192u));
  ASSERT_TRUE(SaveSettings());
  for (const char* name : {"MineBubbles", "TorpedoBubbles", "BarelExplBubbles"})
    EXPECT_TRUE(Holds(data, "\"" + std::string(name) + "\"=dword:000000c0")) << name;
}

TEST(Settings, NineSwitchesABubbleKindOffTenOnAndLargeValuesAreUsedAsTheyAre) {
  IsolatedUserData data;
  Switches = SwitchFlags{};
  Load(data,
       "\"NauvrelBubbles\"=dword:00000009\n\"MineBubbles\"=dword:00000009\n"
       "\"TorpedoBubbles\"=dword:00000009\n");
  EXPECT_FALSE(Bubbles.NauvrelBubblesOn || Bubbles.MineBubblesOn || Bubbles.TorpedoBubblesOn);
  Load(data,
       "\"NauvrelBubbles\"=dword:0000000a\n\"MineBubbles\"=dword:0000000a\n"
       "\"TorpedoBubbles\"=dword:0000000a\n\"BarelExplBubbles\"=dword:00000258\n"
       "\"BarelFloatBubbles\"=dword:000000c1\n");
  EXPECT_TRUE(Bubbles.NauvrelBubblesOn && Bubbles.MineBubblesOn && Bubbles.TorpedoBubblesOn);
  EXPECT_EQ(std::tuple(Bubbles.MineBubbleDelay, Settings.BarelExplBubbles,
                       Bubbles.BarelExplBubbleMax, Bubbles.BarelFloatBubbleMax),
            std::tuple(185, 600u, 200, 64));
  EXPECT_TRUE(SaveSettings() && Holds(data, "\"BarelExplBubbles\"=dword:00000258"));
}

// A save stopped at any point leaves the seven values all as they were or all new (a damaged
// line is the store's own test). Failures say which.
TEST(Settings, ASaveIsAllOrNothingAndFailuresAreShown) {
  IsolatedUserData data;
  Switches = SwitchFlags{};
  for (int after = 0; after < 7; ++after) {
    SCOPED_TRACE(after);
    Load(data, "\"UseSound\"=dword:00000001");
    const SettingsState before = Settings;
    Settings.NauvrelBubbles = Settings.MineBubbles = Settings.BarelFloatBubbles = 7;
    Settings.UseSound = false;
    reg::testing::FailReplaceBeforeRename(after);
    SaveSettings();
    reg::testing::FailReplaceBeforeRename(-1);
    ASSERT_TRUE(LoadSettings());
    const bool none = std::memcmp(&Settings, &before, sizeof Settings) == 0;
    EXPECT_TRUE(none || (Settings.NauvrelBubbles == 7 && Settings.MineBubbles == 7 &&
                         Settings.BarelFloatBubbles == 7 && !Settings.UseSound));
    EXPECT_EQ(none, after == 0);
  }
  win::testing::Reset();
  std::filesystem::remove_all(data.dir.path / "HalvoTeam");
  WriteFile(data.dir.path / "HalvoTeam", "a file where the folder should be");
  EXPECT_FALSE(LoadSettings());
  EXPECT_FALSE(SaveSettings());
  EXPECT_EQ(
      win::testing::MessageBoxes(),
      (std::vector<std::string>{"RegCreateKeyEx failed", "RegOpenKeyEx (SaveSettings) failed"}));
}

// The command line overrides what was kept and is kept in turn; values naming nothing go.
TEST(Presentation, TheCommandLineOverridesWhatWasKeptAndIsKeptInTurn) {
  IsolatedUserData data;
  const std::tuple<const char*, win::ScaleMode, bool> runs[] = {
      {"", win::ScaleMode::Smooth, false},  // first run: the defaults
      {"--scale=nearest --windowed", win::ScaleMode::Nearest, true},
      {"", win::ScaleMode::Nearest, true},                // kept
      {"--scale=blurry", win::ScaleMode::Nearest, true},  // no such mode: the kept one stays
      {"--no-sound --scale=integer", win::ScaleMode::Integer, true},
      {"--scale=linear", win::ScaleMode::Linear, true}};
  for (const auto& [commandLine, scale, windowed] : runs) {
    win::testing::Reset();
    LoadPresentation(commandLine);
    EXPECT_EQ(std::tuple(win::CurrentScaleMode(), win::WindowedPreference()),
              std::tuple(scale, windowed))
        << commandLine;
    SavePresentation();
  }
  win::SetWindowedPreference(false);  // Alt+Enter back to full screen is kept too
  SavePresentation();
  win::testing::Reset();
  LoadPresentation("");
  EXPECT_EQ(std::pair(win::CurrentScaleMode(), win::WindowedPreference()),
            std::pair(win::ScaleMode::Linear, false));

  WriteFile(UserHive(data),
            StoredSettings(
                "\"Scale\"=\"sharpest\"\n\"FullScreen\"=\"yes\"\n\"Display\"=dword:7fffffff\n"));
  win::testing::Reset();
  win::SetScaleMode(win::ScaleMode::Linear);
  LoadPresentation("");  // values that name nothing give the defaults
  EXPECT_EQ(std::tuple(win::CurrentScaleMode(), win::WindowedPreference(), win::WindowDisplay()),
            std::tuple(win::ScaleMode::Smooth, false, 0));
}
