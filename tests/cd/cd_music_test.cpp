// The game's CD music over the device: the state table, the next and previous track
// values, the end of the disc and the notifications as the window procedure handles them;
// and the discs it may find: the demo disc the build writes, no disc, discs without music
// and broken images, refused or played within their bounds, never with a message.
#include <filesystem>
#include <tuple>
#include <vector>

#include "app/init.h"
#include "app/shell.h"
#include "audio/cd.h"
#include "platform/cdaudio/mci.h"
#include "platform/window/window.h"
#include "screens/modes.h"
#include "support/disc_fixture.h"
#include "support/files.h"

namespace cdtest {
namespace {

namespace fs = std::filesystem;

int CurrentTrack() { return std::stoi(Send("status cdaudio current track")); }

// Hands every waiting MCI notification to the window procedure, as the message loop does.
int DeliverNotifications() {
  int delivered = 0;
  win::MSG msg;
  while (win::PeekMessage(msg)) {
    win::GetMessage(msg);
    if (msg.message != win::MM_MCINOTIFY) continue;
    MainWndProc(Shell.Window, msg.message, msg.wParam, msg.lParam);
    ++delivered;
  }
  return delivered;
}

void Key(win::WPARAM key) { MainWndProc(Shell.Window, win::WM_KEYDOWN, key, 0); }

class CDMusic : public CDTest {
 protected:
  void InsertDisc(int tracks, int sectors = 4) {
    WriteImage(dir.path, std::vector<ImageTrack>(static_cast<size_t>(tracks), {true, sectors}));
    ASSERT_TRUE(cdInit());
  }
};

// Next and previous wrap around the disc; with nothing playing they count from track 1.
TEST_F(CDMusic, NextAndPreviousOnTenTracksAndOnOne) {
  // The disc's tracks, the one playing (0: none), next or previous, the one then playing.
  const std::tuple<int, int, bool, int> cases[] = {
      {10, 9, true, 10}, {10, 10, true, 1},   {10, 1, false, 1}, {10, 0, true, 2},
      {10, 0, false, 1}, {10, 10, false, 10}, {1, 1, true, 1},   {1, 1, false, 1}};
  for (const auto& [tracks, playing, next, plays] : cases) {
    if (CD.CDTrackCount != tracks) {
      ASSERT_TRUE(cdClose());
      ASSERT_NO_FATAL_FAILURE(InsertDisc(tracks));
    }
    if (playing) {  // as if from a request of the game's
      ASSERT_EQ(Send("play cdaudio from " + std::to_string(playing) + " notify"), "");
      CD.CDPlaying = true;
      TakeNotifications();
    } else {
      ASSERT_TRUE(cdPause());
    }
    ASSERT_TRUE(next ? cdNextTrack() : cdPrevTrack());
    EXPECT_EQ(std::pair(CD.CDPlaying, CurrentTrack()), std::pair(true, plays))
        << tracks << " tracks, " << (next ? "N" : "P") << " while playing " << playing;
  }
}

// With the switch the device is never opened and the music keys do nothing; while the disc
// is closed nothing is sent, so the device stays closed. Keys during the name entry leave the
// music alone; a superseded request's notification only clears the playing flag.
TEST_F(CDMusic, OffReadyPlayingAndBack) {
  WriteImage(dir.path, {{true, 10}});
  Switches.NoCDMusic = true;
  EXPECT_TRUE(cdInit());
  EXPECT_FALSE(CD.CDOpen);
  for (win::WPARAM key : {'M', 'N', 'P'}) Key(key);
  EXPECT_FALSE(CD.CDPlaying);
  Switches.NoCDMusic = false;
  EXPECT_TRUE(cdResume() && cdPause() && cdNextTrack() && cdPrevTrack() && cdStop() && cdClose());
  EXPECT_EQ(Send("status cdaudio media present"), "error 263");

  ASSERT_NO_FATAL_FAILURE(InsertDisc(3, 20));
  EXPECT_FALSE(CD.CDPlaying);
  mci::testing::Advance(100);  // ready: nothing plays yet
  ASSERT_TRUE(cdResume());     // the settings screen switching music on
  EXPECT_TRUE(CD.CDPlaying);
  std::vector<int16_t> heard = mci::testing::Advance(700);
  EXPECT_EQ(std::pair(heard[0], heard[1]),
            std::pair(FrameMark(0), TrackMark(1)));  // from the start
  Key('M');
  EXPECT_FALSE(CD.CDPlaying);
  EXPECT_TRUE(mci::testing::Advance(100).empty());
  Key('M');
  EXPECT_TRUE(CD.CDPlaying);
  EXPECT_EQ(mci::testing::Advance(1)[0], FrameMark(700));
  TakeNotifications();
  Screen.NameEntry = 1;
  for (win::WPARAM key : {'M', 'N', 'P'}) Key(key);
  EXPECT_EQ(std::tuple(CD.CDPlaying, CurrentTrack()), std::tuple(true, 1));
  EXPECT_EQ(DeliverNotifications(), 0);
  Screen.NameEntry = 0;
  Key('N');  // supersedes the request of the resume
  EXPECT_EQ(CurrentTrack(), 2);
  EXPECT_EQ(DeliverNotifications(), 1);
  EXPECT_FALSE(CD.CDPlaying);
  EXPECT_EQ(mci::testing::Advance(1)[1], TrackMark(2));  // no other track was started

  ASSERT_TRUE(cdInit());  // again while open: stopped and reopened
  EXPECT_EQ(std::pair(CD.CDOpen, CD.CDPlaying), std::pair(true, false));
  ASSERT_TRUE(cdResume());
  ASSERT_TRUE(cdClose());
  EXPECT_FALSE(CD.CDOpen || CD.CDPlaying);
  EXPECT_EQ(Send("status cdaudio media present"), "error 263");
  EXPECT_TRUE(win::testing::MessageBoxes().empty());
}

// Track 1 is the game's intro: at the end of the disc the music goes round from track 2,
// unless there is no other.
TEST_F(CDMusic, EndOfDiscStartsAgainFromTrackTwoOrTheOnlyTrack) {
  for (const auto& [tracks, again] : {std::pair{3, 2}, std::pair{1, 1}}) {
    SCOPED_TRACE(tracks);
    ASSERT_NO_FATAL_FAILURE(InsertDisc(tracks));
    ASSERT_TRUE(tracks > 1 ? cdNextTrack() : cdResume());
    for (int round = 0; round < 2; ++round) {
      mci::testing::Advance(1000 * FramesPerSector);  // to the end of the disc
      EXPECT_EQ(DeliverNotifications(), 1);
      EXPECT_TRUE(CD.CDPlaying);
      EXPECT_EQ(CurrentTrack(), again);
    }
    ASSERT_TRUE(cdClose());
    TakeNotifications();  // the close's, before the next disc
  }
}

// A device that refuses to stop at exit reports it once: the message does not start the
// release over again.
TEST_F(CDTest, AFailingStopWhileReleasingAllShowsOneMessage) {
  CD.CDOpen = true;  // the device itself is closed, so "stop cdaudio" fails
  sysReleaseAll();
  EXPECT_FALSE(CD.CDOpen);
  EXPECT_EQ(win::testing::MessageBoxes(), std::vector<std::string>{"stop cdaudio"});
  sysReleaseAll();  // nothing left to release
  EXPECT_EQ(win::testing::MessageBoxes().size(), 1u);
}

TEST_F(CDTest, BadDiscsOpenOnlyAsFarAsTheyHoldMusicAndPlayWithinBounds) {
  std::string garbage(600, '\0');
  for (size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<char>(i * 37 + 11);
  const std::string one = "FILE \"disc.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 ";
  const struct {
    const char* what;
    bool mayOpen;
    std::vector<ImageTrack> tracks;  // none: no image
    std::string cue;                 // empty: the image's own
    uintmax_t cutTo = 0;
  } cases[] = {
      {"no disc", false, {}, ""},
      {"a data track first", false, {{false, 10}, {true, 10}}, ""},
      {"no tracks", false, {}, "REM no tracks at all\nFILE \"disc.bin\" BINARY\n"},
      {"garbage sheet", false, {{true, 4}}, garbage},
      {"sheet without its image", false, {}, one + "00:00:00\n"},
      {"track beyond a short image",
       true,
       {{true, 4}},
       one + "00:00:00\n  TRACK 02 AUDIO\n    INDEX 01 10:00:00\n"},
      {"image cut inside a sector", true, {{true, 3}, {true, 3}}, "", 5 * 2352 + 1000},
      {"malformed index", true, {{true, 4}}, one + "00:00:99\n"},
      {"track numbers out of order",
       false,
       {{true, 4}, {true, 4}},
       one + "00:00:00\n  TRACK 03 AUDIO\n    INDEX 01 00:00:04\n"},
  };
  int n = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const fs::path folder = dir.path / std::to_string(++n);
    fs::create_directory(folder);
    if (!c.tracks.empty()) WriteImage(folder, c.tracks);
    if (!c.cue.empty()) WriteFile(folder / "disc.cue", c.cue);
    if (c.cutTo) fs::resize_file(folder / "disc.bin", c.cutTo);
    mci::testing::SetDiscFolder(folder.string());
    ASSERT_TRUE(cdInit());
    EXPECT_TRUE(win::testing::MessageBoxes().empty());
    if (!CD.CDOpen) {
      EXPECT_EQ(Send("status cdaudio media present"), "error 263");  // closed again
      continue;
    }
    EXPECT_TRUE(c.mayOpen);
    // Whatever opens must play to its end and stop there.
    const uintmax_t binBytes = fs::file_size(folder / "disc.bin");
    ASSERT_TRUE(cdResume());
    const size_t frames = mci::testing::Advance(binBytes).size() / 2;
    EXPECT_LE(frames * 4, binBytes);
    EXPECT_TRUE(mci::testing::Advance(10).empty());  // over, nothing left to read
    EXPECT_EQ(TakeNotifications(), std::vector<uint64_t>{mci::MCI_NOTIFY_SUCCESSFUL});
    ASSERT_TRUE(cdClose());
  }
}

// Not silence where the music should be.
TEST_F(CDTest, DemoDiscIsAMusicDisc) {
  mci::testing::SetDiscFolder(NAUVREL_BINARY_DIR "/CD");
  ASSERT_TRUE(cdInit());
  EXPECT_EQ(CD.CDTrackCount, 3);
  ASSERT_TRUE(cdNextTrack());
  std::vector<int16_t> heard = mci::testing::Advance(44100 * 10);
  int loudest = 0;
  for (int16_t s : heard) loudest = std::max(loudest, std::abs(int{s}));
  EXPECT_GT(loudest, 8000);
  EXPECT_LT(loudest, 32767);
}

}  // namespace
}  // namespace cdtest
