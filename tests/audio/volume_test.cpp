// The two volumes: the decibel scale, the options and the registry values.
#include "audio/volume.h"

#include <gtest/gtest.h>

#include "app/player_options.h"
#include "app/shell.h"
#include "persist/player_settings.h"
#include "persist/settings.h"
#include "support/hive_files.h"

namespace {

TEST(Volume, EachStepIsTheSameNumberOfDecibels) {
  const struct {
    uint32_t volume;
    int32_t attenuation;  // hundredths of a dB
    int32_t music;        // thousandths
  } rows[] = {{100, 0, 1000}, {90, -400, 631}, {50, -2000, 100}, {10, -3600, 16},
              {1, -3960, 10}, {0, -10000, 0},  {250, 0, 1000}};
  for (const auto& row : rows) {
    EXPECT_EQ(volAttenuation(row.volume), row.attenuation) << row.volume;
    EXPECT_EQ(volMusicLevel(row.volume), row.music) << row.volume;
  }
}

TEST(Volume, OptionsTakeZeroToAHundredAndRefuseAnythingElse) {
  const struct {
    const char* line;
    bool ok;
    std::optional<uint32_t> sound, music;
  } rows[] = {{"--no-cd-music", true, {}, {}},
              {"--sound-volume=0 --music-volume=100", true, 0u, 100u},
              {"--windowed --music-volume=35", true, {}, 35u},
              {"--sound-volume=101", false, {}, {}},
              {"--sound-volume=", false, {}, {}},
              {"--music-volume=-5", false, {}, {}},
              {"--music-volume=5x", false, {}, {}}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.line);
    PlayerOptions options;
    ASSERT_EQ(ReadPlayerOptions(row.line, options), row.ok);
    if (!row.ok) continue;
    EXPECT_EQ(options.SoundVolume, row.sound);
    EXPECT_EQ(options.MusicVolume, row.music);
  }
}

// Too loud is taken as full; another type as the default.
TEST(Volume, RememberedUnderTheGamesKeyAndReadBackWithinRange) {
  IsolatedUserData data;
  Switches = SwitchFlags{};
  ASSERT_TRUE(LoadSettings() && LoadPlayerSettings());
  EXPECT_EQ(Volume.SoundVolume, 100u);  // first run
  EXPECT_EQ(Volume.MusicVolume, 100u);
  Volume = {30, 0};
  ASSERT_TRUE(SavePlayerSettings());
  const std::string hive = ReadFile(UserHive(data));
  EXPECT_NE(hive.find("\"SoundVolume\"=dword:0000001e\n"), std::string::npos) << hive;
  EXPECT_NE(hive.find("\"MusicVolume\"=dword:00000000\n"), std::string::npos) << hive;
  Volume = VolumeState{};
  ASSERT_TRUE(LoadPlayerSettings());
  EXPECT_EQ(Volume.SoundVolume, 30u);
  EXPECT_EQ(Volume.MusicVolume, 0u);

  WriteFile(UserHive(data),
            "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\HalvoTeam\\Nauvrel]\n"
            "\"SoundVolume\"=dword:0000012c\n\"MusicVolume\"=\"20\"\n");
  ASSERT_TRUE(LoadPlayerSettings());
  EXPECT_EQ(Volume.SoundVolume, 100u);
  EXPECT_EQ(Volume.MusicVolume, 100u);
  Volume = VolumeState{};
}

}  // namespace
