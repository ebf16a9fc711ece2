// The registry fuzz entries over their seed corpus: every seed holds the invariants.
#include <gtest/gtest.h>

#include "fuzz/registry_fuzz.h"
#include "platform/registry/file.h"
#include "support/hive_files.h"

namespace {

const uint8_t* Data(const std::string& bytes) {
  return reinterpret_cast<const uint8_t*>(bytes.data());
}

TEST(RegistryFuzzCorpus, EveryReaderSeedHoldsTheInvariants) {
  const auto seeds = CorpusSeeds("registry/reader");
  EXPECT_GE(seeds.size(), 5u);
  for (const auto& [name, bytes] : seeds) {
    SCOPED_TRACE(name);
    reg::file::Document doc;
    std::string error;
    // nohive-*: no registry file; damaged-*: lines passed over; the rest read whole.
    EXPECT_EQ(reg::file::Parse(bytes, doc, error), !name.starts_with("nohive")) << error;
    EXPECT_EQ(doc.damage.empty(), !name.starts_with("damaged")) << doc.damage;
    FuzzRegistryFile(Data(bytes), bytes.size());
  }
}

TEST(RegistryFuzzCorpus, EveryHiScoreSeedHoldsTheInvariants) {
  IsolatedUserData data;
  const auto seeds = CorpusSeeds("registry/hiscore");
  EXPECT_GE(seeds.size(), 5u);
  for (const auto& [name, bytes] : seeds) {
    SCOPED_TRACE(name);
    FuzzHiScoreValue(Data(bytes), bytes.size());
  }
}

}  // namespace
