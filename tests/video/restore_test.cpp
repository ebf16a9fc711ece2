// Rendering every picture into its surface: the render table, keys and palettes (their
// coming back after a loss is the lost-display test's).
#include <gtest/gtest.h>

#include "app/init.h"
#include "app/shell.h"
#include "support/game_pictures.h"
#include "support/offscreen.h"

namespace {

using SurfaceHandle = std::unique_ptr<dd::Surface> VideoState::*;
constexpr SurfaceHandle AllSurfaces[] = {
    &VideoState::ddsBackground, &VideoState::ddsGame,        &VideoState::ddsBarel,
    &VideoState::ddsBonus,      &VideoState::ddsDigits,      &VideoState::ddsNauvrelExpl,
    &VideoState::ddsMenuSel,    &VideoState::ddsMenuBckg,    &VideoState::ddsControls,
    &VideoState::ddsFont,       &VideoState::ddsNauvrelExplB};

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
  EXPECT_TRUE(win::testing::MessageBoxes().empty());
  ExpectPicture(*Video.ddsBackground, "Background3", ".jpg", 7, 3);
  ExpectPicture(*Video.ddsGame, "Game", ".bmp", 5, 0);
  ExpectPicture(*Video.ddsGame, "Game", ".bmp", 18, 9);
  ExpectPicture(*Video.ddsMenuSel, "MenuSel", ".jpg", 3, 4);
  ExpectPicture(*Video.ddsControls, "Controls", ".bmp", 12, 6);
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

  if (depth != 8) {
    EXPECT_FALSE(Video.dplGame || Video.dplMenu || Video.dplLogo || Video.dplHelp ||
                 Video.dplSettings || Video.dplHiScore);
    return;
  }
  for (SurfaceHandle handle :
       {&VideoState::ddsGame, &VideoState::ddsBonus, &VideoState::ddsBarel, &VideoState::ddsDigits,
        &VideoState::ddsBackground, &VideoState::ddsNauvrelExplB, &VideoState::ddsNauvrelExpl})
    EXPECT_EQ((Video.*handle)->GetPalette(), Video.dplGame.get());
  EXPECT_EQ(Video.ddsMenuBckg->GetPalette(), Video.dplMenu.get());
  EXPECT_EQ(Video.ddsMenuSel->GetPalette(), Video.dplMenu.get());
  EXPECT_EQ(Video.ddsControls->GetPalette(), Video.dplSettings.get());
  EXPECT_EQ(Video.ddsFont->GetPalette(), Video.dplHiScore.get());
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
  int surfaces = 0;
  for (SurfaceHandle handle : AllSurfaces) surfaces += (Video.*handle) != nullptr;
  EXPECT_EQ(surfaces, 10);
  EXPECT_FALSE(Video.ddsBackground);
  EXPECT_TRUE(sysRestoreSurfaces());
  EXPECT_TRUE(sysRestoreBackground(0));
  EXPECT_TRUE(win::testing::MessageBoxes().empty());
}

INSTANTIATE_TEST_SUITE_P(Depths, RestoreTest, ::testing::Values(8, 16, 32));

}  // namespace
