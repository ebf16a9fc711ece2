// The blit contract of the display layer at each depth the game draws at.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/ddraw.h"
#include "support/offscreen.h"

namespace {

class BlitTest : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    ASSERT_EQ(dd::DirectDrawCreateEx(nullptr, device), dd::DD_OK);
    ASSERT_EQ(device->SetDisplayMode(800, 600, GetParam(), 0, 0), dd::DD_OK);
  }
  std::unique_ptr<dd::Surface> Make(int w, int h) { return MakeOffscreen(*device, w, h); }
  static void Fill(dd::Surface& s, uint32_t value, const dd::RECT* r = nullptr) {
    dd::DDBLTFX fx;
    fx.dwFillColor = value;
    ASSERT_EQ(s.Blt(r, nullptr, nullptr, dd::DDBLT_COLORFILL | dd::DDBLT_WAIT, &fx), dd::DD_OK);
  }
  // The top-left word, as the game reads it to make the colour key.
  static uint32_t TopLeftWord(dd::Surface& s) {
    dd::LockedRect locked;
    EXPECT_EQ(s.Lock(nullptr, locked, dd::DDLOCK_WAIT | dd::DDLOCK_READONLY), dd::DD_OK);
    uint32_t word;
    std::memcpy(&word, locked.bits, 4);
    s.Unlock(nullptr);
    return word;
  }
  std::unique_ptr<dd::DirectDraw> device;
  const uint32_t A = 0x21, B = 0x42, K = 0x07;  // pixel values valid at every depth
};

TEST_P(BlitTest, CopiesWithRightAndBottomExclusive) {
  auto source = Make(10, 10), dest = Make(20, 20);
  Fill(*source, A);
  Fill(*dest, B);
  const dd::RECT part{2, 2, 6, 7};
  ASSERT_EQ(dest->BltFast(5, 5, source.get(), &part, dd::DDBLTFAST_WAIT), dd::DD_OK);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) {
      const bool inside = x >= 5 && x < 9 && y >= 5 && y < 10;
      ASSERT_EQ(dest->PixelValue(x, y), inside ? A : B) << x << "," << y;
    }
  // A null rectangle is the whole source, and may touch the far edges exactly.
  EXPECT_EQ(dest->BltFast(10, 10, source.get(), nullptr, 0), dd::DD_OK);
  EXPECT_EQ(dest->PixelValue(19, 19), A);
}

TEST_P(BlitTest, RectanglesOutsideEitherSurfaceFailAndDrawNothing) {
  auto source = Make(10, 10), dest = Make(20, 20);
  Fill(*source, A);
  Fill(*dest, B);
  const dd::RECT tooWide{0, 0, 11, 5}, negative{-1, 0, 5, 5}, empty{3, 3, 3, 8},
      inverted{6, 0, 2, 5};
  EXPECT_EQ(dest->BltFast(0, 0, source.get(), &tooWide, 0), dd::DDERR_INVALIDRECT);
  EXPECT_EQ(dest->BltFast(0, 0, source.get(), &negative, 0), dd::DDERR_INVALIDRECT);
  EXPECT_EQ(dest->BltFast(0, 0, source.get(), &empty, 0), dd::DDERR_INVALIDRECT);
  EXPECT_EQ(dest->BltFast(0, 0, source.get(), &inverted, 0), dd::DDERR_INVALIDRECT);
  EXPECT_EQ(dest->BltFast(11, 0, source.get(), nullptr, 0), dd::DDERR_INVALIDRECT);
  EXPECT_EQ(dest->BltFast(0, 11, source.get(), nullptr, 0), dd::DDERR_INVALIDRECT);
  EXPECT_EQ(dest->BltFast(-1, 0, source.get(), nullptr, 0), dd::DDERR_INVALIDRECT);
  EXPECT_EQ(dest->BltFast(0, 0, nullptr, nullptr, 0), dd::DDERR_INVALIDPARAMS);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) ASSERT_EQ(dest->PixelValue(x, y), B);
}

