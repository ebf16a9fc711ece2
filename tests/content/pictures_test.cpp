// Every picture the game loads is in the archive, decodes, has its surface's size, and its
// keyed sheets are transparent exactly where the game expects no sprite.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "archive_members.h"

namespace {

struct Expected {
  const char* name;  // without the folder
  const char* gifName;
  int width, height;
  bool keyed;
};

// Sizes of the surfaces the pictures are rendered into; full-screen pictures 800 × 600.
const Expected kPictures[] = {
    {"MenuBckg.jpg", "MenuBckg.gif", 800, 600, false},
    {"Background1.jpg", "Background1.gif", 800, 600, false},
    {"Background2.jpg", "Background2.gif", 800, 600, false},
    {"Background3.jpg", "Background3.gif", 800, 600, false},
    {"Game.bmp", "Game.gif", 640, 160, true},
    {"MenuSel.jpg", "MenuSel.gif", 250, 280, false},
    {"Barel.bmp", "Barel.gif", 400, 40, true},
    {"Digits.bmp", "Digits.gif", 400, 40, true},
    {"Logo.jpg", "Logo.gif", 800, 600, false},
    {"Bonus.bmp", "Bonus.gif", 400, 40, true},
    {"Help1.jpg", "Help1.gif", 800, 600, false},
    {"Help2.jpg", "Help2.gif", 800, 600, false},
    {"Help3.jpg", "Help3.gif", 800, 600, false},
    {"Setup.jpg", "Settings.gif", 800, 600, false},
    {"Controls.bmp", "Controls.gif", 259, 20, true},
    {"NauvrelExpl.bmp", "NauvrelExpl.gif", 800, 180, true},
    {"HiScore.jpg", "HiScore.gif", 800, 600, false},
    {"NauvrelExplB.bmp", "NauvrelExplB.gif", 700, 240, true},
};

struct Rect {
  int left, top, right, bottom;  // right and bottom exclusive, as the game copies
};

bool inside(const Rect& r, int x, int y) {
  return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

int nonKeyIn(const Decoded& p, const Rect& r) {
  const Rgb8 key = p.at(0, 0);
  int count = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) count += !(p.at(x, y) == key);
  return count;
}

// Pixels that are not the key but so close to it that they would show as a fringe.
int fringePixels(const Decoded& p) {
  const Rgb8 key = p.at(0, 0);
  int count = 0;
  for (const Rgb8& c : p.pixels) {
    const int d = std::abs(c.r - key.r) + std::abs(c.g - key.g) + std::abs(c.b - key.b);
    count += d > 0 && d < 120;
  }
  return count;
}

// Where each keyed sheet has sprites; everything else must be the key.
std::vector<Rect> spritesOf(const std::string& name) {
  std::vector<Rect> rects;
  auto row = [&](int count, int w, int h, int perRow, int first = 0) {
    for (int c = first; c < count; ++c)
      rects.push_back(
          {w * (c % perRow), h * (c / perRow), w * (c % perRow) + w - 1, h * (c / perRow) + h - 1});
  };
  if (name.starts_with("Game")) {
    row(20, 80, 40, 8);
    rects.push_back({360, 80, 399, 119});
    rects.push_back({400, 80, 439, 119});
    rects.push_back({577, 137, 583, 143});
  } else if (name.starts_with("Barel") || name.starts_with("Bonus") || name.starts_with("Digits")) {
    row(10, 40, 40, 10);
  } else if (name.starts_with("NauvrelExplB")) {
    row(20, 140, 60, 5);
  } else if (name.starts_with("NauvrelExpl")) {
    row(20, 100, 60, 8, 5);  // cells 0 to 4 are never shown: they must be blank
  } else if (name.starts_with("Controls")) {
    rects = {{0, 0, 19, 19}, {20, 0, 39, 19}, {40, 0, 240, 19}, {244, 0, 258, 19}};
  }
  return rects;
}

void checkPicture(const std::string& path, int width, int height, bool keyed) {
  SCOPED_TRACE(path);
  const auto bytes = ArchiveMember(path);
  ASSERT_FALSE(bytes.empty()) << "missing from the archive";
  const Decoded p = DecodePicture(bytes);
  ASSERT_EQ(p.width, width);
  ASSERT_EQ(p.height, height);
  if (!keyed) return;

  EXPECT_EQ(fringePixels(p), 0);
  const std::string name = path.substr(path.rfind('/') + 1);
  const std::vector<Rect> sprites = spritesOf(name);
  for (const Rect& r : sprites)
    EXPECT_GT(nonKeyIn(p, r), 4) << "empty sprite at " << r.left << "," << r.top;
  int strays = 0;
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x) {
      bool covered = false;
      for (const Rect& r : sprites) covered = covered || inside(r, x, y);
      strays += !covered && !(p.at(x, y) == p.at(0, 0));
    }
  EXPECT_EQ(strays, 0) << "pixels outside every sprite";
}

