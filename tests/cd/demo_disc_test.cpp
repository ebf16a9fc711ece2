// The disc the build writes beside the program opens as a music disc of three pieces.
#include "audio/cd.h"
#include "platform/cdaudio/mci.h"
#include "support/disc_fixture.h"

namespace cdtest {
namespace {

TEST_F(CDTest, DemoDiscIsAMusicDisc) {
  mci::testing::SetDiscFolder(NAUVREL_BINARY_DIR "/CD");
  ASSERT_TRUE(cdInit());
  ASSERT_TRUE(CD.CDOpen);
  EXPECT_EQ(CD.CDTrackCount, 3);
  for (int track = 1; track <= 3; ++track) {
    std::string t = std::to_string(track);
    EXPECT_EQ(Send("status cdaudio type track " + t, 10), "zvuk");
    // A minute or two each: playing from a minute in works, two minutes in is past the end.
    EXPECT_EQ(Send("play cdaudio from " + t + ":01:00:00"), "");
    EXPECT_NE(Send("play cdaudio from " + t + ":02:00:00"), "");
  }
  // Not silence where the music should be.
  ASSERT_TRUE(cdNextTrack());
  std::vector<int16_t> heard = mci::testing::Advance(44100 * 10);
  int loudest = 0;
  for (int16_t s : heard) loudest = std::max(loudest, std::abs(int{s}));
  EXPECT_GT(loudest, 8000);
  EXPECT_LT(loudest, 32767);
}

}  // namespace
}  // namespace cdtest
