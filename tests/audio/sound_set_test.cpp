// WAV images in memory becoming buffers in the device's format, or refused; the sound set at
// start-up: the eight files, their messages, the pool, the play gates, the effects volume and
// the output going away; the two volumes' scale, options and values.
#include <SDL.h>
#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <optional>
#include <string>
#include <tuple>

#include "app/init.h"
#include "app/player_options.h"
#include "app/shell.h"
#include "audio/sound.h"
#include "audio/sound_state.h"
#include "audio/volume.h"
#include "audio/wav.h"
#include "persist/player_settings.h"
#include "persist/settings.h"
#include "platform/system/crt_rand.h"
#include "support/game_pictures.h"
#include "support/game_window.h"
#include "support/hive_files.h"
#include "support/temp_dir.h"
#include "support/wav_files.h"

namespace {

class WavTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(ds::DirectSoundCreate(nullptr, Sound.dsObject), ds::DS_OK);
    ASSERT_EQ(Sound.dsObject->SetCooperativeLevel(nullptr, ds::DSSCL_PRIORITY), ds::DS_OK);
  }
  void TearDown() override { Sound.dsObject.reset(); }
  // The buffer's samples, interleaved 16-bit stereo at 44 100 Hz; none when refused.
  static std::optional<std::vector<int16_t>> Load(const Bytes& file, size_t slack = 0) {
    GlobalBlock block = GlobalBlock::Alloc(file.size() + slack);
    std::memcpy(block.Lock().data(), file.data(), file.size());
    const ds::LPDIRECTSOUNDBUFFER buffer = wavCreateBuffer(block);
    if (!buffer) return std::nullopt;
    return *ds::testing::DeviceSamples(buffer.get());
  }
};

