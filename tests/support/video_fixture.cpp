#include "video_fixture.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/shell.h"
#include "offscreen.h"
#include "test_pictures.h"
#include "video/video.h"

namespace fixture {

namespace {

std::unique_ptr<dd::Surface> MakeSurface(int width, int height) {
  return MakeOffscreen(*Video.ddObject, width, height);
}

// A sheet of cells in rows, each cell its own value; the rest keyed.
std::unique_ptr<dd::Surface> Sheet(int width, int height, int cellW, int cellH, int perRow,
                                   int cells, uint32_t (*value)(int)) {
  auto surface = MakeSurface(width, height);
  FillSurface(*surface, Key);
  for (int c = 0; c < cells; ++c) {
    const dd::RECT cell{cellW * (c % perRow), cellH * (c / perRow), cellW * (c % perRow) + cellW,
                        cellH * (c / perRow) + cellH};
    FillSurface(*surface, value(c), &cell);
  }
  const dd::DDCOLORKEY key{Key, Key};
  surface->SetColorKey(dd::DDCKEY_SRCBLT, &key);
  return surface;
}

uint32_t Rgb(int entry) {
  const dd::COLORREF c = EntryColour(entry);
  return (uint32_t{c.red} << 16) | (uint32_t{c.green} << 8) | c.blue;
}

std::unique_ptr<pic::Picture> OneColour(int width, int height, int entry) {
  return pic::OleLoadPicture(MakeBmp(width, height, [&](int, int) { return Rgb(entry); }));
}

// Each glyph is solid but for its cell's top-left pixel, which gives the key.
std::unique_ptr<pic::Picture> FontPicture() {
  return pic::OleLoadPicture(MakeBmp(320, 384, [](int x, int y) {
    return Rgb(x % 16 == 0 && y % 32 == 0 ? FontKeyEntry : GlyphEntry);
  }));
}

}  // namespace

dd::COLORREF EntryColour(int entry) {
  return {static_cast<uint8_t>(entry), static_cast<uint8_t>((entry * 67) & 255),
          static_cast<uint8_t>((entry * 151) & 255)};
}

void SetUpVideo(int depth) {
  Shell = ShellState{};
  Shell.AppActive = true;
  Switches = SwitchFlags{};
  Video.RequestedDepth = depth;
  ASSERT_TRUE(sysSetupDisplay(nullptr, depth, 0));
  ASSERT_EQ(Video.BackBuffer->BitsPerPixel(), depth);

  if (depth == 8) {
    std::vector<dd::PALETTEENTRY> entries(256);
    for (int i = 0; i < 256; ++i) {
      const dd::COLORREF c = EntryColour(i);
      entries[i] = {c.red, c.green, c.blue, 0};
    }
    for (auto* palette : {&Video.dplGame, &Video.dplMenu, &Video.dplLogo, &Video.dplHelp,
                          &Video.dplSettings, &Video.dplHiScore})
      ASSERT_EQ(Video.ddObject->CreatePalette(dd::DDPCAPS_8BIT, entries.data(), *palette),
                dd::DD_OK);
    Video.PrimarySurface->SetPalette(Video.dplLogo.get());
  }

  Video.ddsBackground = MakeSurface(800, 600);
  FillSurface(*Video.ddsBackground, Background);
  Video.ddsMenuBckg = MakeSurface(800, 600);
  FillSurface(*Video.ddsMenuBckg, MenuBckg);
  Video.ddsMenuSel = MakeSurface(250, 280);
  FillSurface(*Video.ddsMenuSel, MenuSel);
  Video.ddsBarel = Sheet(400, 40, 40, 40, 10, 10, [](int c) { return BarelCell(c); });
  Video.ddsBonus = Sheet(400, 40, 40, 40, 10, 10, [](int c) { return BonusCell(c); });
  Video.ddsDigits = Sheet(400, 40, 40, 40, 10, 10, [](int c) { return DigitCell(c); });
  Video.ddsGame = Sheet(640, 160, 80, 40, 8, 20, [](int f) { return SubFrame(f); });
  const dd::RECT mine{360, 80, 400, 120}, torpedo{400, 80, 440, 120}, bubble{577, 137, 583, 143};
  FillSurface(*Video.ddsGame, Mine, &mine);
  FillSurface(*Video.ddsGame, Torpedo, &torpedo);
  FillSurface(*Video.ddsGame, BubbleSprite, &bubble);
  Video.ddsNauvrelExpl = Sheet(800, 180, 100, 60, 8, 20, [](int c) { return ExplACell(c); });
  Video.ddsNauvrelExplB = Sheet(700, 240, 140, 60, 5, 20, [](int c) { return ExplBCell(c); });
  Video.ddsControls = MakeSurface(259, 20);
  FillSurface(*Video.ddsControls, Key);
  const dd::RECT off{0, 0, 20, 20}, on{20, 0, 40, 20}, track{40, 0, 241, 20}, knob{244, 0, 259, 20};
  FillSurface(*Video.ddsControls, ButtonOff, &off);
  FillSurface(*Video.ddsControls, ButtonOn, &on);
  FillSurface(*Video.ddsControls, SliderTrack, &track);
  FillSurface(*Video.ddsControls, SliderKnob, &knob);
  const dd::DDCOLORKEY key{Key, Key};
  Video.ddsControls->SetColorKey(dd::DDCKEY_SRCBLT, &key);

  Video.imgLogo = OneColour(16, 12, LogoEntry);
  Video.imgHelp1 = OneColour(16, 12, Help1Entry);
  Video.imgHelp2 = OneColour(16, 12, Help2Entry);
  Video.imgHelp3 = OneColour(16, 12, Help3Entry);
  Video.imgSettings = OneColour(16, 12, SettingsEntry);
  Video.imgHiScore = OneColour(16, 12, HiScoreEntry);
  Video.imgFont = FontPicture();
  ASSERT_TRUE(Video.imgLogo && Video.imgFont);
  Video.ddsFont = MakeSurface(320, 384);
  if (depth == 8) {  // as the display's start-up gives them
    for (auto* surface : {&Video.ddsGame, &Video.ddsBonus, &Video.ddsBarel, &Video.ddsDigits,
                          &Video.ddsBackground, &Video.ddsNauvrelExplB, &Video.ddsNauvrelExpl})
      (*surface)->SetPalette(Video.dplGame.get());
    Video.ddsMenuBckg->SetPalette(Video.dplMenu.get());
    Video.ddsMenuSel->SetPalette(Video.dplMenu.get());
    Video.ddsControls->SetPalette(Video.dplSettings.get());
    Video.ddsFont->SetPalette(Video.dplHiScore.get());
  }
  ASSERT_TRUE(sysRestoreFont());
}

void TearDownVideo() {
  sysReleaseSurfaces();
  sysReleasePalettes();
  sysReleasePictures();
  sysReleaseDisplay();
}

// The flip exchanges the buffers: the frame just drawn is now the primary's.
uint32_t Pixel(int x, int y) { return Video.PrimarySurface->PixelValue(x, y); }

uint32_t PictureValue(int entry) {
  const dd::COLORREF c = EntryColour(entry);
  return Video.BackBuffer->MapColour(c.red, c.green, c.blue);
}

}  // namespace fixture
