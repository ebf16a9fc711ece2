// Each 8-bit screen group shares one palette, since the display shows one at a time.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "archive_members.h"

namespace {

// The global colour table of a GIF: 256 entries right behind the screen descriptor.
std::vector<uint8_t> paletteOf(const std::string& path) {
  const auto bytes = ArchiveMember(path);
  if (bytes.size() < 13 + 768 || (bytes[10] & 0x87) != 0x87) return {};
  return {bytes.begin() + 13, bytes.begin() + 13 + 768};
}

bool holds(const std::vector<uint8_t>& palette, Rgb8 c) {
  for (size_t i = 0; i + 2 < palette.size(); i += 3)
    if (palette[i] == c.r && palette[i + 1] == c.g && palette[i + 2] == c.b) return true;
  return false;
}

TEST(ArchivePalettes, EveryGroupSharesOnePalette) {
  const std::vector<std::vector<std::string>> groups = {
      {"Game", "Barel", "Bonus", "Digits", "Background1", "Background2", "Background3",
       "NauvrelExpl", "NauvrelExplB"},
      {"MenuBckg", "MenuSel"},
      {"Settings", "Controls"},
      {"Help1", "Help2", "Help3"},
  };
  for (const auto& group : groups) {
    const auto first = paletteOf("Grafika8/" + group[0] + ".gif");
    ASSERT_EQ(first.size(), 768u) << group[0];
    for (const std::string& name : group)
      EXPECT_EQ(paletteOf("Grafika8/" + name + ".gif"), first) << name;
  }
}

TEST(ArchivePalettes, FontColoursAreInThePlayAndHiScorePalettes) {
  const Decoded font = DecodePicture(ArchiveMember("Grafika/Font.bmp"));
  ASSERT_GT(font.width, 0);
  std::set<std::tuple<int, int, int>> seen;
  std::vector<Rgb8> colours;
  for (const Rgb8& c : font.pixels)
    if (seen.insert({c.r, c.g, c.b}).second) colours.push_back(c);
  EXPECT_LE(colours.size(), 8u) << "the font should use a handful of inks";
  for (const char* path : {"Grafika8/Game.gif", "Grafika8/HiScore.gif"}) {
    const auto palette = paletteOf(path);
    ASSERT_EQ(palette.size(), 768u) << path;
    for (const Rgb8& c : colours)
      EXPECT_TRUE(holds(palette, c))
          << path << " lacks " << int(c.r) << "," << int(c.g) << "," << int(c.b);
  }
}

TEST(ArchivePalettes, KeyEntryIsUsedOnlyByTheKey) {
  // In the keyed GIFs the key is one exact entry, and no other entry repeats its colour.
  for (const char* name :
       {"Game", "Barel", "Bonus", "Digits", "NauvrelExpl", "NauvrelExplB", "Controls"}) {
    const std::string path = std::string("Grafika8/") + name + ".gif";
    const Decoded p = DecodePicture(ArchiveMember(path));
    ASSERT_GT(p.width, 0) << path;
    const auto palette = paletteOf(path);
    int entries = 0;
    const Rgb8 key = p.at(0, 0);
    for (size_t i = 0; i < palette.size(); i += 3)
      entries += palette[i] == key.r && palette[i + 1] == key.g && palette[i + 2] == key.b;
    EXPECT_EQ(entries, 1) << path;
  }
}

}  // namespace
