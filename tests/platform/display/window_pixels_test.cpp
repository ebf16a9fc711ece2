// Without a GPU the frame is converted and scaled straight into the window's own pixels.
// Where every output pixel is one frame pixel they must be the very pixels SDL's software
// renderer draws; linear output must sit where the pixel's middle falls; and a frame drawn
// in part, where only some of it changed, must equal the same frame drawn whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "app/shell.h"
#include "platform/display/ddraw.h"
#include "platform/display/stretch.h"
#include "platform/window/frame_area.h"
#include "support/game_window.h"
#include "support/offscreen.h"

namespace {

using win::ScaleMode;

// The window's pixels after the picture (value i at pixel i) is shown.
std::vector<uint32_t> Show(QuietFlipWindow& window, const std::vector<uint32_t>& picture) {
  int w = 0, h = 0;
  return window.Show([&](int x, int y) { return picture[y * 800 + x]; }, w, h);
}

std::vector<uint32_t> RandomPicture(int depth, std::mt19937& random) {
  std::vector<uint32_t> picture(800 * 600);
  const uint32_t mask = depth == 32 ? 0xFFFFFF : (1u << depth) - 1;
  for (uint32_t& p : picture) p = random() & mask;
  return picture;
}

struct Size {
  int w, h;
  ScaleMode mode;
};

// Window pixels of the picture at each size, through SDL's software renderer when asked.
std::vector<std::vector<uint32_t>> Draw(int depth, const std::vector<uint32_t>& picture,
                                        const std::vector<Size>& sizes, bool sdlRenderer) {
  SDL_SetHint(SDL_HINT_RENDER_DRIVER, sdlRenderer ? "software" : "");
  QuietFlipWindow window(depth);
  EXPECT_EQ(dd::testing::PresentsIntoWindowPixels(), !sdlRenderer);
  std::vector<std::vector<uint32_t>> shown;
  for (const Size& s : sizes) {
    win::SetScaleMode(s.mode);
    window.Resize(s.w, s.h);
    shown.push_back(Show(window, picture));
  }
  SDL_SetHint(SDL_HINT_RENDER_DRIVER, "");
  return shown;
}

TEST(WindowPixels, WhereEachPixelIsAFramePixelTheyAreTheOnesSdlDraws) {
  const std::vector<Size> sizes = {
      {800, 600, ScaleMode::Linear},    {1600, 1200, ScaleMode::Smooth},
      {1920, 1080, ScaleMode::Integer}, {1366, 768, ScaleMode::Nearest},
      {700, 700, ScaleMode::Nearest},
  };
  std::mt19937 random(23);
  for (int depth : {8, 16, 32}) {
    const std::vector<uint32_t> picture = RandomPicture(depth, random);
    const auto ours = Draw(depth, picture, sizes, false);
    const auto sdls = Draw(depth, picture, sizes, true);
    for (size_t i = 0; i < sizes.size(); ++i) {
      ASSERT_EQ(ours[i].size(), sdls[i].size()) << sizes[i].w << "x" << sizes[i].h;
      ASSERT_FALSE(ours[i].empty());
      for (size_t p = 0; p < ours[i].size(); ++p)
        ASSERT_EQ(ours[i][p], sdls[i][p]) << depth << " bits, " << sizes[i].w << "x" << sizes[i].h
                                          << " at " << p % sizes[i].w << "," << p / sizes[i].w;
    }
  }
}

TEST(WindowPixels, LinearTapsMeetWherePixelMiddlesFall) {
  struct Case {
    int from, to, multiple;
  } cases[] = {{800, 1440, 1}, {800, 400, 1}, {600, 1440, 2}, {800, 800, 1}, {800, 3000, 3}};
  for (const Case& c : cases) {
    const dd::Taps taps = dd::LinearTaps(c.from, c.to, c.multiple);
    ASSERT_EQ(taps.first.size(), static_cast<size_t>(c.to));
    for (int i = 0; i < c.to; ++i) {
      // Where the output pixel's middle falls in the larger picture, less half a pixel.
      const double big = c.from * c.multiple;
      const double at = std::clamp((i + 0.5) * big / c.to - 0.5, 0.0, big - 1);
      const int left = static_cast<int>(at), right = std::min<int>(left + 1, big - 1);
      // The frame pixel each of the two repeats, and how much of the right one is taken.
      const double want = left / c.multiple == right / c.multiple ? left / c.multiple
                                                                  : left / c.multiple + (at - left);
      const double got = taps.first[i] + (taps.second[i] - taps.first[i]) * taps.weight[i] / 256.0;
      ASSERT_NEAR(got, want, 1.0 / 256 + 1e-9)
          << c.from << " to " << c.to << " x" << c.multiple << " at " << i;
      ASSERT_LE(taps.second[i], taps.first[i] + 1);
      ASSERT_LT(taps.weight[i], 256);
    }
    EXPECT_EQ(taps.identity, c.from == c.to) << c.from << " to " << c.to;
  }
}

TEST(WindowPixels, AFrameDrawnWhereItChangedEqualsItDrawnWhole) {
  const std::vector<Size> sizes = {{1920, 1080, ScaleMode::Smooth},
                                   {2560, 1440, ScaleMode::Smooth},
                                   {1024, 768, ScaleMode::Nearest},
                                   {800, 600, ScaleMode::Smooth}};
  std::mt19937 random(7);
  for (int depth : {8, 16, 32}) {
    QuietFlipWindow window(depth);
    for (const Size& s : sizes) {
      SCOPED_TRACE(std::to_string(depth) + " bits, " + std::to_string(s.w) + "x" +
                   std::to_string(s.h));
      win::SetScaleMode(s.mode);
      window.Resize(s.w, s.h);
      std::vector<uint32_t> picture = RandomPicture(depth, random);
      Show(window, picture);
      // The flip left the frame before in the back buffer.
      Show(window, picture);
      // Single pixels at the edges and inside, and a band of rows.
      const uint32_t mask = depth == 32 ? 0xFFFFFF : (1u << depth) - 1;
      for (int p : {0, 799, 600 * 800 - 1, 599 * 800, 301 * 800 + 417, 302 * 800 + 33})
        picture[p] = (picture[p] + 1 + random() % mask) & mask;
      for (int y = 200; y < 230; ++y)
        for (int x = 100 + y; x < 160 + y; ++x) picture[y * 800 + x] = random() & mask;
      const std::vector<uint32_t> changed = Show(window, picture);
      dd::testing::ForgetShownFrame();
      const std::vector<uint32_t> whole = Show(window, picture);
      ASSERT_EQ(changed.size(), whole.size());
      for (size_t p = 0; p < whole.size(); ++p)
        ASSERT_EQ(changed[p], whole[p]) << "at " << p % s.w << "," << p / s.w;
    }
  }
}

}  // namespace
