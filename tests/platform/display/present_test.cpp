// A flip shows the back buffer's colours at each depth, whichever conversion the processor
// allows. Below 32 bits it converts and sends to the window's texture only what changed
// since the frame before; whatever changed, and whatever else happened in between, the
// texture must then hold the whole frame.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <random>
#include <string>
#include <tuple>

#include "support/game_window.h"
#include "support/offscreen.h"

namespace {

constexpr int Width = 800, Height = 600;
using Frame = std::vector<uint32_t>;
using Colour = std::function<uint32_t(uint32_t value)>;

// RGB565 widened to 8 bits a channel with the top bits repeated below.
uint32_t Expand565(uint32_t p) {
  const uint32_t r = p >> 11, g = (p >> 5) & 63, b = p & 31;
  return ((r << 3) | (r >> 2)) << 16 | ((g << 2) | (g >> 4)) << 8 | ((b << 3) | (b >> 2));
}
uint32_t OwnBits(uint32_t v) { return v & 0xFFFFFF; }

struct WindowChain : QuietFlipWindow {
  WindowChain() : QuietFlipWindow(32) { dd::testing::KeepPresentedFrames(true); }
  ~WindowChain() {
    dd::testing::KeepPresentedFrames(false);
    dd::testing::UsePlainConversion(false);
  }
  // Writes the whole picture into the back buffer (the flip left an older frame there),
  // flips, and checks the frame shown against each value's colour and the texture
  // against the frame.
  void ExpectShown(const Frame& picture, const Colour& colour, const std::string& when) {
    SCOPED_TRACE(when);
    WritePixels(*back, [&](int x, int y) { return picture[y * Width + x]; });
    ASSERT_EQ(primary->Flip(nullptr, dd::DDFLIP_WAIT), dd::DD_OK);
    const Frame& frame = dd::testing::PresentedFrame();
    const Frame texture = dd::testing::TextureFrame();
    ASSERT_EQ(frame.size(), picture.size());
    for (size_t i = 0; i < frame.size(); ++i)
      ASSERT_EQ(frame[i], colour(picture[i])) << "x " << i % Width << " y " << i / Width;
    ASSERT_EQ(texture, frame);
  }
};

Frame RandomPicture(uint32_t mask, std::mt19937& random) {
  Frame picture(Width * Height);
  for (uint32_t& p : picture) p = random() & mask;
  return picture;
}

// One pixel changed at a time where blocks and rows begin and end, two far apart in one row
// (the stretch between them is sent again), a band of rows with different stretches, rows
// apart, and a frame with no change at all.
void ExpectSmallChangesShown(WindowChain& chain, Frame& picture, uint32_t mask,
                             const Colour& colour, std::mt19937& random) {
  const std::vector<std::vector<std::pair<int, int>>> steps = {
      {},
      {{0, 0}},
      {{31, 5}},
      {{32, 5}},
      {{799, 599}},
      {{3, 100}, {790, 100}},
      {{400, 200}, {10, 201}, {700, 202}, {64, 203}},
      {{100, 300}, {100, 302}, {500, 598}}};
  for (size_t step = 0; step < steps.size(); ++step) {
    for (const auto& [x, y] : steps[step]) picture[y * Width + x] = random() & mask;
    chain.ExpectShown(picture, colour, "step " + std::to_string(step));
  }
}

// At 16 bits also every value, shifted by one pixel each time so that each meets every lane
// position, with and without vector units. The same bytes mean other colours at another
// depth, a 32-bit frame overwrites the texture without keeping its bytes, and a reset of the
// render device loses the texture's pixels: the frame after any of them is sent whole.
TEST(Present, EachChangeIsShownAndTrueColourShowsItsOwnBitsOnly) {
  WindowChain chain;
  std::mt19937 random(11);
  Frame picture = RandomPicture(0xFFFFFFFFu, random);
  for (const auto& [depth, mask, colour, plain] :
       {std::tuple{16, 0xFFFFu, Colour(Expand565), false},
        std::tuple{16, 0xFFFFu, Colour(Expand565), true},
        std::tuple{24, 0xFFFFFFu, Colour(OwnBits), false},
        std::tuple{32, 0xFFFFFFFFu, Colour(OwnBits), false},
        std::tuple{16, 0xFFFFu, Colour(Expand565), false}}) {
    SCOPED_TRACE(std::to_string(depth) + (plain ? " plain" : ""));
    chain.SetDepth(depth);
    dd::testing::UsePlainConversion(plain);
    for (uint32_t& p : picture) p &= mask;
    chain.ExpectShown(picture, colour, "first frame");
    ExpectSmallChangesShown(chain, picture, mask, colour, random);
    dd::testing::ResetRenderDevice();
    picture[Width * 300 + 400] ^= 1;
    chain.ExpectShown(picture, colour, "after a reset of the render device");
    chain.ExpectShown(picture, colour, "the frame after that");
    for (int shift = 0; depth == 16 && shift < 3; ++shift) {
      for (int i = 0; i < Width * Height; ++i) picture[i] = (i + shift) % 65536;
      chain.ExpectShown(picture, colour, "every value, shift " + std::to_string(shift));
    }
  }
}

TEST(Present, EightBitFramesFollowThePrimarysPaletteAndItsChangesAndLoss) {
  WindowChain chain;
  chain.SetDepth(8);
  std::mt19937 random(8);
  std::array<dd::PALETTEENTRY, 256> entries;
  const auto shuffle = [&] {
    for (auto& e : entries) e = {uint8_t(random()), uint8_t(random()), uint8_t(random()), 0};
  };
  shuffle();
  const Colour colour = [&](uint32_t v) {
    return uint32_t{entries[v].peRed} << 16 | uint32_t{entries[v].peGreen} << 8 | entries[v].peBlue;
  };
  auto palette = std::make_unique<dd::Palette>(entries.data());
  ASSERT_EQ(chain.primary->SetPalette(palette.get()), dd::DD_OK);
  Frame picture = RandomPicture(0xFF, random);
  chain.ExpectShown(picture, colour, "first frame");
  ExpectSmallChangesShown(chain, picture, 0xFF, colour, random);

  // A changed entry recolours the frame.
  entries[picture[0]] = {1, 2, 3, 0};
  ASSERT_EQ(palette->SetEntries(picture[0], 1, &entries[picture[0]]), dd::DD_OK);
  chain.ExpectShown(picture, colour, "one entry changed");

  // A palette given up and another made, perhaps at the same address.
  palette.reset();
  shuffle();
  palette = std::make_unique<dd::Palette>(entries.data());
  ASSERT_EQ(chain.primary->SetPalette(palette.get()), dd::DD_OK);
  chain.ExpectShown(picture, colour, "new palette");

  // A lost primary does not flip until restored.
  dd::testing::LoseAllSurfaces();
  EXPECT_EQ(chain.primary->Flip(nullptr, dd::DDFLIP_WAIT), dd::DDERR_SURFACELOST);
  ASSERT_EQ(chain.primary->Restore(), dd::DD_OK);
  chain.ExpectShown(picture, colour, "restored");

  // The primary must not keep a dangling palette.
  palette.reset();
  EXPECT_EQ(chain.primary->GetPalette(), nullptr);
}

}  // namespace
