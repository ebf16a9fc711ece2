// The seed corpora of the fuzz targets run through the same entry functions; the seeds that
// stand for a case must also get the reader's verdict.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>

#include "fs/spl_tree.h"
#include "support/files.h"
#include "support/fuzz_entries.h"

namespace {

const uint8_t* Data(const std::string& bytes) {
  return reinterpret_cast<const uint8_t*>(bytes.data());
}

TEST(FuzzCorpus, PicturesAndDemosDecodeOrAreRefused) {
  using Entry = void (*)(const uint8_t*, size_t);
  for (const auto& [corpus, entry] :
       {std::pair<const char*, Entry>{"picture", FuzzPictureLoad}, {"demo", FuzzDemoReader}}) {
    const auto seeds = CorpusSeeds(corpus);
    EXPECT_GE(seeds.size(), 5u) << corpus;
    for (const auto& [name, bytes] : seeds) entry(Data(bytes), bytes.size());
  }
}

// Seeds named good-* make a buffer that plays; bad-* are refused.
TEST(FuzzCorpus, GoodWavSeedsPlayAndBadOnesAreRefused) {
  int good = 0;
  const auto seeds = CorpusSeeds("wav");
  for (const auto& [name, bytes] : seeds) {
    const bool expected = name.starts_with("good-");
    EXPECT_EQ(FuzzWavBuffer(Data(bytes), bytes.size()), expected) << name;
    good += expected;
  }
  EXPECT_GE(good, 4);
  EXPECT_GE(static_cast<int>(seeds.size()) - good, 6);
}

TEST(FuzzCorpus, ArchiveSeedsRunThroughTheReaderWithTheirVerdicts) {
  const std::map<std::string, bool> verdicts = {
      {"minimal.arc", true},     {"small.arc", true},   {"deep64.arc", true},
      {"interleaved.arc", true}, {"tail.arc", true},    {"absurd.arc", true},
      {"badtag.arc", false},     {"nested.arc", false}, {"truncated.arc", false}};
  auto seeds = CorpusSeeds("archive");
  EXPECT_GE(seeds.size(), verdicts.size());
  for (auto& [name, bytes] : seeds) {
    FuzzArchiveReader(Data(bytes), bytes.size());
    const auto verdict = verdicts.find(name);
    if (verdict == verdicts.end()) continue;  // others only must not crash
    FILE* stream = fmemopen(bytes.data(), bytes.size(), "rb");
    ASSERT_TRUE(stream);
    TSPLDir* root = FS_ReadDir(stream);
    EXPECT_EQ(root != nullptr, verdict->second) << name;
    FS_FreeDir(root);
    std::fclose(stream);
  }
}

}  // namespace
