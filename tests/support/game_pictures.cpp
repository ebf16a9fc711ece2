#include "support/game_pictures.h"

#include <gtest/gtest.h>

#include "fs/spl_writer.h"
#include "support/files.h"
#include "support/test_pictures.h"

namespace {

constexpr int PictureWidth = 20, PictureHeight = 10;

struct Entry {
  std::unique_ptr<pic::Picture> VideoState::*handle;
  const char* trueColour;
  const char* palettised;
};

const Entry Entries[] = {
    {&VideoState::imgMenuBckg, "Grafika/MenuBckg.jpg", "Grafika8/MenuBckg.gif"},
    {&VideoState::imgBackground1, "Grafika/Background1.jpg", "Grafika8/Background1.gif"},
    {&VideoState::imgBackground2, "Grafika/Background2.jpg", "Grafika8/Background2.gif"},
    {&VideoState::imgBackground3, "Grafika/Background3.jpg", "Grafika8/Background3.gif"},
    {&VideoState::imgGame, "Grafika/Game.bmp", "Grafika8/Game.gif"},
    {&VideoState::imgMenuSel, "Grafika/MenuSel.jpg", "Grafika8/MenuSel.gif"},
    {&VideoState::imgBarel, "Grafika/Barel.bmp", "Grafika8/Barel.gif"},
    {&VideoState::imgDigits, "Grafika/Digits.bmp", "Grafika8/Digits.gif"},
    {&VideoState::imgLogo, "Grafika/Logo.jpg", "Grafika8/Logo.gif"},
    {&VideoState::imgBonus, "Grafika/Bonus.bmp", "Grafika8/Bonus.gif"},
    {&VideoState::imgHelp1, "Grafika/Help1.jpg", "Grafika8/Help1.gif"},
    {&VideoState::imgHelp2, "Grafika/Help2.jpg", "Grafika8/Help2.gif"},
    {&VideoState::imgHelp3, "Grafika/Help3.jpg", "Grafika8/Help3.gif"},
    {&VideoState::imgSettings, "Grafika/Setup.jpg", "Grafika8/Settings.gif"},
    {&VideoState::imgControls, "Grafika/Controls.bmp", "Grafika8/Controls.gif"},
    {&VideoState::imgNauvrelExpl, "Grafika/NauvrelExpl.bmp", "Grafika8/NauvrelExpl.gif"},
    {&VideoState::imgHiScore, "Grafika/HiScore.jpg", "Grafika8/HiScore.gif"},
    {&VideoState::imgNauvrelExplB, "Grafika/NauvrelExplB.bmp", "Grafika8/NauvrelExplB.gif"},
    {&VideoState::imgFont, "Grafika/Font.bmp", "Grafika/Font.bmp"},
};

int Seed(const std::string& path) {
  int seed = 0;
  for (char c : path) seed = (seed * 31 + static_cast<uint8_t>(c)) & 0x3F;
  return seed;
}

// Palette index at (x, y): 0 in the corners (the key), 1 + column elsewhere, with row 0
// and column 0 marked out so that orientation shows.
uint8_t IndexAt(int x, int y) {
  const bool corner = (x == 0 && y == 0) || (x == PictureWidth - 1 && y == PictureHeight - 1);
  if (corner) return 0;
  return static_cast<uint8_t>(1 + x + (y == 0 ? 100 : 0));
}

// Colours that survive 16-bit RGB565 unchanged; the seed tells the files apart.
dd::PALETTEENTRY PaletteEntry(int seed, int index) {
  if (index == 0) return {static_cast<uint8_t>(8 * (seed % 32)), 252, 248, 0};
  return {static_cast<uint8_t>(8 * (index % 32)), static_cast<uint8_t>(4 * (seed % 64)),
          static_cast<uint8_t>(8 * (index / 32)), 0};
}

uint32_t Rgb(const dd::PALETTEENTRY& e) {
  return (uint32_t{e.peRed} << 16) | (uint32_t{e.peGreen} << 8) | e.peBlue;
}

}  // namespace

uint32_t GamePictureColour(const std::string& path, int x, int y) {
  return Rgb(PaletteEntry(Seed(path), IndexAt(x, y)));
}

FileMap GamePictureFiles(int depth) {
  FileMap files;
  for (const Entry& e : Entries) {
    const std::string path = depth == 8 ? e.palettised : e.trueColour;
    const int seed = Seed(path);
    if (path.ends_with(".gif")) {
      std::vector<dd::PALETTEENTRY> palette;
      for (int i = 0; i < 256; ++i) palette.push_back(PaletteEntry(seed, i));
      files[path] = MakeGif(PictureWidth, PictureHeight, palette, IndexAt);
    } else {
      // The ".jpg" names hold BMPs: the decoder goes by content, and BMP keeps colours exact.
      files[path] = MakeBmp(PictureWidth, PictureHeight,
                            [&](int x, int y) { return Rgb(PaletteEntry(seed, IndexAt(x, y))); });
    }
  }
  return files;
}

void LoadGamePictures(int depth) {
  const FileMap files = GamePictureFiles(depth);
  for (const Entry& e : Entries) {
    Video.*e.handle = pic::OleLoadPicture(files.at(depth == 8 ? e.palettised : e.trueColour));
    ASSERT_TRUE(Video.*e.handle);
  }
}

void WriteGameArchive(const FileMap& files, const std::string& path) {
  const std::vector<uint8_t> bytes = WriteSplArchive(files);
  ASSERT_FALSE(bytes.empty());
  WriteFile(path, bytes);
}