TEST_P(BlitTest, SourceKeyFromTopLeftPixelMakesThatColourTransparentEverywhere) {
  auto source = Make(8, 4), dest = Make(8, 4);
  Fill(*source, A);
  const dd::RECT corner{0, 0, 1, 1}, elsewhere{5, 2, 7, 3};
  Fill(*source, K, &corner);
  Fill(*source, K, &elsewhere);
  // The word read spans the next pixel(s) too; only the top-left pixel's bits count.
  const uint32_t word = TopLeftWord(*source);
  if (GetParam() < 32) {
    ASSERT_NE(word, K);
  }
  dd::DDCOLORKEY key{word, word};
  ASSERT_EQ(source->SetColorKey(dd::DDCKEY_SRCBLT, &key), dd::DD_OK);

  Fill(*dest, B);
  ASSERT_EQ(dest->BltFast(0, 0, source.get(), nullptr, dd::DDBLTFAST_SRCCOLORKEY), dd::DD_OK);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 8; ++x) {
      const bool keyed = (x == 0 && y == 0) || (y == 2 && x >= 5 && x < 7);
      ASSERT_EQ(dest->PixelValue(x, y), keyed ? B : A) << x << "," << y;
    }
  // Without the flag the key is ignored.
  ASSERT_EQ(dest->BltFast(0, 0, source.get(), nullptr, dd::DDBLTFAST_NOCOLORKEY), dd::DD_OK);
  EXPECT_EQ(dest->PixelValue(0, 0), K);
}

TEST_P(BlitTest, KeyedPartialBlitsFollowWritesToTheSource) {
  auto source = Make(12, 3), dest = Make(12, 3);
  Fill(*source, K);
  const dd::RECT bars[] = {{1, 0, 3, 3}, {5, 0, 6, 3}, {8, 0, 11, 3}};
  for (const auto& bar : bars) Fill(*source, A, &bar);
  dd::DDCOLORKEY key{K, K};
  source->SetColorKey(dd::DDCKEY_SRCBLT, &key);
  Fill(*dest, B);
  const dd::RECT middle{2, 1, 9, 2};
  ASSERT_EQ(dest->BltFast(0, 0, source.get(), &middle, dd::DDBLTFAST_SRCCOLORKEY), dd::DD_OK);
  const uint32_t expected[] = {A, B, B, A, B, B, A, B, B, B, B, B};
  for (int x = 0; x < 12; ++x) EXPECT_EQ(dest->PixelValue(x, 0), expected[x]) << x;

  // Writing through a lock makes a formerly opaque pixel transparent.
  dd::LockedRect locked;
  ASSERT_EQ(source->Lock(nullptr, locked, dd::DDLOCK_WAIT), dd::DD_OK);
  const dd::RECT one{5, 1, 6, 2};
  source->Unlock(nullptr);
  Fill(*source, K, &one);
  Fill(*dest, B);
  ASSERT_EQ(dest->BltFast(0, 0, source.get(), &middle, dd::DDBLTFAST_SRCCOLORKEY), dd::DD_OK);
  EXPECT_EQ(dest->PixelValue(3, 0), B);
}

TEST_P(BlitTest, ColourFillIsExclusiveAndRefusesOutsideRectangles) {
  auto s = Make(6, 6);
  Fill(*s, B);
  const dd::RECT r{1, 2, 4, 5}, outside{4, 4, 7, 6};
  Fill(*s, A, &r);
  int filled = 0;
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x) filled += s->PixelValue(x, y) == A;
  EXPECT_EQ(filled, 9);
  EXPECT_EQ(s->PixelValue(4, 2), B);
  EXPECT_EQ(s->PixelValue(1, 5), B);
  dd::DDBLTFX fx;
  EXPECT_EQ(s->Blt(&outside, nullptr, nullptr, dd::DDBLT_COLORFILL, &fx), dd::DDERR_INVALIDRECT);
}

TEST_P(BlitTest, BusyAndLostSurfacesRefuseBlits) {
  auto source = Make(4, 4), dest = Make(4, 4);
  dd::HDC* dc = nullptr;
  ASSERT_EQ(dest->GetDC(dc), dd::DD_OK);
  EXPECT_EQ(dest->BltFast(0, 0, source.get(), nullptr, 0), dd::DDERR_SURFACEBUSY);
  ASSERT_EQ(dest->ReleaseDC(dc), dd::DD_OK);
  dd::testing::LoseAllSurfaces();
  EXPECT_EQ(dest->IsLost(), dd::DDERR_SURFACELOST);
  EXPECT_EQ(dest->BltFast(0, 0, source.get(), nullptr, 0), dd::DDERR_SURFACELOST);
  ASSERT_EQ(dest->Restore(), dd::DD_OK);
  ASSERT_EQ(source->Restore(), dd::DD_OK);
  EXPECT_EQ(dest->BltFast(0, 0, source.get(), nullptr, 0), dd::DD_OK);
}

