// Every sound reads with the game's WAV reader as 16-bit PCM, is clean to play and lasts as
// long as its event.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "archive_members.h"
#include "audio/wav.h"

namespace {

struct Wave {
  ds::WAVEFORMATEX format;
  std::vector<int16_t> samples;
  bool ok = false;
  double seconds() const {
    return double(samples.size()) / format.nChannels / format.nSamplesPerSec;
  }
};

// Read with the game's own WAV reader, the way a sound buffer is made from it.
Wave Parse(const std::vector<uint8_t>& bytes) {
  Wave w;
  mmio::MemFile file = mmio::mmioOpen(bytes);
  mmio::MMCKINFO riff, data;
  ds::FormatRecord format;
  if (ds::FAILED(wavReadFormat(file, riff, format)) ||
      !mmio::mmioSeek(file, size_t{riff.dwDataOffset} + 4))
    return w;
  data.ckid = mmio::FOURCC('d', 'a', 't', 'a');
  if (!mmio::mmioDescend(file, data, &riff, mmio::MMIO_FINDCHUNK) ||
      data.cksize > bytes.size() - data.dwDataOffset)
    return w;
  w.format = *format.Get();
  w.samples.resize(data.cksize / 2);
  w.ok = mmio::mmioRead(file, w.samples.data(), w.samples.size() * 2) == w.samples.size() * 2;
  return w;
}

TEST(ArchiveSounds, EveryWaveIsSixteenBitPcmNormalisedWithoutClicksAndFitsItsEvent) {
  std::map<std::string, std::vector<uint8_t>> files;
  std::map<std::string, double> length;
  for (const char* name : {"Bonus", "ExplodeB1", "ExplodeB2", "ExplodeB3", "ExplodeB4", "LevelUp",
                           "MenuClick", "NauvrelExpl"}) {
    SCOPED_TRACE(name);
    files[name] = ArchiveMember(std::string("Zvuk/") + name + ".wav");
    const Wave w = Parse(files[name]);
    ASSERT_TRUE(w.ok);
    const ds::WAVEFORMATEX& f = w.format;
    EXPECT_EQ(f.wFormatTag, ds::WAVE_FORMAT_PCM);
    EXPECT_EQ(f.wBitsPerSample, 16);
    EXPECT_TRUE(f.nChannels == 1 || f.nChannels == 2);
    EXPECT_EQ(f.nBlockAlign, f.nChannels * 2);
    EXPECT_EQ(f.nAvgBytesPerSec, f.nSamplesPerSec * f.nBlockAlign);
    ASSERT_GT(w.samples.size(), 1000u);
    int peak = 0;
    for (int16_t s : w.samples) peak = std::max(peak, std::abs(int(s)));
    EXPECT_GT(peak, 16000);
    EXPECT_LT(peak, 32700);  // no clipping
    EXPECT_LT(std::abs(int(w.samples.front())), 200);
    EXPECT_LT(std::abs(int(w.samples.back())), 200);
    length[name] = w.seconds();
  }
  EXPECT_LT(length["MenuClick"], 0.2);
  EXPECT_GT(length["LevelUp"], length["Bonus"]);
  // The four barrel explosions are shorter than the submarine's, and four different sounds.
  for (const char* b : {"ExplodeB1", "ExplodeB2", "ExplodeB3", "ExplodeB4"}) {
    EXPECT_GT(length["NauvrelExpl"], length[b]) << b;
    for (const char* other : {"ExplodeB1", "ExplodeB2", "ExplodeB3", "ExplodeB4"})
      if (std::string(b) < other) {
        EXPECT_NE(files[b], files[other]) << b << " " << other;
      }
  }
}

}  // namespace
