// The blit contract of the display layer at each depth the game draws at.
#include <gtest/gtest.h>

#include "platform/display/ddraw.h"
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
  std::unique_ptr<dd::DirectDraw> device;
  const uint32_t A = 0x21, B = 0x42;  // pixel values valid at every depth
};

TEST_P(BlitTest, RectanglesOutsideEitherSurfaceFailAndANullOneIsTheWholeSource) {
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
  // A null rectangle is the whole source, and may touch the far edges exactly.
  EXPECT_EQ(dest->BltFast(10, 10, source.get(), nullptr, 0), dd::DD_OK);
  EXPECT_EQ(dest->PixelValue(19, 19), A);
  EXPECT_EQ(dest->PixelValue(9, 9), B);
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

TEST_P(BlitTest, AKeyedBlitFromASurfaceWithoutAKeyCopiesEveryPixel) {
  auto source = Make(4, 4), dest = Make(4, 4);
  Fill(*source, A);
  const dd::DDCOLORKEY key{A, A};
  ASSERT_EQ(source->SetColorKey(dd::DDCKEY_SRCBLT, &key), dd::DD_OK);
  Fill(*dest, B);
  ASSERT_EQ(dest->BltFast(0, 0, source.get(), nullptr, dd::DDBLTFAST_SRCCOLORKEY), dd::DD_OK);
  EXPECT_EQ(dest->PixelValue(2, 2), B);
  // Without a key (taken away, or never set) no value is transparent, not even zero.
  ASSERT_EQ(source->SetColorKey(dd::DDCKEY_SRCBLT, nullptr), dd::DD_OK);
  Fill(*source, 0);
  ASSERT_EQ(dest->BltFast(0, 0, source.get(), nullptr, dd::DDBLTFAST_SRCCOLORKEY), dd::DD_OK);
  EXPECT_EQ(dest->PixelValue(2, 2), 0u);
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

TEST_P(BlitTest, EverySucceedingBlitIsRecordedUntilRecordingStops) {
  auto source = Make(10, 10), dest = Make(10, 10);
  std::vector<dd::testing::BlitRecord> blits;
  dd::testing::RecordBlits(&blits);
  const dd::RECT part{1, 2, 4, 6}, outside{0, 0, 11, 1};
  ASSERT_EQ(dest->BltFast(3, 4, source.get(), &part, dd::DDBLTFAST_SRCCOLORKEY), dd::DD_OK);
  ASSERT_EQ(dest->BltFast(0, 0, source.get(), nullptr, dd::DDBLTFAST_WAIT), dd::DD_OK);
  EXPECT_EQ(dest->BltFast(0, 0, source.get(), &outside, 0), dd::DDERR_INVALIDRECT);
  dd::testing::RecordBlits(nullptr);
  ASSERT_EQ(dest->BltFast(0, 0, source.get(), nullptr, 0), dd::DD_OK);

  ASSERT_EQ(blits.size(), 2u);
  EXPECT_EQ(blits[0].source, source.get());
  EXPECT_EQ(blits[0].rect.left, 1);
  EXPECT_EQ(blits[0].rect.bottom, 6);
  EXPECT_EQ(blits[0].x, 3);
  EXPECT_EQ(blits[0].y, 4);
  EXPECT_EQ(blits[0].flags, dd::DDBLTFAST_SRCCOLORKEY);
  // A null rectangle is recorded as the whole source.
  EXPECT_EQ(blits[1].rect.right, 10);
  EXPECT_EQ(blits[1].rect.bottom, 10);
  EXPECT_EQ(blits[1].flags, dd::DDBLTFAST_WAIT);
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

}  // namespace
