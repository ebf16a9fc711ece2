// The registry fuzz entries over their seed corpus: every seed holds the invariants.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "fuzz/registry_fuzz.h"
#include "hive_files.h"
#include "platform/registry_file.h"

namespace {

std::vector<std::filesystem::path> Seeds(const char* corpus) {
  std::vector<std::filesystem::path> seeds;
  const auto folder =
      std::filesystem::path(NAUVREL_SOURCE_DIR) / "tests/fuzz/corpus/registry" / corpus;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    if (entry.is_regular_file()) seeds.push_back(entry.path());
  return seeds;
}

}  // namespace

TEST(RegistryFuzzCorpus, EveryReaderSeedHoldsTheInvariants) {
  const auto seeds = Seeds("reader");
  EXPECT_GE(seeds.size(), 5u);
  for (const auto& seed : seeds) {
    SCOPED_TRACE(seed.filename().string());
    const std::string bytes = ReadText(seed);
    reg::file::Document doc;
    std::string error;
    EXPECT_EQ(reg::file::Parse(bytes, doc, error), !seed.filename().string().starts_with("broken"))
        << error;
    FuzzRegistryFile(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  }
}

TEST(RegistryFuzzCorpus, EveryHiScoreSeedHoldsTheInvariants) {
  IsolatedUserData data;
  const auto seeds = Seeds("hiscore");
  EXPECT_GE(seeds.size(), 5u);
  for (const auto& seed : seeds) {
    SCOPED_TRACE(seed.filename().string());
    const std::string bytes = ReadText(seed);
    FuzzHiScoreValue(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  }
}
