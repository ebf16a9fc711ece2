// The GIF writer's LZW stream must decode to exactly the indices it was given, through the
// table resets at 4096 codes and the code-width steps.
#include <gtest/gtest.h>

#include <vector>

#include "archive_members.h"
#include "encoders.hpp"
#include "rng.hpp"

namespace {

forge::IndexedPicture picture(int w, int h, auto index) {
  forge::IndexedPicture p{w, h, std::vector<uint8_t>(size_t(w) * h), std::vector<forge::Rgb>(256)};
  for (int i = 0; i < 256; ++i)
    p.palette[i] = {uint8_t(i), uint8_t(255 - i), uint8_t((i * 37) & 255)};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) p.indices[size_t(y) * w + x] = uint8_t(index(x, y));
  return p;
}

void expectRoundTrip(const forge::IndexedPicture& p) {
  const auto bytes = forge::encodeGif(p);
  const Decoded d = DecodePicture(bytes);
  ASSERT_EQ(d.width, p.width);
  ASSERT_EQ(d.height, p.height);
  int wrong = 0;
  for (size_t i = 0; i < p.indices.size(); ++i) {
    const forge::Rgb c = p.palette[p.indices[i]];
    wrong += !(d.pixels[i] == Rgb8{c.r, c.g, c.b});
  }
  EXPECT_EQ(wrong, 0);
}

TEST(GifEncoder, RoundTripsThroughTheDecoder) {
  forge::Rng rng(7);
  // Noise fills the code table fastest and forces many resets.
  expectRoundTrip(picture(800, 600, [&](int, int) { return rng.below(256); }));
  // Few colours in long runs: long strings, wide codes, no resets for a while.
  expectRoundTrip(picture(640, 160, [](int x, int y) { return (x / 40 + y / 40) % 3; }));
  expectRoundTrip(picture(301, 7, [](int x, int) { return x % 256; }));
  expectRoundTrip(picture(1, 1, [](int, int) { return 200; }));
  expectRoundTrip(picture(259, 20, [](int, int) { return 0; }));
}

}  // namespace
