// Folders of track files named as rippers and other ports name them.
#include <SDL.h>
#include <gtest/gtest.h>

#include <string>

#include "platform/cdaudio/disc.h"
#include "platform/cdaudio/mci.h"
#include "platform/system/debug.h"
#include "support/disc_fixture.h"

namespace cdtest {
namespace {

using mci::testing::Advance;

TEST(TrackNames, EachSchemeGivesItsNumber) {
  const struct {
    const char* file;
    int track;
  } cases[] = {
      {"01 Intro.ogg", 1},   {"02.flac", 2},     {"03 - Title.mp3", 3},
      {"Track04.ogg", 4},    {"track05.wav", 5}, {"Track 06.opus", 6},
      {"TRACK_07.OGG", 7},   {"Music08.ogg", 8}, {"disc_09.flac", 9},
      {"Nauvrel12.mp3", 12}, {"99.wav", 99},     {"Track 3 Title.ogg", 3},
      {"Bonus 04.wav", -1},  {"cover.jpg", -1},  {"Track.ogg", -1},
      {"00.ogg", -1},        {"100.ogg", -1},    {"1999 - Intro.ogg", -1},
  };
  for (const auto& c : cases) EXPECT_EQ(mci::TrackNumberOf(c.file), c.track) << c.file;
}

void KeepLine(void* log, int, SDL_LogPriority, const char* message) {
  *static_cast<std::string*>(log) += std::string(message) + "\n";
}

// Samples carry 100 × the number WriteWav was given: each file plays as its own track.
TEST_F(CDTest, AFolderFromTrackTwoKeepsTheDiscsNumbers) {
  WriteWav(dir.path / "Track02.WAV", 2, 44100 * 61);
  WriteWav(dir.path / "track 03.wav", 3, 300);
  WriteWav(dir.path / "Music_04.wav", 4, 300);
  WriteFile(dir.path / "Track05.txt", "not audio");
  std::string log;
  SDL_LogSetOutputFunction(KeepLine, &log);
  EnableDebugOutput();
  const std::string opened = Send("open cdaudio");
  SDL_LogResetPriorities();
  SDL_LogSetOutputFunction(nullptr, nullptr);
  ASSERT_EQ(opened, "");
  // The debug log says what became of the data track and lists every track it found.
  EXPECT_NE(log.find("starts at track 02"), std::string::npos) << log;
  EXPECT_NE(log.find("track 01   0:00 (empty)"), std::string::npos) << log;
  EXPECT_NE(log.find("track 02   1:01 " + (dir.path / "Track02.WAV").string()), std::string::npos)
      << log;
  EXPECT_NE(log.find("track 04   0:00 " + (dir.path / "Music_04.wav").string()), std::string::npos)
      << log;
  EXPECT_EQ(Send("status cdaudio number of tracks"), "4");
  // The game accepts the disc only when track 1 is music; the ripped-away data track passes.
  EXPECT_EQ(Send("status cdaudio type track 1", 10), "zvuk");
  ASSERT_EQ(Send("set cdaudio time format tmsf"), "");
  for (int track : {2, 3, 4}) {
    ASSERT_EQ(Send("play cdaudio from " + std::to_string(track) + " notify"), "");
    const std::vector<int16_t> heard = Advance(10);
    ASSERT_EQ(heard.size(), 20u) << track;
    EXPECT_EQ(heard[1], TrackMark(track)) << track;
  }
  // From the start of the disc the music begins at once with track 2.
  ASSERT_EQ(Send("play cdaudio from 1 notify"), "");
  const std::vector<int16_t> heard = Advance(10);
  ASSERT_EQ(heard.size(), 20u);
  EXPECT_EQ(heard[1], TrackMark(2));
}

}  // namespace
}  // namespace cdtest
