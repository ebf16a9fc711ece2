// A back buffer holds its draws back from a whole background copy until its pixels are
// wanted, and leaves the bands of rows whose draws did not change as they are. Whatever
// happens in between, every frame must be the one the same draws make on a plain surface.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "platform/picture/picture.h"
#include "support/game_window.h"
#include "support/offscreen.h"
#include "support/test_pictures.h"

namespace {

// One step of a frame: a draw made on the back buffer and on the plain surface alike, or
// something done once between draws.
struct Step {
  std::function<void(dd::Surface& target)> draw;
  std::function<void()> once = nullptr;
};

int FirstDifferentRow(const dd::Surface& a, const dd::Surface& b) {
  const size_t bytes = static_cast<size_t>(a.Width()) * ((a.BitsPerPixel() + 7) / 8);
  for (int y = 0; y < a.Height(); ++y)
    if (std::memcmp(a.Pixels() + static_cast<size_t>(y) * a.Pitch(),
                    b.Pixels() + static_cast<size_t>(y) * b.Pitch(), bytes) != 0)
      return y;
  return -1;
}

TEST(Composition, EveryFrameIsTheOneItsDrawsMake) {
  for (const int depth : {8, 32}) {
    SCOPED_TRACE("depth " + std::to_string(depth));
    QuietFlipWindow window(depth);
    dd::DirectDraw& device = *window.device;
    auto background = MakeOffscreen(device, 800, 600), plain = MakeOffscreen(device, 800, 600);
    auto sheet = MakeOffscreen(device, 80, 40);
    WritePixels(*background, [](int x, int y) { return uint32_t(x * 7 + y * 131) & 0xFFFFFF; });
    // Two cells with holes of the key (1) in them.
    const auto cells = [](int shift) {
      return [shift](int x, int y) { return (x + y) % 5 == 0 ? 1u : uint32_t(x * 3 + shift) | 2; };
    };
    WritePixels(*sheet, cells(0));
    const dd::DDCOLORKEY key{1, 1};
    ASSERT_EQ(sheet->SetColorKey(dd::DDCKEY_SRCBLT, &key), dd::DD_OK);
    const dd::RECT a{0, 0, 40, 40}, b{40, 0, 80, 40};

    const auto bg = Step{[&](dd::Surface& t) {
      ASSERT_EQ(t.BltFast(0, 0, background.get(), nullptr, 0), dd::DD_OK);
    }};
    const auto sprite = [&](int x, int y, const dd::RECT& cell, uint32_t flags) {
      return Step{[&, x, y, cell, flags](dd::Surface& t) {
        ASSERT_EQ(t.BltFast(x, y, sheet.get(), &cell, flags), dd::DD_OK);
      }};
    };
    const auto fill = [&](dd::RECT r, uint32_t value) {
      return Step{[r, value](dd::Surface& t) { FillSurface(t, value, &r); }};
    };
    const auto once = [](std::function<void()> f) { return Step{nullptr, std::move(f)}; };
    // Whole rows of a picture: the second time into a buffer, they come from what the first
    // render made.
    const auto picture = pic::OleLoadPicture(
        MakeBmp(800, 16, [](int x, int y) { return uint32_t(x * 5 + y * 40) << 8; }));
    ASSERT_TRUE(picture);
    const auto rendered =
        Step{[&](dd::Surface& t) { RenderPicture(*picture, t, 0, 116, 800, -16); }};
    const std::vector<Step> still = {bg, sprite(100, 100, a, dd::DDBLTFAST_SRCCOLORKEY),
                                     sprite(300, 203, b, dd::DDBLTFAST_SRCCOLORKEY),
                                     fill({0, 580, 800, 600}, 0x42)};
    const auto A = sprite(100, 100, a, dd::DDBLTFAST_SRCCOLORKEY),
               B = sprite(120, 104, b, dd::DDBLTFAST_SRCCOLORKEY);
    const auto over = [&](std::initializer_list<Step> sprites) {
      std::vector<Step> steps{bg};
      steps.insert(steps.end(), sprites);
      steps.push_back(fill({0, 580, 800, 600}, 0x42));
      return steps;
    };
    auto with = [&](std::vector<Step> steps, std::initializer_list<Step> more) {
      steps.insert(steps.end(), more);
      return steps;
    };
    const std::vector<Step> frames[] = {
        still,
        still,
        still,  // the buffer holds this frame's draws already
        {bg, sprite(104, 100, a, dd::DDBLTFAST_SRCCOLORKEY),
         sprite(300, 203, b, dd::DDBLTFAST_SRCCOLORKEY), fill({0, 580, 800, 600}, 0x42)},
        {bg, sprite(104, 100, a, 0), sprite(300, 203, b, dd::DDBLTFAST_SRCCOLORKEY),
         fill({0, 580, 800, 600}, 0x43)},
        // The sheet changes between two draws from it, and its key too.
        with(still, {once([&] { WritePixels(*sheet, cells(1)); }),
                     sprite(500, 300, a, dd::DDBLTFAST_SRCCOLORKEY)}),
        with(still, {once([&] {
                       const dd::DDCOLORKEY other{3, 3};
                       sheet->SetColorKey(dd::DDCKEY_SRCBLT, &other);
                     }),
                     sprite(500, 300, b, dd::DDBLTFAST_SRCCOLORKEY)}),
        // Drawn through a device context, as the game draws its pictures and text boxes.
        with(still, {Step{[](dd::Surface& t) {
                       dd::HDC* dc = nullptr;
                       ASSERT_EQ(t.GetDC(dc), dd::DD_OK);
                       dd::FillRect(dc, {200, 50, 600, 90}, {0, 0, 100});
                       t.ReleaseDC(dc);
                     }},
                     sprite(250, 60, a, dd::DDBLTFAST_SRCCOLORKEY)}),
        // A second background covers what came before it.
        {bg, sprite(10, 10, a, 0), bg, sprite(20, 500, b, dd::DDBLTFAST_SRCCOLORKEY)},
        with(still, {rendered}),
        with(still, {rendered}),
        with(still, {rendered}),
        // Overlapping sprites in the same bands, one taken away before the other, added
        // back after it, and the two drawn in the other order.
        over({A, B}),
        over({A, B}),
        over({B}),
        over({B}),
        over({B, A}),
        over({B, A}),
    };
    int n = 0;
    for (const auto& frame : frames) {
      SCOPED_TRACE("frame " + std::to_string(n));
      for (const Step& step : frame) {
        if (step.once) step.once();
        if (!step.draw) continue;
        step.draw(*window.back);
        step.draw(*plain);
      }
      if (n++ % 3 == 1) {
        ASSERT_EQ(FirstDifferentRow(*window.back, *plain), -1);
      }
      ASSERT_EQ(window.primary->Flip(nullptr, dd::DDFLIP_WAIT), dd::DD_OK);
      ASSERT_EQ(FirstDifferentRow(*window.primary, *plain), -1);
    }
  }
}

}  // namespace
