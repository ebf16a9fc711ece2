// Every sound parses as the game's loader parses it: a RIFF WAVE form, a PCM "fmt " chunk of
// at least 16 bytes and a "data" chunk inside the file; and it is clean to play.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "archive_members.h"

namespace {

uint32_t le32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (uint32_t(b[at + 3]) << 24);
}
uint16_t le16(const std::vector<uint8_t>& b, size_t at) { return b[at] | (b[at + 1] << 8); }

struct Wave {
  uint16_t format = 0, channels = 0, bits = 0, blockAlign = 0;
  uint32_t rate = 0, byteRate = 0;
  std::vector<int16_t> samples;
  bool ok = false;
};

// Walks the chunks like the memory-file parser: the subchunks of the RIFF form, in any order.
Wave parse(const std::vector<uint8_t>& b) {
  Wave w;
  if (b.size() < 12 || std::memcmp(b.data(), "RIFF", 4) || std::memcmp(&b[8], "WAVE", 4)) return w;
  const size_t end = std::min<size_t>(b.size(), 8 + size_t(le32(b, 4)));
  bool haveFormat = false, haveData = false;
  for (size_t at = 12; at + 8 <= end;) {
    const uint32_t size = le32(b, at + 4);
    if (at + 8 + size > end) return w;
    if (!std::memcmp(&b[at], "fmt ", 4)) {
      if (size < 16) return w;
      w.format = le16(b, at + 8);
      w.channels = le16(b, at + 10);
      w.rate = le32(b, at + 12);
      w.byteRate = le32(b, at + 16);
      w.blockAlign = le16(b, at + 20);
      w.bits = le16(b, at + 22);
      haveFormat = true;
    } else if (!std::memcmp(&b[at], "data", 4)) {
      w.samples.resize(size / 2);
      std::memcpy(w.samples.data(), &b[at + 8], size / 2 * 2);
      haveData = true;
    }
    at += 8 + size + (size & 1);
  }
  w.ok = haveFormat && haveData;
  return w;
}

const char* kSounds[] = {"Bonus",     "ExplodeB1", "ExplodeB2", "ExplodeB3",
                         "ExplodeB4", "LevelUp",   "MenuClick", "NauvrelExpl"};

double seconds(const Wave& w) { return double(w.samples.size()) / w.channels / w.rate; }

TEST(ArchiveSounds, EveryWaveIsSixteenBitPcmNormalisedWithoutClicksAtTheEnds) {
  for (const char* name : kSounds) {
    SCOPED_TRACE(name);
    const Wave w = parse(ArchiveMember(std::string("Zvuk/") + name + ".wav"));
    ASSERT_TRUE(w.ok);
    EXPECT_EQ(w.format, 1);
    EXPECT_EQ(w.bits, 16);
    EXPECT_TRUE(w.channels == 1 || w.channels == 2);
    EXPECT_EQ(w.blockAlign, w.channels * 2);
    EXPECT_EQ(w.byteRate, w.rate * w.blockAlign);
    ASSERT_GT(w.samples.size(), 1000u);
    int peak = 0;
    for (int16_t s : w.samples) peak = std::max(peak, std::abs(int(s)));
    EXPECT_GT(peak, 16000);
    EXPECT_LT(peak, 32700);  // no clipping
    EXPECT_LT(std::abs(int(w.samples.front())), 200);
    EXPECT_LT(std::abs(int(w.samples.back())), 200);
  }
}

TEST(ArchiveSounds, DurationsFitTheirEvents) {
  auto length = [](const char* name) {
    return seconds(parse(ArchiveMember(std::string("Zvuk/") + name + ".wav")));
  };
  EXPECT_LT(length("MenuClick"), 0.2);
  EXPECT_GT(length("LevelUp"), length("Bonus"));
  for (const char* b : {"ExplodeB1", "ExplodeB2", "ExplodeB3", "ExplodeB4"})
    EXPECT_GT(length("NauvrelExpl"), length(b)) << b;
  // The four barrel explosions are different sounds, not one file four times.
  std::vector<std::vector<uint8_t>> barrels;
  for (const char* b : {"ExplodeB1", "ExplodeB2", "ExplodeB3", "ExplodeB4"})
    barrels.push_back(ArchiveMember(std::string("Zvuk/") + b + ".wav"));
  for (size_t i = 0; i < barrels.size(); ++i)
    for (size_t j = i + 1; j < barrels.size(); ++j) EXPECT_NE(barrels[i], barrels[j]);
}

}  // namespace
