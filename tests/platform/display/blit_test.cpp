// The blit contract of the display layer at each depth the game draws at. Keyed blits copy
// through spans made once per source; they must give exactly the pixels of the plain
// definition (every source pixel whose own bits differ from the key is copied, whole) for
// any rectangle, and follow every way the source is written.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "platform/display/ddraw.h"
#include "platform/picture/picture.h"
#include "support/offscreen.h"
#include "support/test_pictures.h"

namespace {

using Image = std::vector<uint32_t>;
Image Read(const dd::Surface& s) {
  Image image;
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x) image.push_back(s.PixelValue(x, y));
  return image;
}

class BlitTest : public ::testing::TestWithParam<int> {
 protected:
  std::unique_ptr<dd::Surface> Make(int w, int h) { return display.Make(w, h); }
  // Runs of a few colours and of the key, as sprites have them; at 32 bits the unused byte
  // is noise, which the key must not look at.
  void Scribble(dd::Surface& s, uint32_t key) {
    const uint32_t colours[] = {key, key, 0x123456u & ownMask, 0xFEDCBAu & ownMask,
                                (key + 1) & ownMask};
    uint32_t colour = 0;
    int run = 0;  // pixels left of it
    WritePixels(s, [&](int x, int) {
      if (x == 0 || run == 0) colour = colours[random() % 5], run = 1 + random() % 40;
      --run;
      return bytes == 4 ? colour | static_cast<uint32_t>(random() % 256) << 24 : colour;
    });
  }
  void SetKey(dd::Surface& s, uint32_t key) {
    // As the game sets it: a whole word, of which only the pixel's own bits count.
    const uint32_t word = key | (random() % 256) << 24 | (bytes < 3 ? 0x5A5A00u << (bytes * 8) : 0);
    dd::DDCOLORKEY k{word, word};
    ASSERT_EQ(s.SetColorKey(dd::DDCKEY_SRCBLT, &k), dd::DD_OK);
  }
  dd::RECT RandomRect(const dd::Surface& s) {
    const int32_t left = random() % s.Width(), top = random() % s.Height();
    const int32_t right = left + 1 + random() % (s.Width() - left);
    const int32_t bottom = top + 1 + random() % (s.Height() - top);
    return {left, top, right, bottom};
  }
  // The definition, pixel by pixel: what `dest` holds after the blit.
  Image Expected(const dd::Surface& dest, int x, int y, const dd::Surface& source,
                 const dd::RECT& r, bool keyed, uint32_t key) const {
    Image image = Read(dest);
    for (int sy = r.top; sy < r.bottom; ++sy)
      for (int sx = r.left; sx < r.right; ++sx) {
        const uint32_t v = source.PixelValue(sx, sy);
        if (!keyed || (v & ownMask) != key)
          image[static_cast<size_t>(y + sy - r.top) * dest.Width() + x + sx - r.left] = v;
      }
    return image;
  }
  // Blits `rounds` rectangles of the source (random ones unless given), keyed and not, and
  // compares each result with the definition.
  void ExpectSameAsDefinition(dd::Surface& source, uint32_t key, int rounds,
                              const std::vector<dd::RECT>& given = {}) {
    auto dest = Make(source.Width() + 7, source.Height() + 5);
    for (int round = 0; round < rounds; ++round) {
      Scribble(*dest, (key + 2) & ownMask);
      const dd::RECT r = given.empty() ? RandomRect(source) : given[round % given.size()];
      const int x = random() % (dest->Width() - (r.right - r.left) + 1);
      const int y = random() % (dest->Height() - (r.bottom - r.top) + 1);
      const bool keyed = round % 4 != 3;
      const Image expected = Expected(*dest, x, y, source, r, keyed, key);
      ASSERT_EQ(dest->BltFast(x, y, &source, &r, keyed ? dd::DDBLTFAST_SRCCOLORKEY : 0), dd::DD_OK);
      ASSERT_EQ(Read(*dest), expected)
          << "rect " << r.left << "," << r.top << "," << r.right << "," << r.bottom << " at " << x
          << "," << y << (keyed ? " keyed" : "");
    }
  }
  // A sheet of runs under a new key, the key set on it.
  std::unique_ptr<dd::Surface> KeyedSheet(int width, int height, uint32_t& key) {
    auto sheet = Make(width, height);
    key = static_cast<uint32_t>(random()) & ownMask;
    Scribble(*sheet, key);
    SetKey(*sheet, key);
    return sheet;
  }

