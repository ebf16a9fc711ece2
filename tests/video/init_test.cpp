// Start-up and teardown: the order of the steps, their messages and the release before them.
#include "app/init.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/shell.h"
#include "fs/file_system.h"
#include "support/game_pictures.h"
#include "support/temp_dir.h"
#include "video/video.h"

namespace {

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
    EXPECT_FALSE(FileSystem.Files);
    EXPECT_FALSE(Video.ddObject || Video.PrimarySurface || Video.BackBuffer);
    EXPECT_FALSE(Video.ddsGame || Video.ddsFont || Video.ddsBackground || Video.ddsMenuSel);
    EXPECT_FALSE(Video.imgMenuBckg || Video.imgGame || Video.imgFont || Video.imgBackground1);
    EXPECT_FALSE(Video.ddsBarel || Video.ddsBonus || Video.ddsDigits || Video.ddsNauvrelExpl ||
                 Video.ddsMenuBckg || Video.ddsControls || Video.ddsNauvrelExplB);
    EXPECT_FALSE(Video.dplGame || Video.dplMenu || Video.dplHiScore);
  }
  InTempDir here;
};

TEST_F(InitTest, StartsAtEachDepthWithItsOwnPictures) {
  for (int depth : {32, 16, 8}) {
    Reset(depth);
    Archive(GamePictureFiles(depth));
    ASSERT_TRUE(sysInit()) << depth;
    EXPECT_EQ(Video.ddObject->DisplayDepth(), depth);
    EXPECT_EQ(Video.BackBuffer->BitsPerPixel(), depth);
    pic::HPALETTE palette = nullptr;
    Video.imgGame->get_hPal(&palette);
    EXPECT_EQ(palette != nullptr, depth == 8);  // GIFs under Grafika8 at 8 bits only
    EXPECT_EQ(Video.dplGame != nullptr, depth == 8);
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

TEST_F(InitTest, WithoutBackgroundsTheirFilesAreNotNeeded) {
  Switches.ShowBackground = false;
  FileMap files = GamePictureFiles(32);
  for (const char* name : {"Background1", "Background2", "Background3"})
    files.erase(std::string("Grafika/") + name + ".jpg");
  Archive(files);
  ASSERT_TRUE(sysInit());
  EXPECT_FALSE(Video.ddsBackground || Video.imgBackground1 || Video.imgBackground3);
  EXPECT_TRUE(Video.ddsGame && Video.ddsNauvrelExplB);
}

}  // namespace
