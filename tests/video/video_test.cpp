// Start-up and teardown: the order of the steps, their messages and the release before them;
// every picture rendered into its surface with its key and palette (their coming back after
// a loss is the lost-display test's); the bitmap font and the text box.
#include "video/video.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/init.h"
#include "app/shell.h"
#include "fs/file_system.h"
#include "support/game_pictures.h"
#include "support/offscreen.h"
#include "support/temp_dir.h"

namespace {

using SurfaceHandle = std::unique_ptr<dd::Surface> VideoState::*;
constexpr SurfaceHandle AllSurfaces[] = {
    &VideoState::ddsBackground, &VideoState::ddsGame,        &VideoState::ddsBarel,
    &VideoState::ddsBonus,      &VideoState::ddsDigits,      &VideoState::ddsNauvrelExpl,
    &VideoState::ddsMenuSel,    &VideoState::ddsMenuBckg,    &VideoState::ddsControls,
    &VideoState::ddsFont,       &VideoState::ddsNauvrelExplB};

// Each test runs in a fresh working directory that holds its own Nauvrel.spl.
class InitTest : public ::testing::Test {
 protected:
  void SetUp() override { Reset(); }
  void TearDown() override { sysReleaseAll(); }
  // A fresh start: nothing held, no boxes shown, every depth offered, no switches.
  static void Reset(int depth = 0) {
    sysReleaseAll();
    win::testing::Reset();
    dd::testing::AcceptAllDepths();
    Switches = SwitchFlags{};
    Switches.NoSound = true;
    if (depth) Switches.Use32BitColors = depth == 32;
    Switches.Use8BitColors = depth == 8;
  }
  static void Archive(const FileMap& files) { WriteGameArchive(files, "Nauvrel.spl"); }
  // Start-up failed with exactly this one message, and nothing is left held.
  static void ExpectStoppedWith(const std::string& message) {
    EXPECT_EQ(win::testing::MessageBoxes(), std::vector<std::string>{message});
    ExpectAllReleased();
  }
  static void ExpectAllReleased() {
    EXPECT_FALSE(FileSystem.Files || Video.ddObject || Video.PrimarySurface || Video.BackBuffer);
    for (SurfaceHandle handle : AllSurfaces) EXPECT_FALSE(Video.*handle);
    EXPECT_FALSE(Video.imgMenuBckg || Video.imgGame || Video.imgFont || Video.imgBackground1 ||
                 Video.dplGame || Video.dplMenu || Video.dplHiScore);
  }
  InTempDir here;
};

// Without backgrounds (here at 16 bits) none is loaded.
TEST_F(InitTest, StartsAtEachDepthWithItsOwnPictures) {
  for (int depth : {32, 16, 8}) {
    Reset(depth);
    Switches.ShowBackground = depth != 16;
    Archive(GamePictureFiles(depth));
    ASSERT_TRUE(sysInit()) << depth;
    EXPECT_EQ(Video.ddsBackground && Video.imgBackground3, depth != 16);
    EXPECT_EQ(Video.ddObject->DisplayDepth(), depth);
    pic::HPALETTE palette = nullptr;
    Video.imgGame->get_hPal(&palette);
    EXPECT_EQ(palette != nullptr, depth == 8);  // GIFs under Grafika8 at 8 bits only
    sysReleaseAll();
    sysReleaseAll();  // the exit path releases again
    ExpectAllReleased();
  }
}

// A broken archive stops naming it (a missing one, where it was looked for, is the install
// test's); a picture that fails stops the start at the first with its name. A failure half-way has
// already released; the exit path's release finds nothing more.
TEST_F(InitTest, AMissingOrBrokenArchiveOrPictureStopsWithItsName) {
  std::ofstream("Nauvrel.spl") << "not an archive";
  EXPECT_FALSE(sysInit());
  ExpectStoppedWith("FS_LoadSPL: Nauvrel.spl failed (" + std::filesystem::current_path().string() +
                    "/Nauvrel.spl)");
  const struct {
    int depth;
    std::vector<const char*> missing;
    const char* broken;
    const char* message;
  } cases[] = {
      {32, {"Grafika/Logo.jpg", "Grafika/Barel.bmp"}, nullptr, "sysLoadImage: Barel.bmp"},
      {32, {}, "Grafika/Help2.jpg", "sysLoadImage: Help2.jpg"},
      {8, {"Grafika8/Bonus.gif"}, nullptr, "sysLoadImage: bonus.gif"},  // as the game names it
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    Reset(c.depth);
    FileMap files = GamePictureFiles(c.depth);
    for (const char* path : c.missing) files.erase(path);
    if (c.broken) files[c.broken] = {'n', 'o', 't'};
    Archive(files);
    EXPECT_FALSE(sysInit());
    sysReleaseAll();
    ExpectStoppedWith(c.message);
  }
}

// Refused depths fall back to 24, then 16 bits, keeping the requested pictures: at 8 bits
// on a true-colour fallback the GIFs and their palettes.
TEST_F(InitTest, RefusedDepthsFallBackTo24Then16KeepingTheRequestedPictures) {
  Archive(GamePictureFiles(32));
  dd::testing::RefuseDepth(32);
  ASSERT_TRUE(sysInit());
  EXPECT_EQ(std::pair(Video.ddObject->DisplayDepth(), Video.RequestedDepth), std::pair(24, 32));
  sysReleaseAll();
  dd::testing::RefuseDepth(24);
  ASSERT_TRUE(sysInit());
  EXPECT_EQ(Video.ddObject->DisplayDepth(), 16);
  EXPECT_EQ(Video.ddsGame->BitsPerPixel(), 16);
  sysReleaseAll();
  dd::testing::RefuseDepth(16);
  EXPECT_FALSE(sysInit());
  ExpectStoppedWith("SetDisplayMode failed");

  Reset(8);
  Archive(GamePictureFiles(8));
  dd::testing::RefuseDepth(8);
  ASSERT_TRUE(sysInit());
  EXPECT_EQ(Video.ddObject->DisplayDepth(), 24);
  EXPECT_TRUE(Video.dplGame && Video.dplHiScore);
  EXPECT_EQ(Video.ddsGame->GetPalette(), Video.dplGame.get());
}

class RestoreTest : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override { Create(true); }
  void TearDown() override { sysReleaseAll(); }
  void Create(bool backgrounds) {
    win::testing::Reset();
    Switches = SwitchFlags{};
    Switches.ShowBackground = backgrounds;
    depth = GetParam();
    ASSERT_TRUE(sysSetupDisplay(nullptr, depth, 0));
    LoadGamePictures(depth);
    if (!backgrounds)
      Video.imgBackground1.reset(), Video.imgBackground2.reset(), Video.imgBackground3.reset();
    Video.RequestedDepth = depth;
    Video.BackgroundIndex = 2;
    ASSERT_TRUE(sysCreateSurfaces());
    ASSERT_TRUE(sysCreatePalettes(depth));
  }
  // The colour of source pixel (px, py) of the picture, looked up in the middle of its
  // block, in the surface's format (at 8 bits the nearest entry of its palette).
  void ExpectPicture(const dd::Surface& s, const std::string& name, const char* type, int px,
                     int py) {
    const std::string path = depth == 8 ? "Grafika8/" + name + ".gif" : "Grafika/" + name + type;
    const int x = (2 * px + 1) * s.Width() / 40, y = (2 * py + 1) * s.Height() / 20;
    const uint32_t rgb = GamePictureColour(path, px, py);
    EXPECT_EQ(s.PixelValue(x, y), s.MapColour(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF))
        << path << " " << px << "," << py;
  }
  int depth = 32;
};

