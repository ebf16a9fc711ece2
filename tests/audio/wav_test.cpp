// WAV images in memory become static buffers in the device's format, or are refused.
#include "audio/wav.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>

#include "audio/sound_state.h"
#include "support/wav_files.h"

namespace {

GlobalBlock Block(const Bytes& bytes, size_t slack = 0) {
  GlobalBlock block = GlobalBlock::Alloc(bytes.size() + slack);
  std::memcpy(block.Lock().data(), bytes.data(), bytes.size());
  return block;
}

class WavTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(ds::DirectSoundCreate(nullptr, Sound.dsObject), ds::DS_OK);
    ASSERT_EQ(Sound.dsObject->SetCooperativeLevel(nullptr, ds::DSSCL_PRIORITY), ds::DS_OK);
  }
  void TearDown() override { Sound.dsObject.reset(); }

  // The buffer's samples, interleaved 16-bit stereo at 44 100 Hz; none when refused.
  static std::optional<std::vector<int16_t>> Load(const Bytes& file, size_t slack = 0) {
    const ds::LPDIRECTSOUNDBUFFER buffer = wavCreateBuffer(Block(file, slack));
    if (!buffer) return std::nullopt;
    return *ds::testing::DeviceSamples(buffer.get());
  }
};

// Little-endian samples of `bytesPerSample` bytes each.
Bytes Samples(int bytesPerSample, std::initializer_list<uint32_t> values) {
  Bytes out;
  for (uint32_t v : values)
    for (int i = 0; i < bytesPerSample; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
  return out;
}

Bytes Floats(std::initializer_list<float> values) {
  Bytes out;
  for (float f : values) {
    uint32_t v;
    std::memcpy(&v, &f, 4);
    put32(out, v);
  }
  return out;
}

using Frames = std::vector<int16_t>;

// 8-bit is unsigned, mono goes to both sides, beyond full scale is clipped and other rates
// are resampled to the device's once.
TEST_F(WavTest, EveryAcceptedFormatArrivesAsTheSameStereoSamples) {
  EXPECT_EQ(Load(Wav(Format(1, 1, 44100, 8), Samples(1, {0x80, 0xC0, 0x00, 0x80}))),
            Frames({0, 0, 16384, 16384, -32767, -32767, 0, 0}));
  EXPECT_EQ(Load(Wav(Format(1, 2, 44100, 16), Samples(2, {1000, 0xF830}))), Frames({1000, -2000}));
  EXPECT_EQ(Load(Wav(Format(1, 2, 44100, 24), Samples(3, {0x123456, 0xC00000}))),
            Frames({4660, -16384}));
  EXPECT_EQ(Load(Wav(Format(1, 1, 44100, 32), Samples(4, {0x40000000}))), Frames({16384, 16384}));
  EXPECT_EQ(Load(Wav(Format(3, 1, 44100, 32), Floats({0.25f}))), Frames({8192, 8192}));
  EXPECT_EQ(Load(Wav(Format(3, 2, 44100, 32), Floats({2.0f, -2.0f}))), Frames({32767, -32768}));
  EXPECT_EQ(Load(Wav(Extensible(1, 2, 44100, 16), Samples(2, {1000, 0xF830}))),
            Frames({1000, -2000}));
  EXPECT_EQ(Load(Wav(Extensible(3, 1, 44100, 32), Floats({0.25f}))), Frames({8192, 8192}));
  for (const auto& [rate, frames] : {std::pair{22050u, 200u}, std::pair{88200u, 50u}}) {
    const auto resampled = Load(Wav(Format(1, 1, rate, 16), Tone(100)));
    ASSERT_TRUE(resampled) << rate;
    EXPECT_EQ(resampled->size(), 2u * frames) << rate;
  }
}

TEST_F(WavTest, ChunksMayStandInAnyOrderBehindOthersAndOddChunksArePadded) {
  const Bytes format = Chunk("fmt ", Format(1, 1, 44100, 8));
  const Bytes data = Chunk("data", Samples(1, {0xC0, 0x80, 0xC0, 0x80, 0xC0}));  // odd: padded
  const Bytes list = Chunk("LIST", Bytes{'I', 'N', 'F', 'O', 'x'});
  const Frames expected{16384, 16384, 0, 0, 16384, 16384, 0, 0, 16384, 16384};
  EXPECT_EQ(Load(Riff({data, format})), expected);
  EXPECT_EQ(Load(Riff({list, format, Chunk("junk", Bytes(7, 0xEE)), data})), expected);
  EXPECT_EQ(Load(Riff({data, list, format})), expected);
  EXPECT_EQ(Load(Riff({format, data}), 64), expected);  // a block larger than the file
}

// Formats the device cannot play make none either. More broken files (cut, not RIFF, ...)
// are the bad-* seeds of the WAV corpus, run with the fuzz corpora.
TEST_F(WavTest, BrokenFilesAndNoDeviceMakeNoBuffer) {
  const Bytes good = Wav(Format(1, 1, 44100, 16), Tone(8));
  ASSERT_TRUE(Load(good));
  Bytes badAlignment = Format(1, 2, 44100, 16);
  badAlignment[12] = 3;
  // A format chunk two bytes short, followed by a chunk whose id would pass for the
  // missing bit count if the reader ran past the chunk's end.
  Bytes shortFormat = Format(1, 1, 44100, 16);
  shortFormat.resize(14);
  Bytes lookalike = Chunk("xxxx", {});
  lookalike[0] = 16;
  lookalike[1] = 0;
  Bytes notWave = good;
  notWave[8] = 'X';
  const std::pair<const char*, Bytes> cases[] = {
      {"no fmt", Riff({Chunk("data", Tone(8))})},
      {"empty", Bytes(4, 0)},
      {"not WAVE", notWave},
      {"bad block alignment", Wav(badAlignment, Tone(8))},
      {"three channels", Wav(Format(1, 3, 44100, 16), Tone(9))},
      {"12-bit", Wav(Format(1, 1, 44100, 12), Tone(8))},
      {"ADPCM", Wav(FormatWithExtra(2, 1, 22050, 4, {1, 2, 3, 4}), Bytes(16, 0))},
      {"format chunk too short",
       Riff({Chunk("fmt ", shortFormat), lookalike, Chunk("data", Tone(8))})}};
  for (const auto& [what, file] : cases) EXPECT_FALSE(Load(file)) << what;
  Sound.dsObject.reset();
  EXPECT_EQ(wavCreateBuffer(Block(good)), nullptr);
  EXPECT_EQ(wavCreateBuffer(GlobalBlock{}), nullptr);
}

}  // namespace