  Display display{GetParam()};
  const int bytes = (GetParam() + 7) / 8;
  const uint32_t ownMask = GetParam() >= 24 ? 0xFFFFFFu : (1u << GetParam()) - 1;
  const uint32_t A = 0x21, B = 0x42;  // pixel values valid at every depth
};

// A colour fill covers its rectangle's left and top edges, not its right and bottom ones.
TEST_P(BlitTest, RectanglesOutsideEitherSurfaceFailANullOneIsTheWholeSourceAndFillsAreExclusive) {
  auto source = Make(10, 10), dest = Make(20, 20);
  FillSurface(*source, A);
  FillSurface(*dest, B);
  const struct {
    int x, y;
    dd::RECT r;
  } outside[] = {{0, 0, {0, 0, 11, 5}},   {0, 0, {-1, 0, 5, 5}},   {0, 0, {6, 0, 2, 5}},
                 {11, 0, {0, 0, 10, 10}}, {0, 11, {0, 0, 10, 10}}, {-1, 0, {0, 0, 10, 10}}};
  for (const auto& c : outside)
    EXPECT_EQ(dest->BltFast(c.x, c.y, source.get(), &c.r, 0), dd::DDERR_INVALIDRECT) << c.x;
  EXPECT_EQ(dest->BltFast(0, 0, nullptr, nullptr, 0), dd::DDERR_INVALIDPARAMS);
  const dd::RECT fill{15, 15, 21, 18};
  dd::DDBLTFX fx;
  EXPECT_EQ(dest->Blt(&fill, nullptr, nullptr, dd::DDBLT_COLORFILL, &fx), dd::DDERR_INVALIDRECT);
  ASSERT_EQ(Read(*dest), Image(20 * 20, B));
  // A null rectangle is the whole source, and may touch the far edges exactly.
  EXPECT_EQ(dest->BltFast(10, 10, source.get(), nullptr, 0), dd::DD_OK);
  EXPECT_EQ(dest->PixelValue(19, 19), A);
  const dd::RECT r{1, 2, 4, 5};
  FillSurface(*dest, A, &r);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x)
      EXPECT_EQ(dest->PixelValue(x, y), x >= 1 && x < 4 && y >= 2 && y < 5 ? A : B)
          << x << "," << y;
}

// A lost surface refuses blits until it is restored.
TEST_P(BlitTest, AKeyedBlitFromASurfaceWithoutAKeyCopiesEveryPixelAndLostOnesRefuse) {
  auto source = Make(4, 4), dest = Make(4, 4);
  FillSurface(*source, A);
  const dd::DDCOLORKEY key{A, A};
  ASSERT_EQ(source->SetColorKey(dd::DDCKEY_SRCBLT, &key), dd::DD_OK);
  FillSurface(*dest, B);
  ASSERT_EQ(dest->BltFast(0, 0, source.get(), nullptr, dd::DDBLTFAST_SRCCOLORKEY), dd::DD_OK);
  EXPECT_EQ(dest->PixelValue(2, 2), B);
  // Without a key (taken away, or never set) no value is transparent, not even zero.
  ASSERT_EQ(source->SetColorKey(dd::DDCKEY_SRCBLT, nullptr), dd::DD_OK);
  FillSurface(*source, 0);
  ASSERT_EQ(dest->BltFast(0, 0, source.get(), nullptr, dd::DDBLTFAST_SRCCOLORKEY), dd::DD_OK);
  EXPECT_EQ(dest->PixelValue(2, 2), 0u);

  dd::testing::LoseAllSurfaces();
  EXPECT_EQ(dest->BltFast(0, 0, source.get(), nullptr, 0), dd::DDERR_SURFACELOST);
  ASSERT_EQ(dest->Restore(), dd::DD_OK);
  ASSERT_EQ(source->Restore(), dd::DD_OK);
  EXPECT_EQ(dest->BltFast(0, 0, source.get(), nullptr, 0), dd::DD_OK);
}