// Keyed surfaces take their top-left colour as the key, and it is transparent wherever it
// stands; at 8 bits each surface has its group's palette.
TEST_P(RestoreTest, EverySurfaceShowsItsPictureUprightWithItsKeyAndPalette) {
  ASSERT_TRUE(sysRestoreSurfaces());
  ExpectPicture(*Video.ddsBackground, "Background3", ".jpg", 7, 3);
  ExpectPicture(*Video.ddsGame, "Game", ".bmp", 5, 0);
  ExpectPicture(*Video.ddsMenuSel, "MenuSel", ".jpg", 3, 4);
  if (depth != 8) ExpectPicture(*Video.ddsFont, "Font", ".bmp", 1, 1);

  for (SurfaceHandle handle : AllSurfaces) {
    const dd::Surface& s = *(Video.*handle);
    const bool keyed = handle != &VideoState::ddsBackground && handle != &VideoState::ddsMenuSel &&
                       handle != &VideoState::ddsMenuBckg;
    ASSERT_EQ(s.HasColorKey(), keyed);
    if (!keyed) continue;
    EXPECT_EQ(s.ColorKey(), s.PixelValue(0, 0));
    // The pixel next to it differs, also where the key word spans it.
    EXPECT_NE(s.PixelValue(s.Width() - 1, 0), s.PixelValue(0, 0));
  }
  dd::Surface& back = *Video.BackBuffer;
  FillSurface(back, 3);
  ASSERT_EQ(back.BltFast(0, 0, Video.ddsGame.get(), nullptr, dd::DDBLTFAST_SRCCOLORKEY), dd::DD_OK);
  EXPECT_EQ(back.PixelValue(0, 0), 3u);
  EXPECT_EQ(back.PixelValue(639, 159), 3u);  // the key in the bottom-right corner too
  EXPECT_NE(back.PixelValue(320, 80), 3u);

  if (depth != 8) return;
  const dd::Palette *game = Video.dplGame.get(), *menu = Video.dplMenu.get();
  const dd::Palette *settings = Video.dplSettings.get(), *font = Video.dplHiScore.get();
  const dd::Palette* palettes[] = {game, game, game,     game, game, game,
                                   menu, menu, settings, font, game};
  for (size_t i = 0; i < std::size(AllSurfaces); ++i)
    EXPECT_EQ((Video.*AllSurfaces[i])->GetPalette(), palettes[i]) << i;
  ASSERT_TRUE(Video.dplLogo && Video.dplHelp);
  EXPECT_EQ(Video.dplHelp->Entries()[5].peGreen,
            (GamePictureColour("Grafika8/Help1.gif", 4, 5) >> 8) & 0xFF);
}

