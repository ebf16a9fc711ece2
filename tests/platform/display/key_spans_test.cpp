// Keyed blits copy through spans made once per source; they must give exactly the pixels of
// the plain definition (every source pixel whose own bits differ from the key is copied,
// whole) for any rectangle, at every depth, and follow every way the source is written.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "platform/display/ddraw.h"
#include "platform/picture/picture.h"
#include "support/offscreen.h"
#include "support/test_pictures.h"

namespace {

// A surface's bytes, row by row, without the padding.
struct Image {
  int width = 0, height = 0, bytes = 0;
  std::vector<uint8_t> data;
  uint8_t* At(int x, int y) { return data.data() + (static_cast<size_t>(y) * width + x) * bytes; }
};

Image Read(dd::Surface& s) {
  Image image{s.Width(), s.Height(), (s.BitsPerPixel() + 7) / 8, {}};
  image.data.resize(static_cast<size_t>(image.width) * image.height * image.bytes);
  dd::LockedRect locked;
  EXPECT_EQ(s.Lock(nullptr, locked, dd::DDLOCK_WAIT | dd::DDLOCK_READONLY), dd::DD_OK);
  for (int y = 0; y < image.height; ++y)
    std::memcpy(image.At(0, y), locked.bits + static_cast<size_t>(y) * locked.pitch,
                static_cast<size_t>(image.width) * image.bytes);
  s.Unlock(nullptr);
  return image;
}

uint32_t OwnBits(const uint8_t* p, int bytes) {
  uint32_t v = 0;
  std::memcpy(&v, p, bytes);
  return bytes == 4 ? v & 0xFFFFFF : v;
}

// The definition, pixel by pixel.
void ReferenceBlit(Image& dest, int x, int y, Image& source, const dd::RECT& r, bool keyed,
                   uint32_t key) {
  for (int sy = r.top; sy < r.bottom; ++sy)
    for (int sx = r.left; sx < r.right; ++sx) {
      const uint8_t* from = source.At(sx, sy);
      if (keyed && OwnBits(from, source.bytes) == key) continue;
      std::memcpy(dest.At(x + sx - r.left, y + sy - r.top), from, source.bytes);
    }
}

class KeySpansTest : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    ASSERT_EQ(dd::DirectDrawCreateEx(nullptr, device), dd::DD_OK);
    ASSERT_EQ(device->SetDisplayMode(800, 600, GetParam(), 0, 0), dd::DD_OK);
    bytes = (GetParam() + 7) / 8;
    ownMask = GetParam() >= 24 ? 0xFFFFFFu : (1u << GetParam()) - 1;
  }
  std::unique_ptr<dd::Surface> Make(int w, int h) { return MakeOffscreen(*device, w, h); }
  // Runs of a few colours and of the key, as sprites have them; at 32 bits the unused byte
  // is noise, which the key must not look at.
  void Scribble(dd::Surface& s, uint32_t key) {
    const uint32_t colours[] = {key, key, 0x123456u & ownMask, 0xFEDCBAu & ownMask,
                                (key + 1) & ownMask};
    dd::LockedRect locked;
    ASSERT_EQ(s.Lock(nullptr, locked, dd::DDLOCK_WAIT), dd::DD_OK);
    for (int y = 0; y < s.Height(); ++y) {
      int x = 0;
      while (x < s.Width()) {
        const uint32_t colour = colours[random() % 5];
        const int run = 1 + static_cast<int>(random() % 40);
        for (int i = 0; i < run && x < s.Width(); ++i, ++x) {
          uint32_t v = colour;
          if (bytes == 4) v |= static_cast<uint32_t>(random() % 256) << 24;
          std::memcpy(locked.bits + static_cast<size_t>(y) * locked.pitch + x * bytes, &v, bytes);
        }
      }
    }
    s.Unlock(nullptr);
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
      Image expected = Read(*dest), from = Read(source);
      ReferenceBlit(expected, x, y, from, r, keyed, key);
      ASSERT_EQ(dest->BltFast(x, y, &source, &r, keyed ? dd::DDBLTFAST_SRCCOLORKEY : 0), dd::DD_OK);
      ASSERT_EQ(Read(*dest).data, expected.data)
          << "rect " << r.left << "," << r.top << "," << r.right << "," << r.bottom << " at " << x
          << "," << y << (keyed ? " keyed" : "");
    }
  }
  uint32_t NewKey() { return static_cast<uint32_t>(random()) & ownMask; }
  // A sheet of runs under a new key, the key set on it.
  std::unique_ptr<dd::Surface> KeyedSheet(int width, int height, uint32_t& key) {
    auto sheet = Make(width, height);
    key = NewKey();
    Scribble(*sheet, key);
    SetKey(*sheet, key);
    return sheet;
  }

  std::unique_ptr<dd::DirectDraw> device;
  int bytes = 0;
  uint32_t ownMask = 0;
};

