// The CD-audio device over an image and a folder of track files made in the test.
#include "platform/cdaudio/mci.h"

#include <chrono>
#include <thread>

#include "platform/cdaudio/playback.h"
#include "platform/sound/mixer.h"
#include "platform/window/window.h"
#include "support/disc_fixture.h"

namespace cdtest {
namespace {

using mci::testing::Advance;

class MciImage : public CDTest {
 protected:
  void SetUp() override {
    CDTest::SetUp();
    WriteImage(dir.path, {{true, 10}, {true, 20}, {true, 30}});
    ASSERT_EQ(Send("open cdaudio"), "");
    ASSERT_EQ(Send("set cdaudio time format tmsf"), "");
  }
};

TEST_F(MciImage, AnswersEveryQuestionOfTheGame) {
  EXPECT_EQ(Send("status cdaudio media present"), "true");
  EXPECT_EQ(Send("capability cdaudio has audio", 10), "true");
  EXPECT_EQ(Send("status cdaudio type track 1", 10), "zvuk");
  EXPECT_EQ(Send("status cdaudio current track"), "1");
  EXPECT_EQ(Send("STATUS CDAUDIO  Number Of Tracks"), "3");  // words without regard to case

  EXPECT_EQ(Send("status cdaudio type track 1", 4), "error 271");  // "zvuk" needs 5 bytes
  EXPECT_EQ(Send("play cdaudio from 4 notify"), "error 282");
  EXPECT_EQ(Send("play cdaudio from 0 notify"), "error 282");

  EXPECT_EQ(Send("close cdaudio"), "");
  EXPECT_EQ(Send("status cdaudio media present"), "error 263");
}

TEST_F(MciImage, PlaysFromATrackToTheEndOfTheDisc) {
  ASSERT_EQ(Send("play cdaudio from 2 notify"), "");
  std::vector<int16_t> heard = Advance(5);
  ASSERT_EQ(heard.size(), 10u);
  EXPECT_EQ(heard[0], FrameMark(0));
  EXPECT_EQ(heard[1], TrackMark(2));

  // Across the boundary into track 3, then the rest of the disc and nothing more.
  heard = Advance(20 * FramesPerSector);
  EXPECT_EQ(heard[(20 * FramesPerSector - 5) * 2 + 1], TrackMark(3));
  EXPECT_EQ(Send("status cdaudio current track"), "3");
  heard = Advance(100 * FramesPerSector);
  EXPECT_EQ(heard.size(), size_t(30 * FramesPerSector - 5) * 2);
  EXPECT_EQ(TakeNotifications(), std::vector<uint64_t>{mci::MCI_NOTIFY_SUCCESSFUL});
  EXPECT_EQ(Send("status cdaudio current track"), "1");  // back at the start, as a player
}

// The music's level scales what is heard, holds while no disc is open, and is checked.
TEST_F(MciImage, SetAudioVolumeScalesTheMusic) {
  ASSERT_EQ(Send("close cdaudio"), "");
  ASSERT_EQ(Send("setaudio cdaudio volume to 250"), "");
  ASSERT_EQ(Send("open cdaudio"), "");
  ASSERT_EQ(Send("set cdaudio time format tmsf"), "");
  ASSERT_EQ(Send("play cdaudio from 2"), "");
  EXPECT_EQ(Advance(1)[1], TrackMark(2) / 4);
  ASSERT_EQ(Send("setaudio cdaudio volume to 0"), "");
  EXPECT_EQ(Advance(1)[1], 0);
  ASSERT_EQ(Send("setaudio cdaudio volume to 1000"), "");
  EXPECT_EQ(Advance(1)[1], TrackMark(2));
  EXPECT_EQ(Send("setaudio cdaudio volume to 1001"), "error 282");
  EXPECT_EQ(Send("setaudio cdaudio volume 5"), "error 259");
}

// Pause keeps the place and play resumes there; a notification tells how each play ended.
TEST_F(MciImage, PauseResumesAndNotificationsSupersededAbortedAndSuccessful) {
  ASSERT_EQ(Send("play cdaudio from 2 notify"), "");
  Advance(1234);
  ASSERT_EQ(Send("pause cdaudio"), "");
  EXPECT_TRUE(Advance(100).empty());
  EXPECT_EQ(TakeNotifications(), std::vector<uint64_t>{mci::MCI_NOTIFY_ABORTED});
  ASSERT_EQ(Send("play cdaudio notify"), "");
  std::vector<int16_t> heard = Advance(1);
  EXPECT_EQ(heard[0], FrameMark(1234));
  EXPECT_EQ(heard[1], TrackMark(2));

  ASSERT_EQ(Send("play cdaudio from 3 notify"), "");
  EXPECT_EQ(TakeNotifications(), std::vector<uint64_t>{mci::MCI_NOTIFY_SUPERSEDED});
  EXPECT_EQ(Advance(1)[1], TrackMark(3));

  ASSERT_EQ(Send("stop cdaudio"), "");
  EXPECT_EQ(TakeNotifications(), std::vector<uint64_t>{mci::MCI_NOTIFY_ABORTED});
  EXPECT_EQ(Send("status cdaudio current track"), "1");
  EXPECT_TRUE(Advance(10).empty());

  // After a stop, play starts at the disc's beginning and runs to its end.
  ASSERT_EQ(Send("play cdaudio notify"), "");
  EXPECT_EQ(Advance(1000 * FramesPerSector).size(), size_t(60 * FramesPerSector) * 2);
  EXPECT_EQ(TakeNotifications(), std::vector<uint64_t>{mci::MCI_NOTIFY_SUCCESSFUL});
}

// No disc without a track; a track file that does not decode is no audio.
TEST_F(CDTest, OpenFailsWithNoDiscAndAnUndecodableTrackIsNotAudio) {
  WriteFile(dir.path / "readme.txt", "no music here");
  EXPECT_NE(Send("open cdaudio"), "");
  EXPECT_EQ(Send("status cdaudio media present"), "error 263");
  WriteFile(dir.path / "01 Broken.ogg", "OggS but not really");
  WriteWav(dir.path / "02.wav", 2, 100);
  ASSERT_EQ(Send("open cdaudio"), "");
  EXPECT_EQ(Send("status cdaudio type track 1", 10), "other");
  EXPECT_EQ(Send("status cdaudio type track 2", 10), "zvuk");
  ASSERT_EQ(Send("close cdaudio"), "");
  mci::testing::SetDiscFolder((dir.path / "missing").string());
  EXPECT_NE(Send("open cdaudio"), "");
}

// Waits until the listener has heard past `frame` of the track, or gives up.
bool HeardPast(int track, int64_t frame) {
  for (int i = 0; i < 400; ++i) {
    const mci::DiscPosition at = mci::PlayedPosition();
    if (at.track == track && at.frame > frame) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return false;
}

// The audio callback itself, in real time on the dummy driver: the music goes on where it
// was when the audio output is opened again. (It takes the frames through the same code as
// Advance, so the end of a disc and its notification are checked above.)
TEST_F(CDTest, StreamsThroughTheMixerAndGoesOnWhenTheOutputReopens) {
  mci::testing::SetManualStreaming(false);
  WriteImage(dir.path, {{true, 2000}});
  ASSERT_EQ(Send("open cdaudio"), "");
  ASSERT_EQ(Send("set cdaudio time format tmsf"), "");
  ASSERT_EQ(Send("play cdaudio from 1"), "");
  ASSERT_TRUE(HeardPast(1, 0));
  ASSERT_TRUE(mixer::Reopen());
  const int64_t at = mci::PlayedPosition().frame;
  EXPECT_GT(at, 0);  // not back at the start
  EXPECT_TRUE(HeardPast(1, at)) << "the callback pulls again after the reopen";
}

}  // namespace
}  // namespace cdtest