// Widths that end inside, on and past the index's blocks, and the screen's own; then
// rectangles blitted again and again, as the game's sheet cells are, more of them than a
// sheet keeps flattened, and wide ones whose runs fill the room for them.
TEST_P(BlitTest, KeyedBlitsOfRandomSheetsKeysAndRectanglesMatchTheDefinition) {
  srandom(GetParam());
  uint32_t key = 0;
  for (int width : {1, 31, 32, 33, 95, 150, 800}) {
    auto sheet = KeyedSheet(width, 1 + random() % 24, key);
    ExpectSameAsDefinition(*sheet, key, 40);
  }
  auto sheet = KeyedSheet(300, 12, key);
  std::vector<dd::RECT> rects;
  for (int i = 0; i < 300; ++i)
    rects.push_back(i % 3 == 0 ? dd::RECT{i % 7, i % 5, 300 - i % 11, 12}
                               : dd::RECT{i % 260, i % 9, i % 260 + 1 + i % 40, i % 9 + 3});
  ExpectSameAsDefinition(*sheet, key, 2 * static_cast<int>(rects.size()), rects);
}

TEST_P(BlitTest, EveryWriteToTheSourceIsSeenByTheNextKeyedBlit) {
  srandom(100 + GetParam());
  uint32_t key = 0;
  auto sheet = KeyedSheet(120, 16, key);
  // Random rectangles, and the same few cells every time, which are flattened once.
  const std::vector<dd::RECT> cells{{0, 0, 40, 16}, {40, 0, 80, 8}, {81, 3, 120, 16}};
  const auto expectSame = [&](uint32_t key) {
    ExpectSameAsDefinition(*sheet, key, 4);
    ExpectSameAsDefinition(*sheet, key, 6, cells);
  };
  expectSame(key);  // the spans are made

  // Through a lock.
  Scribble(*sheet, key);
  expectSame(key);

  // A picture rendered into it through a device context, as every restore does.
  auto picture = pic::OleLoadPicture(MakeBmp(
      120, 16, [](int x, int y) { return (x / 9 + y / 5) % 3 == 0 ? 0xFF00FFu : 0x3060C0u; }));
  ASSERT_TRUE(picture);
  RenderPicture(*picture, *sheet, 0, 0, 120, 16);
  expectSame(key);

  // A new key on the same pixels: its corner's colour, as the game keys its sheets.
  key = sheet->PixelValue(0, 0) & ownMask;
  SetKey(*sheet, key);
  expectSame(key);

  // A colour fill and a blit into it both go through the blit's row writes.
  const dd::RECT band{0, 4, 120, 9};
  FillSurface(*sheet, key, &band);
  auto patch = Make(30, 6);
  Scribble(*patch, (key + 1) & ownMask);
  ASSERT_EQ(sheet->BltFast(50, 5, patch.get(), nullptr, 0), dd::DD_OK);
  expectSame(key);

  // Lost and restored: the contents are gone until drawn again.
  dd::testing::LoseAllSurfaces();
  ASSERT_EQ(sheet->Restore(), dd::DD_OK);
  expectSame(key);

  // A keyed copy within the sheet reads its pixels as they were before, and the next keyed
  // blit sees what the copy wrote.
  Scribble(*sheet, key);
  const dd::RECT part{0, 0, 40, 12};
  const Image expected = Expected(*sheet, 10, 3, *sheet, part, true, key);
  ASSERT_EQ(sheet->BltFast(10, 3, sheet.get(), &part, dd::DDBLTFAST_SRCCOLORKEY), dd::DD_OK);
  EXPECT_EQ(Read(*sheet), expected);
  expectSame(key);
}

INSTANTIATE_TEST_SUITE_P(Depths, BlitTest, ::testing::Values(8, 16, 24, 32));

}  // namespace