INSTANTIATE_TEST_SUITE_P(Depths, BlitTest, ::testing::Values(8, 16, 24, 32));

TEST(DisplayMode, OnlyTheGameSizeAtTheFourDepthsUnlessRefused) {
  std::unique_ptr<dd::DirectDraw> device;
  ASSERT_EQ(dd::DirectDrawCreateEx(nullptr, device), dd::DD_OK);
  EXPECT_EQ(device->SetDisplayMode(800, 600, 15, 0, 0), dd::DDERR_UNSUPPORTEDMODE);
  EXPECT_EQ(device->SetDisplayMode(640, 480, 32, 0, 0), dd::DDERR_UNSUPPORTEDMODE);
  dd::testing::RefuseDepth(32);
  EXPECT_EQ(device->SetDisplayMode(800, 600, 32, 0, 0), dd::DDERR_UNSUPPORTEDMODE);
  EXPECT_EQ(device->SetDisplayMode(800, 600, 24, 75, 0), dd::DD_OK);
  EXPECT_EQ(device->DisplayDepth(), 24);
  dd::testing::AcceptAllDepths();
}

TEST(DisplayMode, FlipShowsTheBackBufferThroughThePrimaryPalette) {
  std::unique_ptr<dd::DirectDraw> device;
  ASSERT_EQ(dd::DirectDrawCreateEx(nullptr, device), dd::DD_OK);
  ASSERT_EQ(device->SetDisplayMode(800, 600, 8, 0, 0), dd::DD_OK);
  dd::DDSURFACEDESC2 desc;
  desc.dwFlags = dd::DDSD_CAPS | dd::DDSD_BACKBUFFERCOUNT;
  desc.dwCaps = dd::DDSCAPS_PRIMARYSURFACE | dd::DDSCAPS_FLIP | dd::DDSCAPS_COMPLEX;
  desc.dwBackBufferCount = 2;
  std::unique_ptr<dd::Surface> primary;
  ASSERT_EQ(device->CreateSurface(desc, primary), dd::DD_OK);
  dd::Surface* back = nullptr;
  ASSERT_EQ(primary->GetAttachedSurface(dd::DDSCAPS_BACKBUFFER, &back), dd::DD_OK);
  std::array<dd::PALETTEENTRY, 256> entries{};
  entries[5] = {10, 20, 30, 0};
  std::unique_ptr<dd::Palette> palette;
  ASSERT_EQ(device->CreatePalette(dd::DDPCAPS_8BIT, entries.data(), palette), dd::DD_OK);
  ASSERT_EQ(primary->SetPalette(palette.get()), dd::DD_OK);

  dd::testing::KeepPresentedFrames(true);
  const int before = dd::testing::FlipCount();
  dd::DDBLTFX fx;
  fx.dwFillColor = 5;
  ASSERT_EQ(back->Blt(nullptr, nullptr, nullptr, dd::DDBLT_COLORFILL, &fx), dd::DD_OK);
  EXPECT_EQ(back->PixelRGB(0, 0), 0x0A141Eu);  // a back buffer sees the primary's palette
  ASSERT_EQ(primary->Flip(nullptr, dd::DDFLIP_WAIT), dd::DD_OK);
  EXPECT_EQ(dd::testing::FlipCount(), before + 1);
  ASSERT_EQ(dd::testing::PresentedFrame().size(), 800u * 600u);
  EXPECT_EQ(dd::testing::PresentedFrame()[0], 0x0A141Eu);
  // A lost primary does not flip until restored.
  dd::testing::LoseAllSurfaces();
  EXPECT_EQ(primary->Flip(nullptr, dd::DDFLIP_WAIT), dd::DDERR_SURFACELOST);
  ASSERT_EQ(primary->Restore(), dd::DD_OK);
  EXPECT_EQ(back->IsLost(), dd::DD_OK);
  EXPECT_EQ(primary->Flip(nullptr, dd::DDFLIP_WAIT), dd::DD_OK);
  dd::testing::KeepPresentedFrames(false);
  palette.reset();  // the primary must not keep a dangling palette
  EXPECT_EQ(primary->GetPalette(), nullptr);
}

}  // namespace
