// Rendering every picture into its surface: the render table, keys, palettes and loss.
#include <gtest/gtest.h>

#include "app/init.h"
#include "app/shell.h"
#include "support/game_pictures.h"

namespace {

using SurfaceHandle = std::unique_ptr<dd::Surface> VideoState::*;
constexpr SurfaceHandle AllSurfaces[] = {
    &VideoState::ddsBackground, &VideoState::ddsGame,        &VideoState::ddsBarel,
    &VideoState::ddsBonus,      &VideoState::ddsDigits,      &VideoState::ddsNauvrelExpl,
    &VideoState::ddsMenuSel,    &VideoState::ddsMenuBckg,    &VideoState::ddsControls,
    &VideoState::ddsFont,       &VideoState::ddsNauvrelExplB};

std::vector<uint8_t> Bytes(const dd::Surface& s) {
  return {s.Pixels(), s.Pixels() + static_cast<size_t>(s.Pitch()) * s.Height()};
}

class RestoreTest : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    win::testing::Reset();
    Switches = SwitchFlags{};
    boxes = win::testing::MessageBoxes().size();
    depth = GetParam();
    ASSERT_TRUE(sysSetupDisplay(nullptr, depth, 0));
    LoadGamePictures(depth);
    Video.RequestedDepth = depth;
    Video.BackgroundIndex = 2;
    ASSERT_TRUE(sysCreateSurfaces());
    ASSERT_TRUE(sysCreatePalettes(depth));
  }
  void TearDown() override { sysReleaseAll(); }
  // The colour of source pixel (px, py) of `path`, looked up in the middle of its block,
  // in the surface's format (at 8 bits the nearest entry of its palette).
  void ExpectPicture(const dd::Surface& s, const std::string& path, int px, int py) {
    const int x = (2 * px + 1) * s.Width() / 40, y = (2 * py + 1) * s.Height() / 20;
    const uint32_t rgb = GamePictureColour(path, px, py);
    EXPECT_EQ(s.PixelValue(x, y), s.MapColour(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF))
        << path << " " << px << "," << py;
  }
  std::string Path(const std::string& name) {
    return depth == 8 ? "Grafika8/" + name + ".gif" : "Grafika/" + name;
  }
  int depth = 32;
  size_t boxes = 0;
};

TEST_P(RestoreTest, EverySurfaceShowsItsPictureUprightAtFullSize) {
  ASSERT_TRUE(sysRestoreSurfaces());
  EXPECT_EQ(win::testing::MessageBoxes().size(), boxes);
  ExpectPicture(*Video.ddsBackground, Path(depth == 8 ? "Background3" : "Background3.jpg"), 7, 3);
  ExpectPicture(*Video.ddsGame, Path(depth == 8 ? "Game" : "Game.bmp"), 5, 0);
  ExpectPicture(*Video.ddsGame, Path(depth == 8 ? "Game" : "Game.bmp"), 18, 9);
  ExpectPicture(*Video.ddsMenuSel, Path(depth == 8 ? "MenuSel" : "MenuSel.jpg"), 3, 4);
  ExpectPicture(*Video.ddsControls, Path(depth == 8 ? "Controls" : "Controls.bmp"), 12, 6);
  if (depth != 8) ExpectPicture(*Video.ddsFont, "Grafika/Font.bmp", 1, 1);
}

TEST_P(RestoreTest, KeyedSurfacesTakeTheTopLeftColourAsTheirKey) {
  ASSERT_TRUE(sysRestoreSurfaces());
  for (SurfaceHandle handle :
       {&VideoState::ddsGame, &VideoState::ddsBarel, &VideoState::ddsBonus, &VideoState::ddsDigits,
        &VideoState::ddsNauvrelExpl, &VideoState::ddsControls, &VideoState::ddsFont,
        &VideoState::ddsNauvrelExplB}) {
    const dd::Surface& s = *(Video.*handle);
    ASSERT_TRUE(s.HasColorKey());
    EXPECT_EQ(s.ColorKey(), s.PixelValue(0, 0));
    // The pixel next to it differs, also where the key word spans it.
    EXPECT_NE(s.PixelValue(s.Width() - 1, 0), s.PixelValue(0, 0));
  }
  for (SurfaceHandle handle :
       {&VideoState::ddsBackground, &VideoState::ddsMenuSel, &VideoState::ddsMenuBckg})
    EXPECT_FALSE((Video.*handle)->HasColorKey());

  // The key colour is transparent wherever it is: here also in the bottom-right corner.
  dd::Surface& back = *Video.BackBuffer;
  dd::DDBLTFX fx;
  fx.dwFillColor = 3;
  back.Blt(nullptr, nullptr, nullptr, dd::DDBLT_COLORFILL, &fx);
  ASSERT_EQ(back.BltFast(0, 0, Video.ddsGame.get(), nullptr, dd::DDBLTFAST_SRCCOLORKEY), dd::DD_OK);
  EXPECT_EQ(back.PixelValue(0, 0), 3u);
  EXPECT_EQ(back.PixelValue(639, 159), 3u);
  EXPECT_NE(back.PixelValue(320, 80), 3u);
}

