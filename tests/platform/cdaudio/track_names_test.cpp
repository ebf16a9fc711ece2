// Folders of track files named as rippers name them, and CUE sheets whose track numbers
// libcdio would index its tables out of bounds with, refused before it reads them.
#include <gtest/gtest.h>

#include <string>

#include "platform/cdaudio/disc.h"
#include "platform/cdaudio/mci.h"
#include "support/disc_fixture.h"

namespace cdtest {
namespace {

using mci::testing::Advance;

TEST(TrackNames, EachSchemeGivesItsNumber) {
  const struct {
    const char* file;
    int track;
  } cases[] = {
      {"01 Intro.ogg", 1}, {"TRACK_07.OGG", 7}, {"Music08.ogg", 8},       {"disc_09.flac", 9},
      {"99.wav", 99},      {"00.ogg", -1},      {"100.ogg", -1},          {"Bonus 04.wav", -1},
      {"cover.jpg", -1},   {"Track.ogg", -1},   {"1999 - Intro.ogg", -1},
  };
  for (const auto& c : cases) EXPECT_EQ(mci::TrackNumberOf(c.file), c.track) << c.file;
}

// Samples carry 100 × the number WriteWav was given. Each file plays as its own track in the
// order of the numbers, one file a number; a folder from track 2 keeps the disc's numbers.
TEST_F(CDTest, AFolderPlaysItsFilesInNumberOrderAndKeepsTheDiscsNumbers) {
  WriteWav(dir.path / "Track02.WAV", 2, 44100 * 61);
  WriteWav(dir.path / "10 Last.wav", 4, 300);
  WriteWav(dir.path / "track 03.wav", 3, 300);
  WriteWav(dir.path / "track 3 again.wav", 9, 300);  // a second track 3: left out
  WriteWav(dir.path / "Bonus 04.wav", 9, 300);       // no number in front: not a track
  WriteFile(dir.path / "Track05.txt", "not audio");
  ASSERT_EQ(Send("open cdaudio"), "");
  EXPECT_EQ(Send("status cdaudio number of tracks"), "4");
  // The game accepts the disc only when track 1 is music; the ripped-away data track passes.
  EXPECT_EQ(Send("status cdaudio type track 1", 10), "zvuk");
  ASSERT_EQ(Send("set cdaudio time format tmsf"), "");
  // From the start of the disc the music begins at once with track 2.
  for (int track : {2, 3, 4, 1}) {
    ASSERT_EQ(Send("play cdaudio from " + std::to_string(track)), "");
    const std::vector<int16_t> heard = Advance(10);
    ASSERT_EQ(heard.size(), 20u) << track;
    EXPECT_EQ(heard[1], TrackMark(track == 1 ? 2 : track)) << track;
  }
  // From one file into the next, to the end of the disc.
  ASSERT_EQ(Send("play cdaudio from 3 notify"), "");
  const std::vector<int16_t> heard = Advance(10000);
  ASSERT_EQ(heard.size(), 600u * 2);
  EXPECT_EQ(heard[299 * 2 + 1], TrackMark(3));
  EXPECT_EQ(heard[300 * 2], FrameMark(0));
  EXPECT_EQ(heard[300 * 2 + 1], TrackMark(4));
  EXPECT_EQ(TakeNotifications(), std::vector<uint64_t>{mci::MCI_NOTIFY_SUCCESSFUL});
}

// Any case, indented, CRLF; a sheet without tracks is libcdio's to refuse.
TEST(CueSheet, TrackNumbersMustRiseByOneWithinTheDisc) {
  for (const char* tracks :
       {"TRACK 01 AUDIO\nTRACK 02 AUDIO\n", "  track 05 audio\r\n\tTrack 06 MODE1/2352\r\n",
        "REM TRACK 99\nTRACK 98 AUDIO\nTRACK 99 AUDIO\n", "FILE \"a.bin\" BINARY\n"})
    EXPECT_TRUE(mci::CueTracksInOrder(tracks)) << tracks;
  for (const char* tracks : {"TRACK 99 AUDIO\nTRACK 01 AUDIO\n", "TRACK 01 AUDIO\nTRACK 03 AUDIO\n",
                             "TRACK 01 AUDIO\nTRACK 01 AUDIO\n", "TRACK 00 AUDIO\n",
                             "TRACK 100 AUDIO\n", "TRACK x1 AUDIO\n", "TRACK\n"})
    EXPECT_FALSE(mci::CueTracksInOrder(tracks)) << tracks;
}

}  // namespace
}  // namespace cdtest
