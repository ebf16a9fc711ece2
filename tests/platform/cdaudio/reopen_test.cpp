// The music goes on where it was when the audio output is opened again.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/cdaudio/mci.h"
#include "platform/cdaudio/playback.h"
#include "platform/sound/mixer.h"
#include "support/disc_fixture.h"

namespace cdtest {
namespace {

// Waits until the listener has heard past `frame` of track 1, or gives up.
bool HeardPast(int64_t frame) {
  for (int i = 0; i < 400; ++i) {
    const mci::DiscPosition at = mci::PlayedPosition();
    if (at.track == 1 && at.frame > frame) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return false;
}

class MciReopen : public CDTest {
 protected:
  void SetUp() override {
    CDTest::SetUp();
    mci::testing::SetManualStreaming(false);  // the audio callback pulls the disc
    WriteImage(dir.path, {{true, 2000}});
    ASSERT_EQ(Send("open cdaudio"), "");
  }
  void TearDown() override {
    mixer::testing::NoOutput(false);
    CDTest::TearDown();
  }
};

TEST_F(MciReopen, PlaybackGoesOnFromWhereItWas) {
  ASSERT_EQ(Send("play cdaudio from 0:0:0"), "");
  ASSERT_TRUE(HeardPast(0));
  ASSERT_TRUE(mixer::Reopen());
  const int64_t at = mci::PlayedPosition().frame;
  EXPECT_GT(at, 0);  // not back at the start
  EXPECT_TRUE(HeardPast(at)) << "the callback pulls again after the reopen";

  mixer::testing::NoOutput(true);
  EXPECT_FALSE(mixer::Reopen());
  mixer::testing::NoOutput(false);
  EXPECT_TRUE(mixer::Reopen());  // a later output is taken up again
  EXPECT_TRUE(HeardPast(mci::PlayedPosition().frame));
}

}  // namespace
}  // namespace cdtest
