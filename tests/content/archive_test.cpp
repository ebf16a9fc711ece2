// Every picture the game loads is in the built archive, decodes, has its surface's size, and
// its keyed sheets (the bitmaps) have something in every sprite and no fringe. At 8 bits the
// display shows one palette at a time: each screen group shares one, the font's inks are in
// the palettes it is drawn over, and a keyed sheet's key is one entry. Every sound is heard.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "audio/sound_state.h"
#include "audio/wav.h"
#include "fs/file_system.h"
#include "fs/tfile.h"
#include "platform/picture/picture.h"

namespace {

struct Rgb8 {
  uint8_t r, g, b;
  bool operator==(const Rgb8&) const = default;
};

// Decoded by the game's picture loader; width 0 when it refuses the bytes.
struct Decoded {
  int width = 0, height = 0;
  std::vector<Rgb8> pixels;
  const Rgb8& at(int x, int y) const { return pixels[size_t(y) * width + x]; }
};

// The bytes of one member of build/Nauvrel.spl; empty when it is missing.
std::vector<uint8_t> ArchiveMember(const std::string& path) {
  static TFileSystem* files = [] {
    TFileSystem* fs = FS_Init();
    return fs && FS_LoadSPL(fs, NAUVREL_BINARY_DIR "/Nauvrel.spl") ? fs : nullptr;
  }();
  auto file = files ? FS_Open(files, path.c_str()) : nullptr;
  GlobalBlock block = file ? FS_ReadAll(*file) : GlobalBlock{};
  if (!block) return {};
  auto bytes = block.Lock();
  return {bytes.begin(), bytes.end()};
}

Decoded DecodePicture(const std::vector<uint8_t>& bytes) {
  Decoded out;
  const auto picture = pic::OleLoadPicture(bytes);
  if (!picture) return out;
  out.width = picture->PixelWidth();
  out.height = picture->PixelHeight();
  for (int y = 0; y < out.height; ++y)
    for (int x = 0; x < out.width; ++x) {
      const uint32_t c = picture->PixelRGB(x, y);
      out.pixels.push_back({uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)});
    }
  return out;
}

// The global colour table of a GIF member: its 256 entries; empty when it has none.
std::vector<Rgb8> GifPalette(const std::string& path) {
  const auto bytes = ArchiveMember(path);
  if (bytes.size() < 13 + 768 || (bytes[10] & 0x87) != 0x87) return {};
  std::vector<Rgb8> palette(256);
  for (size_t i = 0; i < 256; ++i)
    palette[i] = {bytes[13 + 3 * i], bytes[14 + 3 * i], bytes[15 + 3 * i]};
  return palette;
}

struct Expected {
  const char* name;  // without the folder; the GIF has the same stem but for Setup
  int width, height;
  std::string gifName() const {
    const std::string stem = std::string(name).substr(0, std::string(name).find('.'));
    return stem == "Setup" ? "Settings" : stem;
  }
};

// Sizes of the surfaces the pictures are rendered into.
const Expected kPictures[] = {
    {"MenuBckg.jpg", 800, 600},    {"Background1.jpg", 800, 600}, {"Background2.jpg", 800, 600},
    {"Background3.jpg", 800, 600}, {"Game.bmp", 640, 160},        {"MenuSel.jpg", 250, 280},
    {"Barel.bmp", 400, 40},        {"Digits.bmp", 400, 40},       {"Logo.jpg", 800, 600},
    {"Bonus.bmp", 400, 40},        {"Help1.jpg", 800, 600},       {"Help2.jpg", 800, 600},
    {"Help3.jpg", 800, 600},       {"Setup.jpg", 800, 600},       {"Controls.bmp", 259, 20},
    {"NauvrelExpl.bmp", 800, 180}, {"HiScore.jpg", 800, 600},     {"NauvrelExplB.bmp", 700, 240}};

