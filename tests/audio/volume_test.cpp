// The two volumes: the decibel scale, the options and the registry values.
#include "audio/volume.h"

#include <gtest/gtest.h>

#include <tuple>

#include "app/player_options.h"
#include "app/shell.h"
#include "persist/player_settings.h"
#include "persist/settings.h"
#include "support/hive_files.h"

namespace {

TEST(Volume, EachStepIsTheSameNumberOfDecibels) {
  // The volume, its attenuation in hundredths of a dB, the music's level in thousandths.
  const std::tuple<uint32_t, int32_t, int32_t> rows[] = {
      {100, 0, 1000}, {90, -400, 631}, {50, -2000, 100}, {10, -3600, 16},
      {1, -3960, 10}, {0, -10000, 0},  {250, 0, 1000}};
  for (const auto& [volume, attenuation, music] : rows)
    EXPECT_EQ(std::pair(volAttenuation(volume), volMusicLevel(volume)),
              std::pair(attenuation, music))
        << volume;
}

TEST(Volume, OptionsTakeZeroToAHundredAndRefuseAnythingElse) {
  const std::tuple<const char*, bool, std::optional<uint32_t>, std::optional<uint32_t>> rows[] = {
      {"--no-cd-music", true, {}, {}},
      {"--sound-volume=0 --music-volume=100", true, 0u, 100u},
      {"--windowed --music-volume=35", true, {}, 35u},
      {"--sound-volume=101", false, {}, {}},
      {"--sound-volume=", false, {}, {}},
      {"--music-volume=-5", false, {}, {}},
      {"--music-volume=5x", false, {}, {}}};
  for (const auto& [line, ok, sound, music] : rows) {
    PlayerOptions options;
    ASSERT_EQ(ReadPlayerOptions(line, options), ok) << line;
    if (!ok) continue;
    EXPECT_EQ(std::pair(options.SoundVolume, options.MusicVolume), std::pair(sound, music)) << line;
  }
}

// Too loud is taken as full; another type as the default.
TEST(Volume, RememberedUnderTheGamesKeyAndReadBackWithinRange) {
  IsolatedUserData data;
  Switches = SwitchFlags{};
  ASSERT_TRUE(LoadSettings() && LoadPlayerSettings());
  EXPECT_EQ(std::pair(Volume.SoundVolume, Volume.MusicVolume), std::pair(100u, 100u));  // first run
  Volume = {30, 0};
  ASSERT_TRUE(SavePlayerSettings());
  Volume = VolumeState{};
  ASSERT_TRUE(LoadPlayerSettings());
  EXPECT_EQ(std::pair(Volume.SoundVolume, Volume.MusicVolume), std::pair(30u, 0u));

  WriteFile(UserHive(data),
            "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\HalvoTeam\\Nauvrel]\n"
            "\"SoundVolume\"=dword:0000012c\n\"MusicVolume\"=\"20\"\n");
  ASSERT_TRUE(LoadPlayerSettings());
  EXPECT_EQ(std::pair(Volume.SoundVolume, Volume.MusicVolume), std::pair(100u, 100u));
  Volume = VolumeState{};
}

}  // namespace