// Little-endian samples of `bytesPerSample` bytes each (floats as their bits).
Bytes Samples(int bytesPerSample, std::initializer_list<uint32_t> values) {
  Bytes out;
  for (uint32_t v : values)
    for (int i = 0; i < bytesPerSample; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
  return out;
}

uint32_t Bits(float f) { return std::bit_cast<uint32_t>(f); }

using Frames = std::vector<int16_t>;

// 8-bit is unsigned, mono goes to both sides, beyond full scale is clipped and other rates
// are resampled to the device's once.
TEST_F(WavTest, EveryAcceptedFormatArrivesAsTheSameStereoSamples) {
  EXPECT_EQ(Load(Wav(Format(1, 1, 44100, 8), Samples(1, {0x80, 0xC0, 0x00, 0x80}))),
            Frames({0, 0, 16384, 16384, -32767, -32767, 0, 0}));
  EXPECT_EQ(Load(Wav(Format(1, 2, 44100, 16), Samples(2, {1000, 0xF830}))), Frames({1000, -2000}));
  EXPECT_EQ(Load(Wav(Format(1, 2, 44100, 24), Samples(3, {0x123456, 0xC00000}))),
            Frames({4660, -16384}));
  EXPECT_EQ(Load(Wav(Format(3, 2, 44100, 32), Samples(4, {Bits(2.0f), Bits(-2.0f)}))),
            Frames({32767, -32768}));
  EXPECT_EQ(Load(Wav(Extensible(3, 1, 44100, 32), Samples(4, {Bits(0.25f)}))),
            Frames({8192, 8192}));
  // Chunks in any order, behind one of odd size, which is padded to an even one.
  EXPECT_EQ(Load(Riff({Chunk("junk", Bytes(5, 'x')),
                       Chunk("data", Samples(1, {0xC0, 0x80, 0xC0, 0x80, 0xC0})),
                       Chunk("fmt ", Format(1, 1, 44100, 8))})),
            Frames({16384, 16384, 0, 0, 16384, 16384, 0, 0, 16384, 16384}));
  for (const auto& [rate, frames] : {std::pair{22050u, 200u}, std::pair{88200u, 50u}}) {
    const auto resampled = Load(Wav(Format(1, 1, rate, 16), Tone(100)));
    ASSERT_TRUE(resampled) << rate;
    EXPECT_EQ(resampled->size(), 2u * frames) << rate;
  }
}

// Formats the device cannot play make none either. More broken files (cut, not RIFF, ...)
// are the bad-* seeds of the WAV corpus, run with the fuzz corpora.
TEST_F(WavTest, BrokenFilesAndNoDeviceMakeNoBuffer) {
  const Bytes good = Wav(Format(1, 1, 44100, 16), Tone(8));
  ASSERT_TRUE(Load(good));
  Bytes badAlignment = Format(1, 2, 44100, 16);
  badAlignment[12] = 3;
  // A format chunk two bytes short, followed by a chunk whose id would pass for the
  // missing bit count if the reader ran past the chunk's end.
  Bytes shortFormat = Format(1, 1, 44100, 16);
  shortFormat.resize(14);
  Bytes lookalike = Chunk("xxxx", {});
  lookalike[0] = 16;
  lookalike[1] = 0;
  Bytes notWave = good;
  notWave[8] = 'X';
  const std::pair<const char*, Bytes> cases[] = {
      {"no fmt", Riff({Chunk("data", Tone(8))})},
      {"empty", Bytes(4, 0)},
      {"not WAVE", notWave},
      {"bad block alignment", Wav(badAlignment, Tone(8))},
      {"three channels", Wav(Format(1, 3, 44100, 16), Tone(9))},
      {"12-bit", Wav(Format(1, 1, 44100, 12), Tone(8))},
      {"ADPCM", Wav(FormatWithExtra(2, 1, 22050, 4, {1, 2, 3, 4}), Bytes(16, 0))},
      {"format chunk too short",
       Riff({Chunk("fmt ", shortFormat), lookalike, Chunk("data", Tone(8))})}};
  for (const auto& [what, file] : cases) EXPECT_FALSE(Load(file)) << what;
  EXPECT_EQ(wavCreateBuffer(GlobalBlock{}), nullptr);
  Sound.dsObject.reset();
  EXPECT_FALSE(Load(good));
}

// Every sound a tone of its own length, 110, 120, ... frames in the order loaded, so that
// the buffers can be told apart.
FileMap GameFiles() {
  FileMap files = GamePictureFiles(32);
  int frames = 100;
  for (const char* name : {"Bonus", "ExplodeB1", "ExplodeB2", "ExplodeB3", "ExplodeB4", "LevelUp",
                           "MenuClick", "NauvrelExpl"})
    files[std::string("Zvuk/") + name + ".wav"] = Wav(Format(1, 1, 44100, 16), Tone(frames += 10));
  return files;
}

class SoundSet : public ::testing::Test {
 protected:
  void TearDown() override {
    ds::testing::FailCreate(false);
    ds::testing::NoOutput(false);
    Stop();
    Volume = VolumeState{};
  }
  // The exit path's release, with plays working again for the next start.
  static void Stop() {
    ds::testing::FailPlay(ds::DS_OK);
    sysReleaseAll();
    CloseQuietWindow();
  }
  // Start-up as the program runs it, on an archive of these files.
  bool Start(const FileMap& files, const char* switches = "--no-cd-music") {
    win::testing::Reset();
    WriteGameArchive(files, "Nauvrel.spl");
    Switches = ReadSwitches(switches);
    Settings = SettingsState{};
    Settings.UseSound = !Switches.NoSound;
    Sound.ExplosionIndex = 0;
    crt::srand(1);  // the generator as the program finds it
    EXPECT_TRUE(OpenQuietWindow());
    return sysInit();
  }
  static std::string LastError() {
    const auto& boxes = win::testing::MessageBoxes();
    return boxes.empty() ? std::string() : boxes.back();
  }
  InTempDir here;
};

// Explosions take the pool's voices in turn, starting with the second. Every effect buffer
// follows the effects volume and its keys; music keys leave them be.
TEST_F(SoundSet, StartUpMakesEveryBufferAndThePoolAndTheEffectsFollowTheirVolume) {
  Volume = {50, 100};
  ASSERT_TRUE(Start(GameFiles()));
  ASSERT_TRUE(Sound.dsObject && Sound.sndLevelUp && Sound.sndBonus && Sound.sndMenuClick &&
              Sound.sndExplodeP);
  for (const auto& [buffer, frames] : {std::pair{Sound.sndBonus.get(), 110u},
                                       {Sound.sndMenuClick.get(), 170u},
                                       {Sound.sndExplodeP.get(), 180u}})
    EXPECT_EQ(ds::testing::DeviceSamples(buffer)->size(), 2 * frames);
  crt::srand(1);
  for (const ds::LPDIRECTSOUNDBUFFER& voice : Sound.sndExplsions)
    EXPECT_TRUE(ds::testing::SharesSamples(voice.get(), Sound.sndExplodeB[crt::rand() % 4].get()));
  ds::testing::ClearPlayLog();
  for (int i = 0; i < 31; ++i) ASSERT_TRUE(sndPlayExplosion());
  const auto& log = ds::testing::PlayLog();
  ASSERT_EQ(log.size(), 31u);
  for (int i = 0; i < 31; ++i)
    EXPECT_EQ(log[i], Sound.sndExplsions[(i + 1) % 30].get()) << "explosion " << i;

  const auto heard = [] { return ds::testing::ChannelVolume(Sound.sndExplsions[7].get()); };
  EXPECT_EQ(heard(), 13);                                                 // -20 dB of 128
  EXPECT_TRUE(volKey(win::VK_F1 + 5));                                    // F6 up
  EXPECT_EQ(std::pair(Volume.SoundVolume, heard()), std::pair(60u, 20));  // -16 dB
  EXPECT_TRUE(volKey(win::VK_F1 + 6));                                    // F7: music down
  EXPECT_EQ(std::pair(Volume.MusicVolume, heard()), std::pair(90u, 20));
  for (int i = 0; i < 8; ++i) volKey(win::VK_F1 + 4);  // F5 down, past the end
  EXPECT_EQ(std::pair(Volume.SoundVolume, heard()), std::pair(0u, 0));
  EXPECT_FALSE(volKey('M'));
  sysReleaseAll();
  EXPECT_EQ(ds::testing::LiveBuffers(), 0);
  EXPECT_FALSE(Sound.dsObject || Sound.Bonus || Sound.ExplodeB[3]);
}

TEST_F(SoundSet, AFileThatDoesNotLoadOrParseStopsTheStartWithItsMessage) {
  const std::pair<const char*, const char*> rows[] = {
      {"MenuClick", "wavCreateBuffer: sndMenuClick"},
      {"ExplodeB3", "WavCreateBuffer: sndExplodeB array"},
      {"NauvrelExpl", "wavCreateBuffer: sndExplodeP"}};
  for (const auto& [name, broken] : rows) {
    SCOPED_TRACE(name);
    const std::string path = std::string("Zvuk/") + name + ".wav";
    FileMap files = GameFiles();
    files.erase(path);
    EXPECT_FALSE(Start(files));
    EXPECT_EQ(LastError(), std::string("sysLoadFile: ") + name + ".wav");
    Stop();
    files[path] = Riff({Chunk("fmt ", Format(1, 1, 44100, 16))});  // no "data"
    EXPECT_FALSE(Start(files));
    EXPECT_EQ(win::testing::MessageBoxes(), std::vector<std::string>{broken});
    EXPECT_FALSE(Sound.dsObject);  // released on the way
    Stop();
  }
}

// Without sound (the switch, no device, or the user's setting) every play succeeds silently
// and an explosion takes no voice; with the setting back the sound is heard again.
TEST_F(SoundSet, SilentGamesNeedNoFilesAndPlayNothing) {
  const auto silent = [] {
    ds::testing::ClearPlayLog();
    EXPECT_TRUE(sndPlayMenuClick() && sndPlayBonus() && sndPlayLevelUp() && sndPlayExplosion() &&
                sysPlayExplodeP());
    EXPECT_TRUE(ds::testing::PlayLog().empty());
    EXPECT_EQ(Sound.ExplosionIndex, 0);
  };
  for (const bool noDevice : {false, true}) {  // no "Zvuk" at all
    ds::testing::FailCreate(noDevice);
    ASSERT_TRUE(
        Start(GamePictureFiles(32), noDevice ? "--no-cd-music" : "--no-sound --no-cd-music"));
    EXPECT_FALSE(Sound.dsObject || Sound.Bonus);
    silent();
    Stop();
  }
  ds::testing::FailCreate(false);
  ASSERT_TRUE(Start(GameFiles()));
  Settings.UseSound = false;
  silent();
  Settings.UseSound = true;
  EXPECT_TRUE(sndPlayMenuClick());
  EXPECT_EQ(ds::testing::PlayLog(),
            std::vector<const ds::DirectSoundBuffer*>{Sound.sndMenuClick.get()});
}

// Any failed play ends the game with the sound's message, but for an explosion only the
// four failures that say the game itself is wrong do.
TEST_F(SoundSet, AFailedPlayStopsTheGameWithTheSoundsMessage) {
  const std::tuple<bool (*)(), ds::HRESULT, const char*> failures[] = {
      {sndPlayMenuClick, ds::E_FAIL, "Play: dsbMenuClick"},
      {sysPlayExplodeP, ds::E_FAIL, "sysPlayExplodeP: Play"},
      {sndPlayExplosion, ds::DSERR_BUFFERLOST, "Play: dsbExplosions DSERR_BUFFERLOST "},
      {sndPlayExplosion, ds::DSERR_INVALIDPARAM, "Play: DSERR_INVALIDPARAM "},
      {sndPlayExplosion, ds::DSERR_OUTOFMEMORY, nullptr}};
  for (const auto& [play, code, message] : failures) {
    SCOPED_TRACE(message ? message : "not fatal");
    ASSERT_TRUE(Start(GameFiles()));
    ds::testing::FailPlay(code);
    EXPECT_EQ(play(), !message);
    EXPECT_EQ(std::pair(LastError(), Sound.dsObject == nullptr),
              std::pair(std::string(message ? message : ""), message != nullptr));
    Stop();
  }
}

// The output going away as the window layer hears it from SDL.
void RemoveOutput() {
  SDL_Event event{};
  event.type = SDL_AUDIODEVICEREMOVED;
  event.adevice.iscapture = 0;
  ASSERT_EQ(SDL_PushEvent(&event), 1);
  win::MSG msg;
  win::PeekMessage(msg);  // pumps the event
}

// Every removal finds the next output, with the buffers and their volumes kept; with no
// output left the game ends at the next sound and asks for no more.
TEST_F(SoundSet, AnOutputThatGoesAwayIsOpenedAgainOrEndsTheGameWhenNoneIsLeft) {
  ASSERT_TRUE(Start(GameFiles()));
  ASSERT_TRUE(Sound.sndExplodeP->SetVolume(-2000) == ds::DS_OK);
  const std::vector<int16_t> before = *ds::testing::DeviceSamples(Sound.sndBonus.get());
  ASSERT_TRUE(sndPlayExplosion());
  RemoveOutput();
  const int starts = ds::testing::Plays(Sound.sndExplsions[2].get()).starts;
  EXPECT_TRUE(sndPlayExplosion());
  EXPECT_EQ(ds::testing::Plays(Sound.sndExplsions[2].get()).starts, starts + 1);
  EXPECT_TRUE(sndPlayBonus() && sysPlayExplodeP());
  EXPECT_EQ(*ds::testing::DeviceSamples(Sound.sndBonus.get()), before);
  EXPECT_EQ(std::pair(ds::testing::ChannelVolume(Sound.sndExplodeP.get()),
                      ds::testing::ChannelVolume(Sound.sndBonus.get())),
            std::pair(13, 128));
  RemoveOutput();
  EXPECT_TRUE(sndPlayExplosion());
  EXPECT_TRUE(win::testing::MessageBoxes().empty());

  ds::testing::NoOutput(true);
  RemoveOutput();
  EXPECT_FALSE(sndPlayExplosion());
  EXPECT_EQ(LastError(), "Play: dsbExplosions DSERR_BUFFERLOST ");
  EXPECT_FALSE(Sound.dsObject || Sound.sndMenuClick);
  EXPECT_EQ(ds::testing::LiveBuffers(), 0);
  EXPECT_TRUE(sndPlayExplosion());
}

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
      {"--sound-volume=0 --music-volume=100", true, 0u, 100u},
      {"--windowed --music-volume=35", true, {}, 35u},
      {"--sound-volume=101", false, {}, {}},
      {"--music-volume=5x", false, {}, {}}};
  for (const auto& [line, ok, sound, music] : rows) {
    PlayerOptions options;
    ASSERT_EQ(ReadPlayerOptions(line, options), ok) << line;
    if (!ok) continue;
    EXPECT_EQ(std::pair(options.SoundVolume, options.MusicVolume), std::pair(sound, music)) << line;
  }
}

TEST(Volume, RememberedUnderTheGamesKey) {
  IsolatedUserData data;
  Switches = SwitchFlags{};
  ASSERT_TRUE(LoadSettings() && LoadPlayerSettings());
  EXPECT_EQ(std::pair(Volume.SoundVolume, Volume.MusicVolume), std::pair(100u, 100u));  // first run
  Volume = {30, 0};
  ASSERT_TRUE(SavePlayerSettings());
  Volume = VolumeState{};
  ASSERT_TRUE(LoadPlayerSettings());
  EXPECT_EQ(std::pair(Volume.SoundVolume, Volume.MusicVolume), std::pair(30u, 0u));
  const std::string hive = ReadFile(UserHive(data));
  EXPECT_NE(hive.find("\"SoundVolume\"=dword:0000001e"), std::string::npos) << hive;
  Volume = VolumeState{};
}

}  // namespace