struct Rect {
  int left, top, right, bottom;  // right and bottom exclusive, as the game copies
  bool holds(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

int Difference(const Rgb8& a, const Rgb8& b) {
  return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
}

int NonKeyIn(const Decoded& p, const Rect& r) {
  int count = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) count += !(p.at(x, y) == p.at(0, 0));
  return count;
}

// Pixels that are not the key but so close to it that they would show as a magenta fringe.
int FringePixels(const Decoded& p) {
  return static_cast<int>(std::count_if(p.pixels.begin(), p.pixels.end(), [&](const Rgb8& c) {
    const int d = Difference(c, p.at(0, 0));
    return d > 0 && d < 120;
  }));
}

// Where each keyed sheet has sprites.
std::vector<Rect> SpritesOf(const std::string& name) {
  std::vector<Rect> rects;
  auto row = [&](int count, int w, int h, int perRow, int first = 0) {
    for (int c = first; c < count; ++c)
      rects.push_back(
          {w * (c % perRow), h * (c / perRow), w * (c % perRow) + w - 1, h * (c / perRow) + h - 1});
  };
  if (name.starts_with("Game")) {
    row(20, 80, 40, 8);
    rects.insert(rects.end(), {{360, 80, 399, 119}, {400, 80, 439, 119}, {577, 137, 583, 143}});
  } else if (name.starts_with("Barel") || name.starts_with("Bonus") || name.starts_with("Digits")) {
    row(10, 40, 40, 10);
  } else if (name.starts_with("NauvrelExplB")) {
    row(20, 140, 60, 5);
  } else if (name.starts_with("NauvrelExpl")) {
    row(20, 100, 60, 8, 5);  // cells 0 to 4 are never shown
  } else if (name.starts_with("Controls")) {
    rects = {{0, 0, 19, 19}, {20, 0, 39, 19}, {40, 0, 240, 19}, {244, 0, 258, 19}};
  }
  return rects;
}

void CheckPicture(const std::string& path, const Expected& e) {
  SCOPED_TRACE(path);
  const Decoded p = DecodePicture(ArchiveMember(path));
  ASSERT_EQ(std::pair(p.width, p.height), std::pair(e.width, e.height));
  if (std::string(e.name).ends_with(".bmp")) {
    EXPECT_EQ(FringePixels(p), 0);
  }
  for (const Rect& r : SpritesOf(e.name))
    EXPECT_GT(NonKeyIn(p, r), 4) << "empty sprite at " << r.left << "," << r.top;
}

// The English edition replaces each picture with words by one of the same size and, for
// the settings controls, the same sprites; the pictures differ where the words stand.
TEST(ArchivePictures, BothSetsAndTheEnglishEditionAreCompleteAndSized) {
  const std::vector<std::string> worded = {"MenuBckg", "MenuSel",  "Logo",     "Help1",  "Help2",
                                           "Help3",    "Settings", "Controls", "HiScore"};
  for (const Expected& e : kPictures) {
    const std::string gif = e.gifName() + ".gif";
    CheckPicture(std::string("Grafika/") + e.name, e);
    CheckPicture("Grafika8/" + gif, e);
    const std::string english = std::string("Grafika/en/") + e.name;
    if (std::find(worded.begin(), worded.end(), e.gifName()) == worded.end()) continue;
    CheckPicture(english, e);
    CheckPicture("Grafika8/en/" + gif, e);
    if (gif.starts_with("Controls")) continue;  // no words; only its palette follows
    EXPECT_NE(ArchiveMember(english), ArchiveMember(std::string("Grafika/") + e.name)) << english;
  }
}

// Every ink is in the play and hi-score palettes, which it is drawn over at 8 bits.
TEST(ArchivePictures, FontHasEveryPrintableCharacterInsideItsCopiedPartInPaletteInks) {
  const Decoded font = DecodePicture(ArchiveMember("Grafika/Font.bmp"));
  ASSERT_EQ(std::pair(font.width, font.height), std::pair(320, 384));
  EXPECT_EQ(FringePixels(font), 0);
  for (const char* path : {"Grafika8/Game.gif", "Grafika8/HiScore.gif"}) {
    const auto palette = GifPalette(path);
    for (const Rgb8& c : font.pixels)
      ASSERT_NE(std::find(palette.begin(), palette.end(), c), palette.end())
          << path << " lacks " << int(c.r) << "," << int(c.g) << "," << int(c.b);
  }
  const auto cellOf = [](int code) {
    const int g = code - 20;
    return Rect{16 * (g % 20), 32 * (g / 20), 16 * (g % 20) + 16, 32 * (g / 20) + 32};
  };
  // Bytes the code page leaves undefined, the controls and the blank spaces draw nothing.
  const std::vector<int> blank = {0x20, 0x7F, 0x81, 0x83, 0x88, 0x90, 0x98, 0xA0};
  for (int code = 20; code < 256; ++code) {
    const Rect c = cellOf(code);
    const int ink = NonKeyIn(font, {c.left, c.top, c.right - 1, c.bottom - 1});
    if (code < 0x20 || std::find(blank.begin(), blank.end(), code) != blank.end())
      EXPECT_EQ(ink, 0) << "code " << code;
    else
      EXPECT_GT(ink, 3) << "code " << code;
  }
  // Accented letters differ from their plain ones: the accent is really there.
  const auto pixels = [&](int code) {
    std::vector<Rgb8> out;
    const Rect c = cellOf(code);
    for (int y = c.top; y < c.bottom - 1; ++y)
      for (int x = c.left; x < c.right - 1; ++x) out.push_back(font.at(x, y));
    return out;
  };
  EXPECT_NE(pixels(0xC8), pixels('C'));  // Č
  EXPECT_NE(pixels(0xD9), pixels('U'));  // Ů
  EXPECT_NE(pixels(0xEC), pixels('e'));  // ě
}

// The highlight is pasted 550 px to the right; around the items it must be the same
// picture, or the pasted rectangles would show seams.
TEST(ArchivePictures, MenuHighlightMatchesTheMenuOutsideItsItems) {
  const Rect items[] = {{47, 21, 234, 50},   {4, 65, 234, 93},     {24, 109, 232, 137},
                        {48, 153, 233, 181}, {139, 197, 233, 232}, {116, 241, 233, 269}};
  for (const std::string folder : {"Grafika/", "Grafika/en/"}) {
    SCOPED_TRACE(folder);
    const Decoded menu = DecodePicture(ArchiveMember(folder + "MenuBckg.jpg"));
    const Decoded sel = DecodePicture(ArchiveMember(folder + "MenuSel.jpg"));
    ASSERT_EQ(std::pair(menu.width, sel.width), std::pair(800, 250));
    double sum[2] = {0, 0}, count[2] = {0, 0};  // outside, inside the items
    for (int y = 0; y < 280; ++y)
      for (int x = 0; x < 250; ++x) {
        const bool in = std::any_of(std::begin(items), std::end(items),
                                    [&](const Rect& r) { return r.holds(x, y); });
        sum[in] += Difference(sel.at(x, y), menu.at(550 + x, y));
        ++count[in];
      }
    EXPECT_LT(sum[0] / count[0], 6.0);
    EXPECT_GT(sum[1] / count[1], 3 * sum[0] / count[0] + 10);
  }
}

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

TEST(ArchiveSounds, EveryWaveMakesABufferThatIsNotSilence) {
  ASSERT_EQ(ds::DirectSoundCreate(nullptr, Sound.dsObject), ds::DS_OK);
  ASSERT_EQ(Sound.dsObject->SetCooperativeLevel(nullptr, ds::DSSCL_PRIORITY), ds::DS_OK);
  for (const char* name : {"Bonus", "ExplodeB1", "ExplodeB2", "ExplodeB3", "ExplodeB4", "LevelUp",
                           "MenuClick", "NauvrelExpl"}) {
    SCOPED_TRACE(name);
    const auto bytes = ArchiveMember(std::string("Zvuk/") + name + ".wav");
    GlobalBlock image = GlobalBlock::Alloc(bytes.size());
    std::memcpy(image.Lock().data(), bytes.data(), bytes.size());
    const ds::LPDIRECTSOUNDBUFFER buffer = wavCreateBuffer(image);
    ASSERT_TRUE(buffer);
    const std::vector<int16_t>& samples = *ds::testing::DeviceSamples(buffer.get());
    EXPECT_GT(samples.size(), 2000u);
    int peak = 0;
    for (int16_t s : samples) peak = std::max(peak, std::abs(int{s}));
    EXPECT_GT(peak, 16000);
  }
  Sound.dsObject.reset();
}

}  // namespace