TEST_P(KeySpansTest, RandomSheetsKeysAndRectanglesMatchTheDefinition) {
  srandom(GetParam());
  // Widths that end inside, on and past the index's blocks, and the screen's own.
  for (int width : {1, 31, 32, 33, 95, 150, 800}) {
    uint32_t key = 0;
    auto sheet = KeyedSheet(width, 1 + random() % 24, key);
    ExpectSameAsDefinition(*sheet, key, 40);
  }
}

// Rectangles blitted again and again, as the game's sheet cells are, more of them than a
// sheet keeps flattened, and wide ones whose runs fill the room for them.
TEST_P(KeySpansTest, RectanglesBlittedAgainAndManyOfThemMatchTheDefinition) {
  srandom(50 + GetParam());
  uint32_t key = 0;
  auto sheet = KeyedSheet(300, 12, key);
  std::vector<dd::RECT> rects;
  for (int i = 0; i < 300; ++i)
    rects.push_back(i % 3 == 0 ? dd::RECT{i % 7, i % 5, 300 - i % 11, 12}
                               : dd::RECT{i % 260, i % 9, i % 260 + 1 + i % 40, i % 9 + 3});
  ExpectSameAsDefinition(*sheet, key, 2 * static_cast<int>(rects.size()), rects);
}

TEST_P(KeySpansTest, EveryWriteToTheSourceIsSeenByTheNextKeyedBlit) {
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

  // Through a device context.
  dd::HDC* dc = nullptr;
  ASSERT_EQ(sheet->GetDC(dc), dd::DD_OK);
  const uint32_t rgb = GetParam() == 8 ? 0x000000 : 0x80C040;
  ASSERT_TRUE(
      dd::FillRect(dc, {10, 2, 70, 12}, {uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb)}));
  ASSERT_EQ(sheet->ReleaseDC(dc), dd::DD_OK);
  expectSame(key);

  // A picture rendered into it, as every restore does; the key is its corner's colour.
  auto picture = pic::OleLoadPicture(MakeBmp(
      120, 16, [](int x, int y) { return (x / 9 + y / 5) % 3 == 0 ? 0xFF00FFu : 0x3060C0u; }));
  ASSERT_TRUE(picture);
  pic::OLE_XSIZE_HIMETRIC w = 0;
  pic::OLE_YSIZE_HIMETRIC h = 0;
  picture->get_Width(&w);
  picture->get_Height(&h);
  ASSERT_EQ(sheet->GetDC(dc), dd::DD_OK);
  ASSERT_EQ(picture->Render(dc, 0, 16, 120, -16, 0, 0, w, h, nullptr), pic::S_OK);
  ASSERT_EQ(sheet->ReleaseDC(dc), dd::DD_OK);
  key = sheet->PixelValue(0, 0) & ownMask;
  SetKey(*sheet, key);
  expectSame(key);

  // A new key on the same pixels.
  key = sheet->PixelValue(5, 0) & ownMask;
  SetKey(*sheet, key);
  expectSame(key);

  // A colour fill, a blit into it and a write through its pixels.
  dd::DDBLTFX fx;
  fx.dwFillColor = key;
  const dd::RECT band{0, 4, 120, 9};
  ASSERT_EQ(sheet->Blt(&band, nullptr, nullptr, dd::DDBLT_COLORFILL, &fx), dd::DD_OK);
  expectSame(key);
  auto patch = Make(30, 6);
  Scribble(*patch, (key + 1) & ownMask);
  ASSERT_EQ(sheet->BltFast(50, 5, patch.get(), nullptr, 0), dd::DD_OK);
  expectSame(key);
  std::memset(sheet->Pixels() + sheet->Pitch() * 3, 0x77, sheet->Pitch());
  expectSame(key);

  // Lost and restored: the contents are gone until drawn again.
  dd::testing::LoseAllSurfaces();
  ASSERT_EQ(sheet->Restore(), dd::DD_OK);
  expectSame(key);
  Scribble(*sheet, key);
  expectSame(key);
}

TEST_P(KeySpansTest, ACopyWithinOneSurfaceReadsThePixelsAsTheyWereBefore) {
  srandom(200 + GetParam());
  uint32_t key = 0;
  auto sheet = KeyedSheet(64, 20, key);
  Image expected = Read(*sheet), before = Read(*sheet);
  const dd::RECT r{0, 0, 40, 12};
  ReferenceBlit(expected, 10, 5, before, r, true, key);
  ASSERT_EQ(sheet->BltFast(10, 5, sheet.get(), &r, dd::DDBLTFAST_SRCCOLORKEY), dd::DD_OK);
  EXPECT_EQ(Read(*sheet).data, expected.data);
}

INSTANTIATE_TEST_SUITE_P(Depths, KeySpansTest, ::testing::Values(8, 16, 24, 32));

}  // namespace
