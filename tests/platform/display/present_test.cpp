// The presented frame at each depth is the back buffer's colours, whichever conversion the
// processor allows, and an 8-bit frame follows every change of the palette.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "platform/display/ddraw.h"
#include "support/offscreen.h"

namespace {

constexpr int Width = 800, Height = 600;

struct Chain {
  explicit Chain(int depth) {
    EXPECT_EQ(dd::DirectDrawCreateEx(nullptr, device), dd::DD_OK);
    EXPECT_EQ(device->SetDisplayMode(Width, Height, depth, 0, 0), dd::DD_OK);
    primary = MakeFlipChain(*device, back);
    dd::testing::KeepPresentedFrames(true);
  }
  ~Chain() { dd::testing::KeepPresentedFrames(false); }
  // Writes value(i) into pixel i of the back buffer, row by row.
  template <typename Value>
  void Fill(Value value) {
    const int bytes = (back->BitsPerPixel() + 7) / 8;
    dd::LockedRect locked;
    ASSERT_EQ(back->Lock(nullptr, locked, dd::DDLOCK_WAIT), dd::DD_OK);
    for (int y = 0; y < Height; ++y)
      for (int x = 0; x < Width; ++x) {
        const uint32_t v = value(y * Width + x);
        std::memcpy(locked.bits + static_cast<size_t>(y) * locked.pitch + x * bytes, &v, bytes);
      }
    back->Unlock(nullptr);
  }
  const std::vector<uint32_t>& Show() {
    EXPECT_EQ(primary->Flip(nullptr, dd::DDFLIP_WAIT), dd::DD_OK);
    return dd::testing::PresentedFrame();
  }
  std::unique_ptr<dd::DirectDraw> device;
  std::unique_ptr<dd::Surface> primary;
  dd::Surface* back = nullptr;
};

// RGB565 widened to 8 bits a channel with the top bits repeated below.
uint32_t Expand565(uint32_t p) {
  const uint32_t r = p >> 11, g = (p >> 5) & 63, b = p & 31;
  return ((r << 3) | (r >> 2)) << 16 | ((g << 2) | (g >> 4)) << 8 | ((b << 3) | (b >> 2));
}

TEST(Present, EverySixteenBitValueGivesItsColourWithAndWithoutVectorUnits) {
  Chain chain(16);
  for (bool plain : {false, true}) {
    dd::testing::UsePlainConversion(plain);
    // Shifted by one pixel each time, so that every value meets every lane position.
    for (int shift = 0; shift < 3; ++shift) {
      chain.Fill([&](int i) { return (i + shift) % 65536; });
      std::vector<uint32_t> shifted(Width * Height);
      for (int i = 0; i < Width * Height; ++i) shifted[i] = Expand565((i + shift) % 65536);
      ASSERT_EQ(chain.Show(), shifted) << (plain ? "plain" : "vector") << " shift " << shift;
    }
  }
  dd::testing::UsePlainConversion(false);
}

TEST(Present, TrueColourFramesShowTheirOwnBitsOnly) {
  for (int depth : {24, 32}) {
    Chain chain(depth);
    chain.Fill([](int i) { return static_cast<uint32_t>(i) * 2654435761u; });
    const auto& frame = chain.Show();
    for (int i = 0; i < Width * Height; i += 997)
      ASSERT_EQ(frame[i], (static_cast<uint32_t>(i) * 2654435761u) & 0xFFFFFF) << depth;
  }
}

TEST(Present, EightBitFramesFollowThePrimarysPaletteAndItsChangesAndLoss) {
  Chain chain(8);
  std::mt19937 random(8);
  std::array<dd::PALETTEENTRY, 256> entries;
  for (auto& e : entries) e = {uint8_t(random()), uint8_t(random()), uint8_t(random()), 0};
  auto rgb = [&](int i) {
    return uint32_t{entries[i].peRed} << 16 | uint32_t{entries[i].peGreen} << 8 | entries[i].peBlue;
  };
  auto palette = std::make_unique<dd::Palette>(entries.data());
  ASSERT_EQ(chain.primary->SetPalette(palette.get()), dd::DD_OK);
  chain.Fill([](int i) { return static_cast<uint32_t>(i % 256); });
  EXPECT_EQ(chain.back->PixelRGB(5, 0), rgb(5));  // a back buffer sees the primary's palette
  const int flips = dd::testing::FlipCount();
  auto expectFrame = [&](const char* when) {
    const auto& frame = chain.Show();
    for (int i = 0; i < Width * Height; i += 7)
      ASSERT_EQ(frame[i], rgb(i % 256)) << when << " " << i;
    chain.Fill([](int i) { return static_cast<uint32_t>(i % 256); });  // the flip swapped
  };
  expectFrame("first");
  EXPECT_EQ(dd::testing::FlipCount(), flips + 1);

  // The table is made again only when the palette changes.
  const int rebuilds = dd::testing::PaletteTableRebuilds();
  expectFrame("again");
  EXPECT_EQ(dd::testing::PaletteTableRebuilds(), rebuilds);
  entries[40] = {1, 2, 3, 0};
  ASSERT_EQ(palette->SetEntries(40, 1, &entries[40]), dd::DD_OK);
  expectFrame("after SetEntries");
  EXPECT_EQ(dd::testing::PaletteTableRebuilds(), rebuilds + 1);

  // A palette given up and another made, perhaps at the same address.
  palette.reset();
  for (auto& e : entries) e = {uint8_t(random()), uint8_t(random()), uint8_t(random()), 0};
  palette = std::make_unique<dd::Palette>(entries.data());
  ASSERT_EQ(chain.primary->SetPalette(palette.get()), dd::DD_OK);
  expectFrame("new palette");

  // A lost primary does not flip until restored.
  dd::testing::LoseAllSurfaces();
  EXPECT_EQ(chain.primary->Flip(nullptr, dd::DDFLIP_WAIT), dd::DDERR_SURFACELOST);
  ASSERT_EQ(chain.primary->Restore(), dd::DD_OK);
  EXPECT_EQ(chain.back->IsLost(), dd::DD_OK);
  chain.Fill([](int i) { return static_cast<uint32_t>(i % 256); });
  expectFrame("restored");

  // Without a palette, the default colours.
  ASSERT_EQ(chain.primary->SetPalette(nullptr), dd::DD_OK);
  const auto& frame = chain.Show();
  for (int i = 0; i < 256; ++i) {
    const uint32_t r = (i >> 5 & 7) * 255 / 7, g = (i >> 2 & 7) * 255 / 7, b = (i & 3) * 255 / 3;
    ASSERT_EQ(frame[i], r << 16 | g << 8 | b) << i;
  }
  // The primary must not keep a dangling palette.
  ASSERT_EQ(chain.primary->SetPalette(palette.get()), dd::DD_OK);
  palette.reset();
  EXPECT_EQ(chain.primary->GetPalette(), nullptr);
}

}  // namespace
