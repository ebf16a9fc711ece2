// The seed corpora of the fuzz targets run through the same entry functions.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/fuzz_entries.h"

namespace {
int RunCorpus(const char* name, void (*entry)(const uint8_t*, size_t)) {
  const auto corpus = std::filesystem::path(NAUVREL_SOURCE_DIR) / "tests/fuzz/corpus" / name;
  int seeds = 0;
  for (const auto& file : std::filesystem::directory_iterator(corpus)) {
    std::ifstream in(file.path(), std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    entry(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    ++seeds;
  }
  return seeds;
}
}  // namespace

TEST(FuzzCorpus, PicturesDecodeOrAreRefused) {
  EXPECT_GE(RunCorpus("picture", FuzzPictureLoad), 5);
}

TEST(FuzzCorpus, DemosReadOrAreRefused) { EXPECT_GE(RunCorpus("demo", FuzzDemoReader), 5); }
