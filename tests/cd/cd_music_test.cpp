// The game's CD music over the device: the state table, the next and previous track
// values, the end of the disc and the notifications as the window procedure handles them.
#include "app/init.h"
#include "app/shell.h"
#include "audio/cd.h"
#include "platform/cdaudio/mci.h"
#include "platform/window/window.h"
#include "screens/modes.h"
#include "support/disc_fixture.h"

namespace cdtest {
namespace {

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
    ASSERT_TRUE(CD.CDOpen);
  }
  // As if track `track` were playing from a request of the game's.
  void Playing(int track) {
    ASSERT_EQ(Send("play cdaudio from " + std::to_string(track) + " notify"), "");
    CD.CDPlaying = true;
    TakeNotifications();
  }
};

// Next and previous wrap around the disc; with nothing playing they count from track 1.
TEST_F(CDMusic, NextAndPreviousOnTenTracksAndOnOne) {
  const struct {
    int tracks, playing;  // 0: nothing playing
    bool next;
    int plays;
  } cases[] = {{10, 9, true, 10}, {10, 10, true, 1},   {10, 1, false, 1}, {10, 0, true, 2},
               {10, 0, false, 1}, {10, 10, false, 10}, {1, 1, true, 1},   {1, 1, false, 1}};
  int inserted = 0;
  for (const auto& c : cases) {
    if (c.tracks != inserted) {
      if (inserted) {
        ASSERT_TRUE(cdClose());
      }
      ASSERT_NO_FATAL_FAILURE(InsertDisc(inserted = c.tracks));
      EXPECT_EQ(CD.CDTrackCount, c.tracks);
    }
    if (c.playing)
      ASSERT_NO_FATAL_FAILURE(Playing(c.playing));
    else
      ASSERT_TRUE(cdPause());
    ASSERT_TRUE(c.next ? cdNextTrack() : cdPrevTrack());
    EXPECT_TRUE(CD.CDPlaying);
    EXPECT_EQ(CurrentTrack(), c.plays)
        << c.tracks << " tracks, " << (c.next ? "N" : "P") << " while playing " << c.playing;
  }
  EXPECT_TRUE(win::testing::MessageBoxes().empty());
}

// With the switch the device is never opened and the music keys do nothing; while the disc
// is closed nothing is sent, so the device stays closed.
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
  EXPECT_EQ(heard[1], TrackMark(1));
  EXPECT_EQ(heard[0], FrameMark(0));  // from the start of the disc
  Key('M');
  EXPECT_FALSE(CD.CDPlaying);
  EXPECT_TRUE(mci::testing::Advance(100).empty());
  Key('M');
  EXPECT_TRUE(CD.CDPlaying);
  EXPECT_EQ(mci::testing::Advance(1)[0], FrameMark(700));

  ASSERT_TRUE(cdInit());  // again while open: stopped and reopened
  EXPECT_TRUE(CD.CDOpen);
  EXPECT_FALSE(CD.CDPlaying);
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
    EXPECT_EQ(mci::testing::Advance(1)[1], TrackMark(again));
    ASSERT_TRUE(cdClose());
    TakeNotifications();  // the close's, before the next disc
  }
}

// Keys during the name entry leave the music alone; a superseded request's notification
// only clears the playing flag.
TEST_F(CDMusic, NameEntryKeysAreIgnoredAndASupersededRequestOnlyClearsPlaying) {
  ASSERT_NO_FATAL_FAILURE(InsertDisc(3));
  ASSERT_TRUE(cdResume());
  Screen.NameEntry = 1;
  for (win::WPARAM key : {'M', 'N', 'P'}) Key(key);
  EXPECT_TRUE(CD.CDPlaying);
  EXPECT_EQ(CurrentTrack(), 1);
  EXPECT_EQ(DeliverNotifications(), 0);
  Screen.NameEntry = 0;
  Key('N');  // supersedes the request of cdResume
  EXPECT_EQ(CurrentTrack(), 2);
  EXPECT_EQ(DeliverNotifications(), 1);
  EXPECT_FALSE(CD.CDPlaying);
  EXPECT_EQ(DeliverNotifications(), 0);
  EXPECT_EQ(mci::testing::Advance(1)[1], TrackMark(2));  // no other track was started
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

}  // namespace
}  // namespace cdtest