// A missing picture stops with its row's message after releasing all; without
// backgrounds there are ten surfaces and nothing to render for the background row.
TEST_P(RestoreTest, MissingPicturesStopOrAreSkippedByTheirRow) {
  Video.imgDigits.reset();
  EXPECT_FALSE(sysRestoreSurfaces());
  EXPECT_EQ(win::testing::MessageBoxes(),
            std::vector<std::string>{"Image not loaded or surface not created: Digits"});
  EXPECT_FALSE(Video.PrimarySurface || Video.ddObject || Video.ddsGame || Video.imgFont ||
               Video.dplGame || Video.BackBuffer);
  sysReleaseAll();
  Create(false);
  for (SurfaceHandle handle : AllSurfaces)
    EXPECT_EQ(!(Video.*handle), handle == &VideoState::ddsBackground);
  EXPECT_TRUE(sysRestoreSurfaces());
  EXPECT_TRUE(sysRestoreBackground(0));
  EXPECT_TRUE(win::testing::MessageBoxes().empty());
}

INSTANTIATE_TEST_SUITE_P(Depths, RestoreTest, ::testing::Values(8, 16, 32));

constexpr uint32_t Backdrop = 0x000050, Key = 0x000000;
constexpr uint32_t CellColour(int glyph) { return 0x100000u + glyph; }

class TextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    win::testing::Reset();
    Switches = SwitchFlags{};
    ASSERT_TRUE(sysSetupDisplay(nullptr, 32, 0));
    ASSERT_TRUE(sysCreateSurfaces());
    // Each cell in its own colour, with one keyed pixel at (3, 3) of the cell.
    dd::Surface& font = *Video.ddsFont;
    for (int g = 0; g < 240; ++g) {
      const dd::RECT cell{16 * (g % 20), 32 * (g / 20), 16 * (g % 20) + 16, 32 * (g / 20) + 32};
      FillSurface(font, CellColour(g), &cell);
      const dd::RECT hole{cell.left + 3, cell.top + 3, cell.left + 4, cell.top + 4};
      FillSurface(font, Key, &hole);
    }
    dd::DDCOLORKEY key{Key, Key};
    font.SetColorKey(dd::DDCKEY_SRCBLT, &key);
    FillSurface(*Video.BackBuffer, Backdrop);
  }
  void TearDown() override {
    EXPECT_TRUE(win::testing::MessageBoxes().empty());
    sysReleaseAll();
  }
  // The glyph drawn with its top-left corner at (x, y): 15 × 31, its hole keyed out.
  static void ExpectGlyph(int x, int y, int glyph) {
    dd::Surface& back = *Video.BackBuffer;
    for (int dy = -1; dy <= 31; ++dy)
      for (int dx = -1; dx <= 15; ++dx) {
        const bool inside = dx >= 0 && dx < 15 && dy >= 0 && dy < 31 && !(dx == 3 && dy == 3);
        if (!inside && (dx < 0 || dy < 0)) continue;  // may belong to a neighbour
        ASSERT_EQ(back.PixelRGB(x + dx, y + dy), inside ? CellColour(glyph) : Backdrop)
            << "glyph " << glyph << " at +" << dx << ",+" << dy;
      }
  }
};

// Glyphs stand in the font from byte 20 on, cp1250 letters included. A string advances 16
// pixels a byte; bytes below 20 have no glyph and leave a blank; glyphs reaching out of the
// back buffer are cut at its edges.
TEST_F(TextTest, EachByteDrawsItsCellLessTheLastColumnAndRowSixteenPixelsOnCutAtTheEdges) {
  const std::string text = "\x14 .0A\xC1\xCC\xD9\xDA\xFF";
  ASSERT_TRUE(sysPrintChar(10, 20, text.c_str()));
  for (int i = 0; i < static_cast<int>(text.size()); ++i)
    ExpectGlyph(10 + 16 * i, 20, static_cast<uint8_t>(text[i]) - 20);
  ASSERT_TRUE(sysPrintChar(100, 100, ""));  // draws nothing: the blank below would show it
  EXPECT_FALSE(sysPrintChar(10, 20, nullptr));

  ASSERT_TRUE(sysPrintChar(100, 100, "\001A\023"));
  EXPECT_EQ(Video.BackBuffer->PixelRGB(100, 100), Backdrop);
  ExpectGlyph(116, 100, 45);
  EXPECT_EQ(Video.BackBuffer->PixelRGB(132, 100), Backdrop);
  ASSERT_TRUE(sysPrintChar(790, 590, "AA"));
  EXPECT_EQ(Video.BackBuffer->PixelRGB(799, 599), CellColour(45));
  ASSERT_TRUE(sysPrintChar(-10, -20, "A"));
  EXPECT_EQ(Video.BackBuffer->PixelRGB(0, 0), CellColour(45));
  EXPECT_EQ(Video.BackBuffer->PixelRGB(5, 11), Backdrop);
  ASSERT_TRUE(sysPrintChar(5000, -5000, "AAAA"));
}

// The box is centred, its lines left-aligned in it, and the caller's text is left alone.
TEST_F(TextTest, TextBoxesAreCentredAndLeaveTheCallersTextAlone) {
  char text[] = "ab\ncde";
  const std::string before(text, sizeof text);
  ASSERT_TRUE(sysTextBox(text));
  EXPECT_EQ(std::string(text, sizeof text), before);
  const dd::Surface& back = *Video.BackBuffer;
  constexpr uint32_t dark = 0x000064, bg = Backdrop;
  const auto glyph = [](char c) { return CellColour(c - 20); };
  const std::tuple<int, int, uint32_t> pixels[] = {
      {366, 268, dark},       {433, 331, dark}, {375, 300, dark},       {365, 300, bg},
      {434, 300, bg},         {400, 267, bg},   {400, 332, bg},         {376, 268, glyph('a')},
      {392, 268, glyph('b')}, {408, 268, dark}, {376, 300, glyph('c')}, {408, 300, glyph('e')}};
  for (const auto& [x, y, colour] : pixels) EXPECT_EQ(back.PixelRGB(x, y), colour) << x << "," << y;
}

}  // namespace
