// Pictures decoded from memory and rendered into surfaces as the render table does it.
#include "platform/picture/picture.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>

#include "platform/display/ddraw.h"
#include "platform/picture/header.h"
#include "platform/picture/memory.h"
#include "support/offscreen.h"
#include "support/test_pictures.h"

namespace {

using Bytes = std::vector<uint8_t>;
using pic::OleLoadPicture;

void Put(Bytes& bytes, size_t at, uint32_t value, int count) {
  for (int i = 0; i < count; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

TEST(Picture, BmpKeepsItsPixelsAndReportsHimetric) {
  auto p = OleLoadPicture(MakeBmp(800, 3, [](int x, int y) { return uint32_t(x % 256) << 8 | y; }));
  ASSERT_TRUE(p);
  EXPECT_EQ(p->PixelRGB(255, 2), 0x00FF02u);
  pic::OLE_XSIZE_HIMETRIC w = 0;
  pic::OLE_YSIZE_HIMETRIC h = 0;
  p->get_Width(&w);
  p->get_Height(&h);
  EXPECT_EQ(std::pair(w, h), std::pair(21167, 79));  // 800 × 2540 / 96, rounded
}

// Stretched, upright and flipped, and clipped to the surface.
TEST(Picture, RenderScalesFlipsAndClipsOntoTheSurface) {
  Display display(32), clipped(24);
  auto tall = display.Make(3, 4);
  auto p = OleLoadPicture(MakeBmp(1, 2, [](int, int y) { return y == 0 ? 0xFF0000u : 0xFFu; }));
  for (const bool upright : {true, false}) {
    RenderPicture(*p, *tall, 0, upright ? 0 : 4, 3, upright ? 4 : -4);
    for (const auto& [y, top] : {std::pair{0, true}, std::pair{1, true}, std::pair{3, false}})
      EXPECT_EQ(tall->PixelRGB(1, y), top == upright ? 0xFF0000u : 0xFFu) << upright << y;
  }

  auto s = clipped.Make(10, 10);
  RenderPicture(*OleLoadPicture(MakeBmp(2, 2, [](int, int) { return 0xFF00u; })), *s, 5, -80, 100,
                100);
  EXPECT_EQ(s->PixelRGB(4, 0), 0u);
  EXPECT_EQ(s->PixelRGB(5, 0), 0xFF00u);
  EXPECT_EQ(s->PixelRGB(9, 9), 0xFF00u);
}

TEST(Picture, GifKeepsItsPaletteAndMapsOntoTheSurfacePaletteAtEightBits) {
  std::array<dd::PALETTEENTRY, 256> colours{}, copied{}, reversed{};
  for (int i = 0; i < 256; ++i) colours[i] = {uint8_t(i), uint8_t(255 - i), 7, 0};
  // 600 pixels: longer than one run between the writer's clear codes.
  auto p = OleLoadPicture(MakeGif(30, 20, {colours.begin(), colours.end()},
                                  [](int x, int y) { return uint8_t(x * 20 + y); }));
  ASSERT_TRUE(p);
  pic::HPALETTE handle = nullptr;
  ASSERT_EQ(p->get_hPal(&handle), pic::S_OK);
  ASSERT_EQ(pic::GetPaletteEntries(handle, 0, 256, copied.data()), 256u);

  // The surface's palette holds the copied colours in reverse order: a pixel maps onto the
  // reversed entry only if its colour was copied right.
  Display display(8);
  auto s = display.Make(30, 20);
  std::reverse_copy(copied.begin(), copied.end(), reversed.begin());
  std::unique_ptr<dd::Palette> palette;
  ASSERT_EQ(display.device->CreatePalette(dd::DDPCAPS_8BIT, reversed.data(), palette), dd::DD_OK);
  ASSERT_EQ(s->SetPalette(palette.get()), dd::DD_OK);
  RenderPicture(*p, *s, 0, 0, 30, 20);
  EXPECT_EQ(s->PixelValue(3, 4), 255u - (3 * 20 + 4));
  EXPECT_EQ(s->PixelValue(29, 19), 255u - uint8_t(29 * 20 + 19));
}

// Four-channel JPEGs come out in their colours whichever way they hold their inks.
TEST(Picture, JpegsComeOutInTheirColours) {
  for (const JpegInks inks :
       {JpegInks::Rgb, JpegInks::Cmyk, JpegInks::AdobeCmyk, JpegInks::AdobeYcck}) {
    SCOPED_TRACE(static_cast<int>(inks));
    auto p = OleLoadPicture(MakeJpeg(
        32, 16, [](int x, int) { return x < 16 ? 0xE02010u : 0x2040C0u; }, inks));
    ASSERT_TRUE(p);
    for (const auto& [x, colour] : {std::pair{4, 0xE02010u}, std::pair{28, 0x2040C0u}})
      for (int shift : {16, 8, 0})
        EXPECT_NEAR(int(p->PixelRGB(x, 8) >> shift & 0xFF), int(colour >> shift & 0xFF),
                    inks == JpegInks::Rgb ? 4 : 8)
            << x << " " << shift;
  }
}

// Files the decoder rejects give no picture. A JPEG it finds cut short, corrupt, or shorter
// than its header claims is refused, never shown with its missing part grey; a picture far
// larger than any screen is refused rather than held, a claimed one undecoded.
TEST(Picture, DamagedUnknownAndHugeFilesGiveNone) {
  const auto jpeg = MakeJpeg(
      320, 240, [](int x, int y) { return uint32_t((x * 7 ^ y * 13) & 0xFF) * 0x010101u; });
  const uint8_t sofMarker[] = {0xFF, 0xC0};
  const size_t sof = std::search(jpeg.begin(), jpeg.end(), sofMarker, sofMarker + 2) - jpeg.begin();
  const auto claiming = [&](int width, int height) {
    Bytes bytes = jpeg;
    bytes[sof + 5] = uint8_t(height >> 8), bytes[sof + 6] = uint8_t(height);
    bytes[sof + 7] = uint8_t(width >> 8), bytes[sof + 8] = uint8_t(width);
    return bytes;
  };
  Bytes marked = jpeg;  // a marker in the middle of the scan
  marked.insert(marked.begin() + static_cast<std::ptrdiff_t>(jpeg.size() / 2), {0xFF, 0xD4});
  for (const auto& damaged :
       {Bytes(jpeg.begin(), jpeg.end() - 2), claiming(320, 2400), marked, claiming(65535, 65535)})
    EXPECT_FALSE(OleLoadPicture(damaged)) << damaged.size();

  auto huge = MakeBmp(4, 4, [](int, int) { return 0u; });
  Put(huge, 18, 0x40000, 4);
  Put(huge, 22, static_cast<uint32_t>(-3), 4);
  for (const auto& refused :
       {Bytes{}, Bytes{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13},
        Bytes(huge.begin(), huge.begin() + 20), huge})
    EXPECT_FALSE(OleLoadPicture(refused)) << refused.size();
}

TEST(PictureHeader, EachFormatGivesTheSizeItClaims) {
  using Size = std::pair<int64_t, int64_t>;
  auto claimed = [](const Bytes& bytes) -> std::optional<Size> {
    const auto size = pic::ClaimedPictureSize(bytes);
    return size ? std::optional(Size{size->width, size->height}) : std::nullopt;
  };
  auto bmp = MakeBmp(37, 5, [](int, int) { return 0u; });
  Put(bmp, 22, static_cast<uint32_t>(-5), 4);  // rows from the top
  EXPECT_EQ(claimed(bmp), Size(37, 5));
  EXPECT_EQ(claimed(Bytes(bmp.begin(), bmp.begin() + 24)), std::nullopt);

  EXPECT_EQ(claimed(MakeGif(30, 7, {}, [](int, int) { return uint8_t{0}; })), Size(30, 7));
  // An image larger than the logical screen, behind a two-entry colour table and a
  // graphic control extension.
  const Bytes head = {'G', 'I', 'F', '8', '9', 'a',  10,   0, 10, 0, 0x80, 0, 0, 0,
                      0,   0,   255, 255, 255, 0x21, 0xF9, 4, 0,  0, 0,    0, 0};
  const Bytes wide = {0x2C, 0, 0, 0, 0, 0x28, 0x23, 1, 0, 0, 2, 1, 0xFF, 0};
  Bytes oddCode = wide;  // a code size no encoder writes
  oddCode[10] = 0x84;
  auto gif = [&](std::initializer_list<Bytes> parts) {
    Bytes bytes = head;
    for (const auto& part : parts) bytes.insert(bytes.end(), part.begin(), part.end());
    return claimed(bytes);
  };
  EXPECT_EQ(gif({wide, {0x3B}}), Size(9000, 10));
  // What the decoder would have to guess about claims nothing: stray bytes between the
  // blocks, an odd code size, data cut short, no image at all.
  for (const auto& guess : {gif({{0xBA, 0xBA}, wide}), gif({oddCode}),
                            gif({Bytes(wide.begin(), wide.end() - 2)}), gif({{0x3B}})})
    EXPECT_EQ(guess, std::nullopt);

  const auto jpeg = MakeJpeg(24, 16, [](int, int) { return 0x3080C0u; });
  EXPECT_EQ(claimed(Bytes(jpeg.begin(), jpeg.begin() + 12)), std::nullopt);
  EXPECT_EQ(claimed(jpeg), Size(24, 16));
  EXPECT_EQ(claimed({'h', 'e', 'l', 'l', 'o'}), std::nullopt);
}

TEST(PictureHeader, WhileDecodingSdlRefusesMoreThanTheBudget) {
  {
    const pic::DecodingBudget budget(1 << 20);
    EXPECT_EQ(SDL_malloc((1 << 20) + 1), nullptr);
    EXPECT_EQ(SDL_calloc(1 << 11, 1 << 10), nullptr);
    EXPECT_EQ(SDL_calloc(SIZE_MAX / 2, 4), nullptr);  // a product that wraps
    void* small = SDL_malloc(1000);
    ASSERT_NE(small, nullptr);
    EXPECT_EQ(SDL_realloc(small, 2 << 20), nullptr);
    SDL_free(small);
  }
  void* large = SDL_malloc(2 << 20);  // the budget ends with the decode
  EXPECT_NE(large, nullptr);
  SDL_free(large);
}

// A picture rendered again reuses what it made only while that is what a fresh render
// would make: after a change of palette, a restore and a change of size it still is.
TEST(RenderCache, TheCachedRenderEqualsAFreshOneAfterEveryChange) {
  const std::vector<dd::PALETTEENTRY> colours = {
      {0, 0, 0, 0}, {250, 10, 10, 0}, {10, 250, 10, 0}, {10, 10, 250, 0}, {200, 200, 200, 0}};
  const auto gif = MakeGif(40, 30, colours, [](int x, int y) { return (x / 3 + y / 2) % 5; });
  const auto bmp = MakeBmp(40, 30, [](int x, int y) { return (x * 6) << 16 | (y * 8) << 8 | 77; });
  enum Change { None, NewColours, Restored };
  const struct {
    Change change;
    int x, y, w, h;  // where the picture goes after the change
  } steps[] = {{None, 0, 0, 40, 30},     {None, 0, 0, 40, 30}, {NewColours, 0, 0, 40, 30},
               {Restored, 0, 0, 40, 30}, {None, 3, 2, 57, 41}, {None, -9, 20, 40, 30}};
  for (int depth : {8, 16, 24, 32}) {
    Display display(depth);
    for (const Bytes* file : {&gif, &bmp}) {
      const auto kept = OleLoadPicture(*file);
      ASSERT_TRUE(kept);
      auto target = display.Make(64, 48), plain = display.Make(64, 48);
      std::array<dd::PALETTEENTRY, 256> entries{};
      std::copy(colours.begin(), colours.end(), entries.begin());
      dd::Palette palette(entries.data());
      target->SetPalette(&palette);
      plain->SetPalette(&palette);
      for (size_t i = 0; i < std::size(steps); ++i) {
        const auto& step = steps[i];
        if (step.change == NewColours) {
          std::swap(entries[1], entries[3]);
          palette.SetEntries(0, 256, entries.data());
        } else if (step.change == Restored) {
          dd::testing::LoseAllSurfaces();
          target->Restore();
          plain->Restore();
        }
        for (dd::Surface* s : {target.get(), plain.get()})
          std::memset(s->Pixels(), 0, static_cast<size_t>(s->Pitch()) * s->Height());
        RenderPicture(*kept, *target, step.x, step.y, step.w, step.h);
        // A picture loaded afresh has nothing remembered.
        RenderPicture(*OleLoadPicture(*file), *plain, step.x, step.y, step.w, step.h);
        for (int y = 0; y < 48; ++y)
          for (int x = 0; x < 64; ++x)
            ASSERT_EQ(target->PixelValue(x, y), plain->PixelValue(x, y))
                << depth << " bits, step " << i << " at " << x << "," << y;
      }
    }
  }
}

}  // namespace
