// Settings through the hive file: first run, stored values, the sound switch.
#include "persist/settings.h"

#include <gtest/gtest.h>

#include <cstring>

#include "app/shell.h"
#include "game/world.h"
#include "persist/hiscore.h"
#include "platform/registry/file.h"
#include "platform/registry/registry.h"
#include "platform/window/window.h"
#include "support/hive_files.h"

namespace {

const std::string Header = "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\HalvoTeam\\Nauvrel]\n";

std::string StoredSettings(const std::string& values) { return Header + values + "\n"; }

}  // namespace

TEST(Settings, FirstRunCreatesBothHivesWithTheDefaultsAndASecondRunReadsThem) {
  IsolatedUserData data;
  Switches = SwitchFlags{};
  ASSERT_TRUE(LoadSettings());
  ASSERT_TRUE(hisLoadData());
  EXPECT_EQ(Settings.TorpedoBubbles, 192u);
  EXPECT_TRUE(Settings.UseSound);
  EXPECT_TRUE(SaveSettings());
  EXPECT_TRUE(hisSaveData());

  EXPECT_EQ(ReadFile(UserHive(data)), StoredSettings("\"NauvrelBubbles\"=dword:000000c0\n"
                                                     "\"NauvrelExplBubbles\"=dword:000000c0\n"
                                                     "\"MineBubbles\"=dword:000000c0\n"
                                                     "\"TorpedoBubbles\"=dword:000000c0\n"
                                                     "\"BarelExplBubbles\"=dword:000000c0\n"
                                                     "\"BarelFloatBubbles\"=dword:000000c0\n"
                                                     "\"UseSound\"=dword:00000001\n"));
  const std::string machine = ReadFile(MachineHive(data));
  EXPECT_TRUE(machine.starts_with(
      "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\HalvoTeam\\Nauvrel]\n"
      "\"HiScore\"=hex:48,61,6c,76,6f,20,74,65,61,6d,00,00,00,00,00,00,00,00,00,00,00,\\\n"
      "  00,00,00,00,00,00,00,00,00,00,00,ee,02,00,00,48,61,6c,76,6f,20,74,65,61,6d,\\\n"))
      << machine;
  reg::file::Document doc;
  std::string error;
  ASSERT_TRUE(reg::file::Parse(machine, doc, error)) << error;
  const reg::file::Line* table =
      reg::file::FindValue(doc, "HKEY_LOCAL_MACHINE\\Software\\HalvoTeam\\Nauvrel", "HiScore");
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->type, reg::REG_BINARY);
  std::vector<uint8_t> defaults(720);
  for (int i = 0; i < 20; ++i) {
    std::memcpy(&defaults[i * 36], "Halvo team", 11);
    const int32_t score = 750 - 50 * i;
    std::memcpy(&defaults[i * 36 + 32], &score, 4);
  }
  EXPECT_EQ(table->data, defaults);

  // The second run reads what the first one left.
  Settings = SettingsState{};
  Settings.MineBubbles = 0;
  HiScores = HiScoreState{};
  ASSERT_TRUE(LoadSettings());
  ASSERT_TRUE(hisLoadData());
  EXPECT_EQ(Settings.MineBubbles, 192u);
  EXPECT_EQ(HiScores.Table[0].score, 750u);
  EXPECT_EQ(hisName(14), "Halvo team");
}

TEST(Settings, TheSoundSwitchWinsOverAStoredUseSound) {
  IsolatedUserData data;
  WriteFile(UserHive(data), StoredSettings("\"UseSound\"=dword:00000001\n"));
  Switches = ReadSwitches("--no-sound");
  ASSERT_TRUE(LoadSettings());
  EXPECT_FALSE(Settings.UseSound);
  ASSERT_TRUE(SaveSettings());
  EXPECT_NE(ReadFile(UserHive(data)).find("\"UseSound\"=dword:00000000\n"), std::string::npos);

  Switches = SwitchFlags{};
  WriteFile(UserHive(data), StoredSettings("\"UseSound\"=dword:00000000\n"));
  ASSERT_TRUE(LoadSettings());
  EXPECT_FALSE(Settings.UseSound);
  WriteFile(UserHive(data), StoredSettings("\"UseSound\"=dword:00000007\n"));
  ASSERT_TRUE(LoadSettings());
  EXPECT_TRUE(Settings.UseSound);
}

TEST(Settings, AValueOfAnotherTypeReadsAsTheDefaultAndIsRewrittenAsADword) {
  IsolatedUserData data;
  WriteFile(UserHive(data), StoredSettings("\"MineBubbles\"=\"50\"\n"
                                           "\"TorpedoBubbles\"=hex:32,00,00,00\n"
                                           "\"BarelExplBubbles\"=hex(4):32,00\n"));
  Switches = SwitchFlags{};
  ASSERT_TRUE(LoadSettings());
  EXPECT_EQ(Settings.MineBubbles, 192u);
  EXPECT_EQ(Settings.TorpedoBubbles, 192u);
  EXPECT_EQ(Settings.BarelExplBubbles, 192u);  // a dword of two bytes is no number
  ASSERT_TRUE(SaveSettings());
  const std::string text = ReadFile(UserHive(data));
  EXPECT_NE(text.find("\"MineBubbles\"=dword:000000c0\n"), std::string::npos);
  EXPECT_NE(text.find("\"TorpedoBubbles\"=dword:000000c0\n"), std::string::npos);
  EXPECT_NE(text.find("\"BarelExplBubbles\"=dword:000000c0\n"), std::string::npos);
}

