// At 8 bits the display shows one palette at a time: each screen group shares one, the
// font's inks are in the palettes it is drawn over, and a keyed sheet's key is one entry.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "archive_members.h"

namespace {

TEST(ArchivePalettes, EveryGroupSharesOnePaletteAndTheKeyIsOneEntryOfIt) {
  const std::vector<std::vector<std::string>> groups = {
      {"Game", "Barel", "Bonus", "Digits", "Background1", "Background2", "Background3",
       "NauvrelExpl", "NauvrelExplB"},
      {"MenuBckg", "MenuSel"},
      {"Settings", "Controls"},
      {"Help1", "Help2", "Help3"}};
  const std::vector<std::string> keyed = {"Game",        "Barel",        "Bonus",   "Digits",
                                          "NauvrelExpl", "NauvrelExplB", "Controls"};
  for (const auto& group : groups) {
    const auto first = GifPalette("Grafika8/" + group[0] + ".gif");
    ASSERT_EQ(first.size(), 256u) << group[0];
    for (const std::string& name : group) {
      const std::string path = "Grafika8/" + name + ".gif";
      EXPECT_EQ(GifPalette(path), first) << name;
      if (std::find(keyed.begin(), keyed.end(), name) == keyed.end()) continue;
      const Decoded p = DecodePicture(ArchiveMember(path));
      ASSERT_GT(p.width, 0) << path;
      EXPECT_EQ(std::count(first.begin(), first.end(), p.at(0, 0)), 1) << path;
    }
  }
}

TEST(ArchivePalettes, FontColoursAreInThePlayAndHiScorePalettes) {
  const Decoded font = DecodePicture(ArchiveMember("Grafika/Font.bmp"));
  ASSERT_GT(font.width, 0);
  std::vector<Rgb8> inks;
  for (const Rgb8& c : font.pixels)
    if (std::find(inks.begin(), inks.end(), c) == inks.end()) inks.push_back(c);
  EXPECT_LE(inks.size(), 8u) << "the font should use a handful of inks";
  for (const char* path : {"Grafika8/Game.gif", "Grafika8/HiScore.gif"}) {
    const auto palette = GifPalette(path);
    ASSERT_EQ(palette.size(), 256u) << path;
    for (const Rgb8& c : inks)
      EXPECT_NE(std::find(palette.begin(), palette.end(), c), palette.end())
          << path << " lacks " << int(c.r) << "," << int(c.g) << "," << int(c.b);
  }
}

}  // namespace
