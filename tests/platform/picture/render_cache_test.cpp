// A picture rendered again reuses what it made only while that is what a fresh render
// would make: after a change of palette, a restore and a change of size it still is.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "render.h"
#include "support/test_pictures.h"

namespace {

std::vector<uint8_t> Bytes(const dd::Surface& s) {
  std::vector<uint8_t> out;
  for (int y = 0; y < s.Height(); ++y)
    out.insert(
        out.end(), s.Pixels() + static_cast<size_t>(y) * s.Pitch(),
        s.Pixels() + static_cast<size_t>(y) * s.Pitch() + s.Width() * ((s.BitsPerPixel() + 7) / 8));
  return out;
}

struct Step {
  const char* name;
  std::function<void(dd::Palette&, dd::Surface&, dd::Surface&)> change;
  int x, y, w, h;  // where the picture goes after the change
};

TEST(RenderCache, TheCachedRenderEqualsAFreshOneAfterEveryChange) {
  const std::vector<dd::PALETTEENTRY> colours = {
      {0, 0, 0, 0}, {250, 10, 10, 0}, {10, 250, 10, 0}, {10, 10, 250, 0}, {200, 200, 200, 0}};
  const auto gif = MakeGif(40, 30, colours, [](int x, int y) { return (x / 3 + y / 2) % 5; });
  const auto bmp = MakeBmp(40, 30, [](int x, int y) { return (x * 6) << 16 | (y * 8) << 8 | 77; });
  std::array<dd::PALETTEENTRY, 256> entries{};
  for (size_t i = 0; i < colours.size(); ++i) entries[i] = colours[i];
  const std::array<dd::PALETTEENTRY, 256> first = entries;
  const auto same = [](dd::Palette&, dd::Surface&, dd::Surface&) {};
  const Step steps[] = {
      {"first", same, 0, 0, 40, 30},
      {"again", same, 0, 0, 40, 30},
      {"palette changed",
       [&](dd::Palette& pal, dd::Surface&, dd::Surface&) {
         std::swap(entries[1], entries[3]);
         pal.SetEntries(0, 256, entries.data());
       },
       0, 0, 40, 30},
      {"palette back",
       [&](dd::Palette& pal, dd::Surface&, dd::Surface&) { pal.SetEntries(0, 256, first.data()); },
       0, 0, 40, 30},
      {"restored",
       [](dd::Palette&, dd::Surface& a, dd::Surface& b) {
         dd::testing::LoseAllSurfaces();
         a.Restore();
         b.Restore();
       },
       0, 0, 40, 30},
      {"resized", same, 3, 2, 57, 41},
      {"moved off the edge", same, -9, 20, 40, 30},
  };
  for (int depth : {8, 16, 24, 32}) {
    Display display(depth);
    for (const auto* file : {&gif, &bmp}) {
      const auto kept = pic::OleLoadPicture(*file);
      ASSERT_TRUE(kept);
      auto target = display.Make(64, 48);
      auto plain = display.Make(64, 48);
      entries = first;
      dd::Palette palette(entries.data());
      target->SetPalette(&palette);
      plain->SetPalette(&palette);
      for (const Step& step : steps) {
        step.change(palette, *target, *plain);
        for (dd::Surface* s : {target.get(), plain.get()})
          std::memset(s->Pixels(), 0, static_cast<size_t>(s->Pitch()) * s->Height());
        Render(*kept, *target, step.x, step.y, step.w, step.h);
        // A picture loaded afresh has nothing remembered.
        Render(*pic::OleLoadPicture(*file), *plain, step.x, step.y, step.w, step.h);
        EXPECT_EQ(Bytes(*target), Bytes(*plain)) << depth << " bits, " << step.name;
      }
    }
  }
}

}  // namespace