TEST(Settings, NineSwitchesABubbleKindOffTenOnAndLargeValuesAreUsedAsTheyAre) {
  IsolatedUserData data;
  Switches = SwitchFlags{};
  WriteFile(UserHive(data), StoredSettings("\"NauvrelBubbles\"=dword:00000009\n"
                                           "\"MineBubbles\"=dword:00000009\n"
                                           "\"TorpedoBubbles\"=dword:00000009\n"));
  ASSERT_TRUE(LoadSettings());
  EXPECT_FALSE(Bubbles.NauvrelBubblesOn || Bubbles.MineBubblesOn || Bubbles.TorpedoBubblesOn);

  WriteFile(UserHive(data), StoredSettings("\"NauvrelBubbles\"=dword:0000000a\n"
                                           "\"MineBubbles\"=dword:0000000a\n"
                                           "\"TorpedoBubbles\"=dword:0000000a\n"
                                           "\"BarelExplBubbles\"=dword:00000258\n"
                                           "\"BarelFloatBubbles\"=dword:000000c1\n"));
  ASSERT_TRUE(LoadSettings());
  EXPECT_TRUE(Bubbles.NauvrelBubblesOn && Bubbles.MineBubblesOn && Bubbles.TorpedoBubblesOn);
  EXPECT_EQ(Bubbles.MineBubbleDelay, 185);
  EXPECT_EQ(Settings.BarelExplBubbles, 600u);
  EXPECT_EQ(Bubbles.BarelExplBubbleMax, 200);
  EXPECT_EQ(Bubbles.BarelFloatBubbleMax, 64);
  ASSERT_TRUE(SaveSettings());
  EXPECT_NE(ReadFile(UserHive(data)).find("\"BarelExplBubbles\"=dword:00000258\n"),
            std::string::npos);

  // Values past the signed range wrap into the delays as 32-bit numbers do.
  WriteFile(UserHive(data), StoredSettings("\"NauvrelBubbles\"=dword:ffffffff\n"
                                           "\"MineBubbles\"=dword:80000000\n"
                                           "\"TorpedoBubbles\"=dword:fffffffe\n"));
  ASSERT_TRUE(LoadSettings());
  EXPECT_EQ(Bubbles.NauvrelBubbleDelay, 91 - 0x7FFFFFFF);
  EXPECT_EQ(Bubbles.MineBubbleDelay, static_cast<int32_t>(0x800000C3u));
  EXPECT_EQ(Bubbles.TorpedoBubbleDelay, 91 - 0x7FFFFFFF);
}

TEST(Settings, FailuresShowTheirMessages) {
  IsolatedUserData data;
  win::testing::Reset();
  WriteFile(data.dir.path / "HalvoTeam", "a file where the folder should be");
  EXPECT_FALSE(LoadSettings());
  EXPECT_FALSE(SaveSettings());
  ASSERT_EQ(win::testing::MessageBoxes().size(), 2u);
  EXPECT_EQ(win::testing::MessageBoxes()[0], "RegCreateKeyEx failed");
  EXPECT_EQ(win::testing::MessageBoxes()[1], "RegOpenKeyEx (SaveSettings) failed");
}

// A save stopped at any point leaves the seven values all as they were or all new; one
// damaged line costs only its own value, and the file is kept aside.
TEST(Settings, ASaveIsAllOrNothingAndOneBadLineCostsOneValue) {
  IsolatedUserData data;
  Switches = SwitchFlags{};
  for (int after = 0; after < 7; ++after) {
    SCOPED_TRACE(after);
    WriteFile(UserHive(data), StoredSettings("\"UseSound\"=dword:00000001"));
    ASSERT_TRUE(LoadSettings());
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

  const std::string damaged = StoredSettings(
      "\"NauvrelBubbles\"=dword:00000011\n\"MineBubbles\"=dword:xyz\n"
      "\"TorpedoBubbles\"=dword:000000013\n\"BarelExplBubbles\"=dword:00000014");
  WriteFile(UserHive(data), damaged);
  ASSERT_TRUE(LoadSettings());
  EXPECT_EQ(Settings.NauvrelBubbles, 0x11u);
  EXPECT_EQ(Settings.MineBubbles, 192u);
  EXPECT_EQ(Settings.TorpedoBubbles, 192u);
  EXPECT_EQ(Settings.BarelExplBubbles, 0x14u);
  ASSERT_TRUE(SaveSettings());
  EXPECT_EQ(ReadFile(UserHive(data).string() + ".bad"), damaged);
}
