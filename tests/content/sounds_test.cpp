// Every sound makes a buffer through the game's WAV reader, and it is heard.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "archive_members.h"
#include "audio/sound_state.h"
#include "audio/wav.h"

namespace {

TEST(ArchiveSounds, EveryWaveMakesABufferThatIsNotSilence) {
  ASSERT_EQ(ds::DirectSoundCreate(nullptr, Sound.dsObject), ds::DS_OK);
  ASSERT_EQ(Sound.dsObject->SetCooperativeLevel(nullptr, ds::DSSCL_PRIORITY), ds::DS_OK);
  for (const char* name : {"Bonus", "ExplodeB1", "ExplodeB2", "ExplodeB3", "ExplodeB4", "LevelUp",
                           "MenuClick", "NauvrelExpl"}) {
    SCOPED_TRACE(name);
    const auto bytes = ArchiveMember(std::string("Zvuk/") + name + ".wav");
    GlobalBlock image = GlobalBlock::Alloc(bytes.size());
    ASSERT_TRUE(image);
    std::memcpy(image.Lock().data(), bytes.data(), bytes.size());
    const ds::LPDIRECTSOUNDBUFFER buffer = wavCreateBuffer(image);
    ASSERT_TRUE(buffer);
    const std::vector<int16_t>& samples = *ds::testing::DeviceSamples(buffer.get());
    EXPECT_GT(samples.size(), 2000u);
    int peak = 0;
    for (int16_t s : samples) peak = std::max(peak, std::abs(int{s}));
    EXPECT_GT(peak, 16000);
  }
  Sound.dsObject.reset();
}

}  // namespace
