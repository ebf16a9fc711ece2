// The registry fuzz entries over their seed corpus: every seed holds the invariants (the
// entries abort when one breaks; what the parser makes of a file is its own test's).
#include <gtest/gtest.h>

#include "fuzz/registry_fuzz.h"
#include "support/hive_files.h"

namespace {

TEST(RegistryFuzzCorpus, EverySeedHoldsTheInvariants) {
  IsolatedUserData data;
  using Entry = int (*)(const uint8_t*, size_t);
  for (const auto& [corpus, entry] :
       {std::pair<const char*, Entry>{"registry/reader", FuzzRegistryFile},
        {"registry/hiscore", FuzzHiScoreValue}}) {
    const auto seeds = CorpusSeeds(corpus);
    EXPECT_GE(seeds.size(), 5u) << corpus;
    for (const auto& [name, bytes] : seeds)
      entry(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  }
}

}  // namespace
