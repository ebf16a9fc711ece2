// A background copied whole over rows that already hold it is not copied again, and a shown
// row tagged as the one before is not compared. Whatever drew on a row in between, and
// however the flip chain turned, the pixels must be the ones a plain copy gives.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/picture/picture.h"
#include "support/game_window.h"
#include "support/offscreen.h"
#include "support/test_pictures.h"

namespace {

uint32_t Pattern(int x, int y) { return static_cast<uint32_t>(x * 7 + y * 131) & 0xFFFFFF; }

TEST(RowTags, BackgroundPutsBackWhateverWasDrawnOverIt) {
  Display display(32);
  auto background = display.Make(64, 8), sprite = display.Make(4, 4), back = display.Make(64, 8);
  WritePixels(*background, Pattern);
  FillSurface(*sprite, 0x123456);
  const dd::DDCOLORKEY key{0x000001, 0x000001};
  ASSERT_EQ(sprite->SetColorKey(dd::DDCKEY_SRCBLT, &key), dd::DD_OK);
  const auto picture =
      pic::OleLoadPicture(MakeBmp(64, 8, [](int x, int y) { return Pattern(y, x) ^ 0xFF; }));
  ASSERT_TRUE(picture);
  const dd::RECT row3{10, 3, 30, 4};
  const std::function<void()> writers[] = {
      [&] { back->BltFast(20, 2, sprite.get(), nullptr, dd::DDBLTFAST_SRCCOLORKEY); },
      [&] { FillSurface(*back, 0xABCDEF, &row3); },
      [&] {
        dd::LockedRect locked;
        ASSERT_EQ(back->Lock(&row3, locked, dd::DDLOCK_WAIT), dd::DD_OK);
        locked.bits[0] ^= 0xFF;
        back->Unlock(nullptr);
      },
      [&] {
        dd::HDC* dc = nullptr;
        ASSERT_EQ(back->GetDC(dc), dd::DD_OK);
        dd::FillRect(dc, row3, {1, 2, 3});
        back->ReleaseDC(dc);
      },
      [&] { RenderPicture(*picture, *back, 0, 8, 64, -8); },  // whole rows, twice: remembered
      [&] { RenderPicture(*picture, *back, 0, 8, 64, -8); },
      [&] { RenderPicture(*picture, *back, 8, 8, 40, -8); },
      [&] { RenderPicture(*picture, *back, 8, 8, 40, -8); },
      [&] { WritePixels(*background, [](int x, int y) { return Pattern(x + 1, y); }); },
  };
  for (size_t i = 0; i < std::size(writers); ++i) {
    SCOPED_TRACE("writer " + std::to_string(i));
    ASSERT_EQ(back->BltFast(0, 0, background.get(), nullptr, dd::DDBLTFAST_NOCOLORKEY), dd::DD_OK);
    writers[i]();
    ASSERT_EQ(back->BltFast(0, 0, background.get(), nullptr, dd::DDBLTFAST_NOCOLORKEY), dd::DD_OK);
    for (int y = 0; y < back->Height(); ++y)
      for (int x = 0; x < back->Width(); ++x)
        ASSERT_EQ(back->PixelValue(x, y), background->PixelValue(x, y)) << x << "," << y;
  }
}

// The tags turn with the chain's memory, and the texture below 32 bits (compared row by row
// with what it shows) gets every change, a new background included.
TEST(RowTags, FlipsShowEachFrameAsDrawn) {
  QuietFlipWindow window(16);
  dd::testing::KeepPresentedFrames(true);
  auto first = MakeOffscreen(*window.device, 800, 600),
       second = MakeOffscreen(*window.device, 800, 600);
  auto sprite = MakeOffscreen(*window.device, 40, 40);
  WritePixels(*first, [](int x, int y) { return (x ^ y) & 0xFFFF; });
  WritePixels(*second, [](int x, int y) { return (x + 3 * y) & 0xFFFF; });
  FillSurface(*sprite, 0xF800);
  struct Frame {
    dd::Surface* background;
    bool sprite;
  };
  const Frame frames[] = {{first.get(), false}, {first.get(), true},   {first.get(), false},
                          {first.get(), false}, {second.get(), false}, {first.get(), true},
                          {second.get(), true}, {second.get(), false}, {second.get(), false}};
  int shown = 0;
  for (const Frame& f : frames) {
    SCOPED_TRACE("frame " + std::to_string(shown++));
    ASSERT_EQ(window.back->BltFast(0, 0, f.background, nullptr, dd::DDBLTFAST_NOCOLORKEY),
              dd::DD_OK);
    if (f.sprite) {
      ASSERT_EQ(window.back->BltFast(100, 300, sprite.get(), nullptr, 0), dd::DD_OK);
    }
    ASSERT_EQ(window.primary->Flip(nullptr, dd::DDFLIP_WAIT), dd::DD_OK);
    const auto& presented = dd::testing::PresentedFrame();
    const auto texture = dd::testing::TextureFrame();
    ASSERT_EQ(texture, presented);
    for (const auto& [x, y] : {std::pair{120, 320}, {5, 5}, {799, 599}}) {
      const bool covered = f.sprite && x >= 100 && x < 140 && y >= 300 && y < 340;
      const uint32_t want = covered ? 0xF800u : f.background->PixelValue(x, y);
      ASSERT_EQ(window.primary->PixelValue(x, y), want) << x << "," << y;
    }
  }
  dd::testing::KeepPresentedFrames(false);
}

}  // namespace
