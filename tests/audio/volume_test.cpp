// The two volumes: the decibel scale, the keys, the options and the registry values.
#include "audio/volume.h"

#include <gtest/gtest.h>

#include "app/init.h"
#include "app/player_options.h"
#include "app/shell.h"
#include "audio/sound_state.h"
#include "persist/player_settings.h"
#include "persist/settings.h"
#include "support/game_pictures.h"
#include "support/game_window.h"
#include "support/hive_files.h"
#include "support/wav_files.h"

namespace {

TEST(Volume, EachStepIsTheSameNumberOfDecibels) {
  const struct {
    uint32_t volume;
    int32_t attenuation;  // hundredths of a dB
    int32_t music;        // thousandths
  } rows[] = {{100, 0, 1000}, {90, -400, 631}, {50, -2000, 100}, {10, -3600, 16},
              {1, -3960, 10}, {0, -10000, 0},  {250, 0, 1000}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.volume);
    EXPECT_EQ(volAttenuation(row.volume), row.attenuation);
    EXPECT_EQ(volMusicLevel(row.volume), row.music);
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

TEST(Volume, RememberedUnderTheGamesKeyAndReadBackWithinRange) {
  IsolatedUserData data;
  Switches = SwitchFlags{};
  ASSERT_TRUE(LoadSettings());
  ASSERT_TRUE(LoadPlayerSettings());
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

  // Too loud is taken as full; another type as the default.
  reg::HKEY key = CreateGameKey(reg::HKEY_CURRENT_USER);
  const reg::BYTE big[4] = {0x2c, 0x01, 0, 0};
  ASSERT_EQ(reg::RegSetValueEx(key, "SoundVolume", 0, reg::REG_DWORD, big, 4), reg::ERROR_SUCCESS);
  ASSERT_EQ(reg::RegSetValueEx(key, "MusicVolume", 0, reg::REG_SZ,
                               reinterpret_cast<const reg::BYTE*>("20"), 3),
            reg::ERROR_SUCCESS);
  reg::RegCloseKey(key);
  ASSERT_TRUE(LoadPlayerSettings());
  EXPECT_EQ(Volume.SoundVolume, 100u);
  EXPECT_EQ(Volume.MusicVolume, 100u);
}

// Every effect buffer follows the effects volume and its keys; music keys leave them be.
TEST(Volume, KeysStepTheEffectsOnEveryBufferAndStopAtTheEnds) {
  InTempDir here;
  win::testing::Reset();
  FileMap files = GamePictureFiles(32);
  for (const char* path :
       {"Zvuk/Bonus.wav", "Zvuk/ExplodeB1.wav", "Zvuk/ExplodeB2.wav", "Zvuk/ExplodeB3.wav",
        "Zvuk/ExplodeB4.wav", "Zvuk/LevelUp.wav", "Zvuk/MenuClick.wav", "Zvuk/NauvrelExpl.wav"})
    files[path] = Wav(Format(1, 1, 44100, 16), Tone(100));
  WriteGameArchive(files, "Nauvrel.spl");
  Switches = ReadSwitches("--no-cd-music");
  Settings = SettingsState{};
  Volume = {50, 100};
  ASSERT_TRUE(OpenQuietWindow());
  ASSERT_TRUE(sysInit());
  const auto heard = [] { return ds::testing::ChannelVolume(Sound.sndExplsions[7].get()); };
  EXPECT_EQ(heard(), 13);  // -20 dB of 128
  EXPECT_EQ(ds::testing::ChannelVolume(Sound.sndMenuClick.get()), 13);

  EXPECT_TRUE(volKey(win::VK_F1 + 5));  // F6 up
  EXPECT_EQ(Volume.SoundVolume, 60u);
  EXPECT_EQ(heard(), 20);               // -16 dB
  EXPECT_TRUE(volKey(win::VK_F1 + 6));  // F7: music down
  EXPECT_EQ(Volume.MusicVolume, 90u);
  EXPECT_EQ(heard(), 20);
  for (int i = 0; i < 8; ++i) volKey(win::VK_F1 + 4);  // F5 down, past the end
  EXPECT_EQ(Volume.SoundVolume, 0u);
  EXPECT_EQ(heard(), 0);
  EXPECT_FALSE(volKey('M'));
  sysReleaseAll();
  CloseQuietWindow();
  Volume = VolumeState{};
}

}  // namespace