TEST(ArchivePictures, BothSetsAreCompleteAndSized) {
  for (const Expected& e : kPictures) {
    checkPicture(std::string("Grafika/") + e.name, e.width, e.height, e.keyed);
    checkPicture(std::string("Grafika8/") + e.gifName, e.width, e.height, e.keyed);
  }
}

// The English edition replaces each picture with words by one of the same size and, for
// the settings controls, the same sprites; the pictures differ where the words stand.
TEST(ArchivePictures, TheEnglishEditionLiesBesideTheCzechInTheSameLayouts) {
  const std::vector<std::string> worded = {"MenuBckg", "MenuSel",  "Logo",     "Help1",  "Help2",
                                           "Help3",    "Settings", "Controls", "HiScore"};
  for (const Expected& e : kPictures) {
    const std::string gif = e.gifName;
    const bool hasWords =
        std::find(worded.begin(), worded.end(), gif.substr(0, gif.find('.'))) != worded.end();
    const std::string english = std::string("Grafika/en/") + e.name;
    if (!hasWords) {
      EXPECT_TRUE(ArchiveMember(english).empty()) << english;
      continue;
    }
    checkPicture(english, e.width, e.height, e.keyed);
    checkPicture("Grafika8/en/" + gif, e.width, e.height, e.keyed);
    if (gif.starts_with("Controls")) continue;  // no words; only its palette follows
    EXPECT_NE(ArchiveMember(english), ArchiveMember(std::string("Grafika/") + e.name)) << english;
  }
}

TEST(ArchivePictures, FontHasEveryPrintableCharacterInsideItsCopiedPart) {
  const Decoded font = DecodePicture(ArchiveMember("Grafika/Font.bmp"));
  ASSERT_EQ(font.width, 320);
  ASSERT_EQ(font.height, 384);
  EXPECT_EQ(fringePixels(font), 0);
  // Bytes the code page leaves undefined, the controls and the blank spaces draw nothing.
  const std::vector<int> blank = {0x20, 0x7F, 0x81, 0x83, 0x88, 0x90, 0x98, 0xA0};
  for (int code = 20; code < 256; ++code) {
    const int g = code - 20;
    const int left = 16 * (g % 20), top = 32 * (g / 20);
    const int ink = nonKeyIn(font, {left, top, left + 15, top + 31});
    const bool isBlank = code < 0x20 || std::find(blank.begin(), blank.end(), code) != blank.end();
    if (isBlank)
      EXPECT_EQ(ink, 0) << "code " << code;
    else
      EXPECT_GT(ink, 3) << "code " << code;
    // The last column and row of a cell are never copied, so nothing may stand there.
    EXPECT_EQ(nonKeyIn(font, {left + 15, top, left + 16, top + 32}), 0) << "code " << code;
    EXPECT_EQ(nonKeyIn(font, {left, top + 31, left + 16, top + 32}), 0) << "code " << code;
  }
  // Accented capitals differ from their plain letters: the accent is really there.
  auto cell = [&](int code) {
    std::vector<Rgb8> out;
    const int g = code - 20, left = 16 * (g % 20), top = 32 * (g / 20);
    for (int y = 0; y < 31; ++y)
      for (int x = 0; x < 15; ++x) out.push_back(font.at(left + x, top + y));
    return out;
  };
  EXPECT_NE(cell(0xC8), cell('C'));  // Č
  EXPECT_NE(cell(0xD9), cell('U'));  // Ů
  EXPECT_NE(cell(0xEC), cell('e'));  // ě
}

TEST(ArchivePictures, MenuHighlightMatchesTheMenuOutsideItsItems) {
  for (const std::string folder : {"Grafika/", "Grafika/en/"}) {
    SCOPED_TRACE(folder);
    // The highlight is pasted 550 px to the right; around the items it must be the same
    // picture, or the pasted rectangles would show seams.
    const Decoded menu = DecodePicture(ArchiveMember(folder + "MenuBckg.jpg"));
    const Decoded sel = DecodePicture(ArchiveMember(folder + "MenuSel.jpg"));
    ASSERT_EQ(menu.width, 800);
    ASSERT_EQ(sel.width, 250);
    long long diff = 0, count = 0, itemDiff = 0, itemCount = 0;
    const Rect items[] = {{47, 21, 234, 50},   {4, 65, 234, 93},     {24, 109, 232, 137},
                          {48, 153, 233, 181}, {139, 197, 233, 232}, {116, 241, 233, 269}};
    for (int y = 0; y < 280; ++y)
      for (int x = 0; x < 250; ++x) {
        const Rgb8 a = sel.at(x, y), b = menu.at(550 + x, y);
        const int d = std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
        bool inItem = false;
        for (const Rect& r : items) inItem = inItem || inside(r, x, y);
        if (inItem)
          itemDiff += d, ++itemCount;
        else
          diff += d, ++count;
      }
    EXPECT_LT(double(diff) / count, 6.0);
    EXPECT_GT(double(itemDiff) / itemCount, 3 * double(diff) / count + 10);
  }
}

}  // namespace
