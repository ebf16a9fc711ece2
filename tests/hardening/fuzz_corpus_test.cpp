// The seed corpora of the fuzz targets run through the same entry functions. What the
// archive reader refuses is its own tests'; here every seed must only come through.
#include <gtest/gtest.h>

#include "support/files.h"
#include "support/fuzz_entries.h"

namespace {

const uint8_t* Data(const std::string& bytes) {
  return reinterpret_cast<const uint8_t*>(bytes.data());
}

// Seeds named good-* make a sound buffer that plays; bad-* are refused.
TEST(FuzzCorpus, EverySeedComesThroughAndTheWavSeedsPlayAsNamed) {
  using Entry = void (*)(const uint8_t*, size_t);
  for (const auto& [corpus, entry] : {std::pair<const char*, Entry>{"picture", FuzzPictureLoad},
                                      {"demo", FuzzDemoReader},
                                      {"archive", FuzzArchiveReader}}) {
    const auto seeds = CorpusSeeds(corpus);
    EXPECT_GE(seeds.size(), 5u) << corpus;
    for (const auto& [name, bytes] : seeds) entry(Data(bytes), bytes.size());
  }
  int good = 0;
  const auto seeds = CorpusSeeds("wav");
  for (const auto& [name, bytes] : seeds) {
    good += name.starts_with("good-");
    EXPECT_EQ(FuzzWavBuffer(Data(bytes), bytes.size()), name.starts_with("good-")) << name;
  }
  EXPECT_TRUE(good >= 4 && static_cast<int>(seeds.size()) - good >= 6) << good;
}

}  // namespace
