// The sound set at start-up: the eight files, their messages, the pool and the play gates.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "app/init.h"
#include "app/shell.h"
#include "audio/sound.h"
#include "audio/sound_state.h"
#include "persist/settings.h"
#include "platform/system/crt_rand.h"
#include "support/game_pictures.h"
#include "support/game_window.h"
#include "support/scripted_play.h"
#include "support/temp_dir.h"
#include "support/wav_files.h"

namespace {

const char* const SoundFiles[] = {"Zvuk/Bonus.wav",     "Zvuk/ExplodeB1.wav",  "Zvuk/ExplodeB2.wav",
                                  "Zvuk/ExplodeB3.wav", "Zvuk/ExplodeB4.wav",  "Zvuk/LevelUp.wav",
                                  "Zvuk/MenuClick.wav", "Zvuk/NauvrelExpl.wav"};

// Every sound a tone of its own length, so that the buffers can be told apart.
FileMap GameFiles() {
  FileMap files = GamePictureFiles(32);
  int frames = 100;
  for (const char* path : SoundFiles)
    files[path] = Wav(Format(1, 1, 44100, 16), Tone(frames += 10));
  return files;
}

class SoundSet : public ::testing::Test {
 protected:
  void TearDown() override {
    ds::testing::FailCreate(false);
    ds::testing::NoOutput(false);
    Stop();
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

TEST_F(SoundSet, StartUpMakesEveryBufferAndThePoolFromTheUnseededGenerator) {
  ASSERT_TRUE(Start(GameFiles()));
  EXPECT_TRUE(Sound.dsObject);
  for (const auto* buffer :
       {&Sound.sndMenuClick, &Sound.sndBonus, &Sound.sndLevelUp, &Sound.sndExplodeP})
    EXPECT_TRUE(*buffer);
  crt::srand(1);
  for (const ds::LPDIRECTSOUNDBUFFER& voice : Sound.sndExplsions) {
    const int source = crt::rand() % 4;
    EXPECT_TRUE(ds::testing::SharesSamples(voice.get(), Sound.sndExplodeB[source].get()));
  }
  // Each buffer holds its own file: lengths 110, 120, ... frames in the order loaded.
  EXPECT_EQ(ds::testing::DeviceSamples(Sound.sndBonus.get())->size(), 2u * 110);
  EXPECT_EQ(ds::testing::DeviceSamples(Sound.sndMenuClick.get())->size(), 2u * 170);
  EXPECT_EQ(ds::testing::DeviceSamples(Sound.sndExplodeP.get())->size(), 2u * 180);
  EXPECT_TRUE(win::testing::MessageBoxes().empty());

  sysReleaseAll();
  EXPECT_EQ(ds::testing::LiveBuffers(), 0);
  EXPECT_FALSE(Sound.dsObject || Sound.Bonus || Sound.ExplodeB[3]);
}

TEST_F(SoundSet, AFileThatDoesNotLoadOrParseStopsTheStartWithItsMessage) {
  const struct {
    const char* path;
    const char* missing;
    const char* broken;
  } rows[] = {
      {"Zvuk/MenuClick.wav", "sysLoadFile: MenuClick.wav", "wavCreateBuffer: sndMenuClick"},
      {"Zvuk/Bonus.wav", "sysLoadFile: Bonus.wav", "wavCreateBuffer: sndBonus"},
      {"Zvuk/LevelUp.wav", "sysLoadFile: LevelUp.wav", "wavCreateBuffer: sndLevelUp"},
      {"Zvuk/ExplodeB3.wav", "sysLoadFile: ExplodeB3.wav", "WavCreateBuffer: sndExplodeB array"},
      {"Zvuk/NauvrelExpl.wav", "sysLoadFile: NauvrelExpl.wav", "wavCreateBuffer: sndExplodeP"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.path);
    FileMap files = GameFiles();
    files.erase(row.path);
    EXPECT_FALSE(Start(files));
    EXPECT_EQ(LastError(), row.missing);
    Stop();

    files[row.path] = Riff({Chunk("fmt ", Format(1, 1, 44100, 16))});  // no "data"
    EXPECT_FALSE(Start(files));
    EXPECT_EQ(LastError(), row.broken);
    EXPECT_EQ(win::testing::MessageBoxes().size(), 1u);
    EXPECT_FALSE(Sound.dsObject);  // released on the way
    Stop();
  }
}

TEST_F(SoundSet, WithoutSoundNoFileIsNeededAndEveryPlaySucceedsSilently) {
  FileMap files = GamePictureFiles(32);  // no "Zvuk" at all
  ASSERT_TRUE(Start(files, "--no-sound --no-cd-music"));
  EXPECT_FALSE(Sound.dsObject || Sound.Bonus);
  ds::testing::ClearPlayLog();
  EXPECT_TRUE(sndPlayMenuClick() && sndPlayBonus() && sndPlayLevelUp() && sndPlayExplosion() &&
              sysPlayExplodeP());
  EXPECT_TRUE(ds::testing::PlayLog().empty());
  EXPECT_EQ(Sound.ExplosionIndex, 0);
}

TEST_F(SoundSet, NoDeviceIsASilentGameWithoutAMessage) {
  ds::testing::FailCreate(true);
  ASSERT_TRUE(Start(GamePictureFiles(32)));
  EXPECT_TRUE(Switches.NoSound);
  EXPECT_TRUE(sndPlayBonus());
  EXPECT_TRUE(win::testing::MessageBoxes().empty());
}

TEST_F(SoundSet, TheUsersSwitchSilencesAndBringsBackTheSound) {
  ASSERT_TRUE(Start(GameFiles()));
  ds::testing::ClearPlayLog();
  Settings.UseSound = false;
  EXPECT_TRUE(sndPlayMenuClick() && sndPlayExplosion() && sysPlayExplodeP());
  EXPECT_TRUE(ds::testing::PlayLog().empty());
  EXPECT_EQ(Sound.ExplosionIndex, 0);  // a silent explosion takes no voice
  Settings.UseSound = true;
  EXPECT_TRUE(sndPlayMenuClick());
  ASSERT_EQ(ds::testing::PlayLog().size(), 1u);
  EXPECT_EQ(ds::testing::PlayLog()[0], Sound.sndMenuClick.get());
}

TEST_F(SoundSet, ExplosionsTakeThePoolsVoicesInTurnStartingWithTheSecond) {
  ASSERT_TRUE(Start(GameFiles()));
  ds::testing::ClearPlayLog();
  for (int i = 0; i < 31; ++i) ASSERT_TRUE(sndPlayExplosion());
  const auto& log = ds::testing::PlayLog();
  ASSERT_EQ(log.size(), 31u);
  for (int i = 0; i < 31; ++i)
    EXPECT_EQ(log[i], Sound.sndExplsions[(i + 1) % 30].get()) << "explosion " << i;
  // A voice still sounding goes on; one that has finished starts again.
  const ds::testing::PlayCounts one = ds::testing::Plays(Sound.sndExplsions[1].get());
  EXPECT_EQ(one.requests, 2);
  EXPECT_GE(one.starts, 1);
}

// Any failed play ends the game with the sound's message, but for an explosion only the
// four failures that say the game itself is wrong do.
TEST_F(SoundSet, AFailedPlayStopsTheGameWithTheSoundsMessage) {
  const struct {
    bool (*play)();
    ds::HRESULT code;
    const char* message;
  } failures[] = {{sndPlayMenuClick, ds::E_FAIL, "Play: dsbMenuClick"},
                  {sndPlayBonus, ds::E_FAIL, "Play: dsbBonus"},
                  {sndPlayLevelUp, ds::E_FAIL, "Play: dsbLevelUp"},
                  {sysPlayExplodeP, ds::E_FAIL, "sysPlayExplodeP: Play"},
                  {sndPlayExplosion, ds::DSERR_BUFFERLOST, "Play: dsbExplosions DSERR_BUFFERLOST "},
                  {sndPlayExplosion, ds::DSERR_INVALIDCALL, "Play: INVALIDCALL "},
                  {sndPlayExplosion, ds::DSERR_INVALIDPARAM, "Play: DSERR_INVALIDPARAM "},
                  {sndPlayExplosion, ds::DSERR_PRIOLEVELNEEDED, "Play: DSERR_PRIOLEVELNEEDED "},
                  {sndPlayExplosion, ds::DSERR_OUTOFMEMORY, nullptr}};
  for (const auto& f : failures) {
    SCOPED_TRACE(f.message ? f.message : "not fatal");
    ASSERT_TRUE(Start(GameFiles()));
    ds::testing::FailPlay(f.code);
    EXPECT_EQ(f.play(), f.message == nullptr);
    EXPECT_EQ(LastError(), f.message ? f.message : "");
    EXPECT_EQ(Sound.dsObject == nullptr, f.message != nullptr);
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

TEST_F(SoundSet, AnOutputThatGoesAwayIsOpenedAgainAndTheGameSoundsOn) {
  ASSERT_TRUE(Start(GameFiles()));
  ASSERT_TRUE(Sound.sndExplodeP->SetVolume(-2000) == ds::DS_OK);
  const std::vector<int16_t> before = *ds::testing::DeviceSamples(Sound.sndBonus.get());
  ASSERT_TRUE(sndPlayExplosion());
  RemoveOutput();
  EXPECT_TRUE(win::testing::MessageBoxes().empty());
  const int starts = ds::testing::Plays(Sound.sndExplsions[2].get()).starts;
  EXPECT_TRUE(sndPlayExplosion());
  EXPECT_EQ(ds::testing::Plays(Sound.sndExplsions[2].get()).starts, starts + 1);
  EXPECT_TRUE(sndPlayBonus() && sysPlayExplodeP());
  EXPECT_EQ(*ds::testing::DeviceSamples(Sound.sndBonus.get()), before);
  EXPECT_EQ(ds::testing::ChannelVolume(Sound.sndExplodeP.get()), 13);  // its volume kept
  EXPECT_EQ(ds::testing::ChannelVolume(Sound.sndBonus.get()), 128);
  // And again: every removal finds the next output.
  RemoveOutput();
  EXPECT_TRUE(sndPlayExplosion());
  EXPECT_TRUE(win::testing::MessageBoxes().empty());
}

TEST_F(SoundSet, WithNoOutputLeftTheGameEndsAtTheNextSound) {
  ASSERT_TRUE(Start(GameFiles()));
  ASSERT_TRUE(sndPlayExplosion());
  ds::testing::NoOutput(true);
  RemoveOutput();
  EXPECT_FALSE(sndPlayExplosion());
  EXPECT_EQ(LastError(), "Play: dsbExplosions DSERR_BUFFERLOST ");
  EXPECT_FALSE(Sound.dsObject || Sound.sndMenuClick);
  EXPECT_EQ(ds::testing::LiveBuffers(), 0);
  // What is left of the game asks for no more sound.
  EXPECT_TRUE(sndPlayExplosion());
}

TEST(SoundGame, AWholeGameRunsWithSoundOnTheDummyDevice) {
  IsolatedUserData data;
  InTempDir here;
  WriteGameArchive(GameFiles(), "Nauvrel.spl");
  win::testing::Reset();
  ds::testing::ClearPlayLog();
  ScheduleNewGame();
  for (int i = 0; i < 40; ++i) ScheduleKey(25, win::VK_SPACE);  // mines
  ScheduleKey(5, win::VK_F12);
  Settings = SettingsState{};
  EXPECT_EQ(WinMain("--no-cd-music --windowed"), 0);
  EXPECT_TRUE(win::testing::MessageBoxes().empty());
  EXPECT_FALSE(Switches.NoSound);
  // Buffers are gone by now; the log still counts what was asked of them.
  EXPECT_FALSE(ds::testing::PlayLog().empty());
  EXPECT_EQ(ds::testing::LiveBuffers(), 0);
}

}  // namespace
