// The discs the game may find: the demo disc the build writes beside the program, a music
// disc of three pieces; no disc, discs without music and broken images, refused or played
// within their bounds, never read past, and never with a message.
#include <filesystem>
#include <vector>

#include "audio/cd.h"
#include "platform/cdaudio/mci.h"
#include "platform/window/window.h"
#include "support/disc_fixture.h"
#include "support/files.h"

namespace cdtest {
namespace {

namespace fs = std::filesystem;

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
       {{true, 4}},
       "FILE \"disc.bin\" BINARY\n  TRACK 99 AUDIO\n    INDEX 01 00:00:00\n  TRACK 01 AUDIO\n"},
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
  ASSERT_TRUE(CD.CDOpen);
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