TEST_P(RestoreTest, PalettesAreAttachedAtEightBitsOnly) {
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

TEST_P(RestoreTest, AfterALossEverySurfaceIsRenderedAgainWithTheSameBackground) {
  ASSERT_TRUE(sysRestoreSurfaces());
  std::vector<std::vector<uint8_t>> before;
  for (SurfaceHandle handle : AllSurfaces) before.push_back(Bytes(*(Video.*handle)));
  const uint32_t key = Video.ddsGame->ColorKey();

  dd::testing::LoseAllSurfaces();
  ASSERT_EQ(Video.PrimarySurface->IsLost(), dd::DDERR_SURFACELOST);
  ASSERT_NE(Bytes(*Video.ddsBackground), before[0]);
  ASSERT_EQ(Video.PrimarySurface->Restore(), dd::DD_OK);
  ASSERT_TRUE(sysRestoreSurfaces());
  for (size_t i = 0; i < std::size(AllSurfaces); ++i) {
    EXPECT_EQ((Video.*AllSurfaces[i])->IsLost(), dd::DD_OK);
    EXPECT_TRUE(Bytes(*(Video.*AllSurfaces[i])) == before[i]) << "surface " << i;
  }
  EXPECT_EQ(Video.BackgroundIndex, 2);
  EXPECT_EQ(Video.ddsGame->ColorKey(), key);
}

TEST_P(RestoreTest, MissingMenuSelOrDigitsStopsWithItsMessageAfterReleasingAll) {
  for (auto [picture, message] :
       {std::pair{&VideoState::imgMenuSel, "Image not loaded or surface not created: MenuSel"},
        std::pair{&VideoState::imgDigits, "Image not loaded or surface not created: Digits"}}) {
    sysReleaseAll();
    SetUp();
    (Video.*picture).reset();
    EXPECT_FALSE(sysRestoreSurfaces());
    ASSERT_FALSE(win::testing::MessageBoxes().empty());
    EXPECT_EQ(win::testing::MessageBoxes().back(), message);
    EXPECT_FALSE(Video.PrimarySurface || Video.ddObject || Video.ddsGame || Video.imgFont ||
                 Video.dplGame || Video.BackBuffer);
  }
}

TEST_P(RestoreTest, WithoutBackgroundsTenSurfacesAndNothingForTheBackgroundRow) {
  sysReleaseAll();
  Switches.ShowBackground = false;
  ASSERT_TRUE(sysSetupDisplay(nullptr, depth, 0));
  LoadGamePictures(depth);
  Video.imgBackground1.reset();
  Video.imgBackground2.reset();
  Video.imgBackground3.reset();
  ASSERT_TRUE(sysCreateSurfaces());
  ASSERT_TRUE(sysCreatePalettes(depth));
  int surfaces = 0;
  for (SurfaceHandle handle : AllSurfaces) surfaces += (Video.*handle) != nullptr;
  EXPECT_EQ(surfaces, 10);
  EXPECT_FALSE(Video.ddsBackground);
  EXPECT_TRUE(sysRestoreSurfaces());
  EXPECT_TRUE(sysRestoreBackground(0));
  EXPECT_EQ(win::testing::MessageBoxes().size(), boxes);
}

INSTANTIATE_TEST_SUITE_P(Depths, RestoreTest, ::testing::Values(8, 16, 32));

}  // namespace
