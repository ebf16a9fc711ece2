// The seed corpora of the fuzz targets run through the same entry functions. What each
// reader refuses is its own tests'; here every seed must only come through.
#include <gtest/gtest.h>

#include "support/files.h"
#include "support/fuzz_entries.h"

namespace {

TEST(FuzzCorpus, EverySeedComesThroughItsEntry) {
  using Entry = void (*)(const uint8_t*, size_t);
  for (const auto& [corpus, entry] :
       {std::pair<const char*, Entry>{"picture", FuzzPictureLoad},
        {"demo", FuzzDemoReader},
        {"archive", FuzzArchiveReader},
        {"wav", [](const uint8_t*data, size_t size) { FuzzWavBuffer(data, size); }}}) {
    const auto seeds = CorpusSeeds(corpus);
    EXPECT_GE(seeds.size(), 5u) << corpus;
    for (const auto& [name, bytes] : seeds)
      entry(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  }
}

}  // namespace
