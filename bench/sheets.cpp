#include "bench/sheets.h"

#include <cmath>
#include <functional>

#include "support/test_pictures.h"

namespace {

// Shapes as palette indices: 0 is the key, 1 to 255 the picture's colours.
using Shape = std::function<uint8_t(int x, int y)>;

uint8_t Shade(int x, int y) { return static_cast<uint8_t>(1 + (x * 7 + y * 13) % 255); }

bool InEllipse(int x, int y, double cx, double cy, double rx, double ry) {
  const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
  return dx * dx + dy * dy <= 1.0;
}

// Cells of a sheet, each filled by `cell` in its own coordinates.
Shape Cells(int cellW, int cellH, std::function<bool(int cell, int x, int y)> cell, int perRow) {
  return [=](int x, int y) -> uint8_t {
    const int c = (y / cellH) * perRow + x / cellW;
    return cell(c, x % cellW, y % cellH) ? Shade(x, y) : 0;
  };
}

Shape Flat() {
  return [](int x, int y) { return Shade(x, y); };
}

bool Barel(int, int x, int y) { return InEllipse(x, y, 19.5, 19.5, 15, 19); }
bool Explosion(int phase, int x, int y) {
  if (phase == 0) return Barel(0, x, y);
  const double outer = 6 + 1.4 * phase, inner = outer - 6;
  return InEllipse(x, y, 19.5, 19.5, outer, outer) && !InEllipse(x, y, 19.5, 19.5, inner, inner);
}
bool Icon(int, int x, int y) { return InEllipse(x, y, 19.5, 19.5, 17, 17); }
bool Digit(int, int x, int y) {
  return InEllipse(x, y, 19.5, 19.5, 12, 17) && !InEllipse(x, y, 19.5, 19.5, 7, 12);
}
bool Submarine(int, int x, int y) {
  return InEllipse(x, y, 40, 24, 36, 11) || (x >= 34 && x < 46 && y >= 6 && y < 16);
}
bool Blast(int c, int x, int y) { return InEllipse(x, y, 50, 30, 10 + c * 2, 8 + c); }
bool BlastB(int c, int x, int y) { return InEllipse(x, y, 70, 30, 12 + c * 3, 8 + c); }
bool Glyph(int c, int x, int y) {
  if (c == 12) return false;  // the blank
  return (x >= 2 && x < 5 && y >= 4 && y < 28) || (y >= 14 && y < 17 && x >= 2 && x < 13) ||
         (c % 3 == 0 && x >= 10 && x < 13 && y >= 4 && y < 28);
}

// Game.bmp: submarine frames, then the mine, the torpedo and the bubble in row 2.
uint8_t GameSheet(int x, int y) {
  if (y < 120 && (y < 80 || x < 320)) return Submarine(0, x % 80, y % 40) ? Shade(x, y) : 0;
  if (y >= 80 && y < 120 && x >= 360 && x < 400)
    return InEllipse(x - 360, y - 80, 19.5, 19.5, 14, 14) ? Shade(x, y) : 0;
  if (y >= 80 && y < 120 && x >= 400 && x < 440)
    return InEllipse(x - 400, y - 80, 19.5, 19.5, 18, 5) ? Shade(x, y) : 0;
  if (x >= 577 && x < 583 && y >= 137 && y < 143)
    return InEllipse(x - 577, y - 137, 3, 3, 3, 3) ? Shade(x, y) : 0;
  return 0;
}

struct File {
  const char* trueColour;
  const char* palettised;
  int width, height;
  Shape shape;
};

std::vector<File> Files() {
  return {
      {"Grafika/MenuBckg.jpg", "Grafika8/MenuBckg.gif", 800, 600, Flat()},
      {"Grafika/Background1.jpg", "Grafika8/Background1.gif", 800, 600, Flat()},
      {"Grafika/Background2.jpg", "Grafika8/Background2.gif", 800, 600, Flat()},
      {"Grafika/Background3.jpg", "Grafika8/Background3.gif", 800, 600, Flat()},
      {"Grafika/Game.bmp", "Grafika8/Game.gif", 640, 160, GameSheet},
      {"Grafika/MenuSel.jpg", "Grafika8/MenuSel.gif", 250, 280, Flat()},
      {"Grafika/Barel.bmp", "Grafika8/Barel.gif", 400, 40, Cells(40, 40, Explosion, 10)},
      {"Grafika/Digits.bmp", "Grafika8/Digits.gif", 400, 40, Cells(40, 40, Digit, 10)},
      {"Grafika/Logo.jpg", "Grafika8/Logo.gif", 800, 600, Flat()},
      {"Grafika/Bonus.bmp", "Grafika8/Bonus.gif", 400, 40, Cells(40, 40, Icon, 10)},
      {"Grafika/Help1.jpg", "Grafika8/Help1.gif", 800, 600, Flat()},
      {"Grafika/Help2.jpg", "Grafika8/Help2.gif", 800, 600, Flat()},
      {"Grafika/Help3.jpg", "Grafika8/Help3.gif", 800, 600, Flat()},
      {"Grafika/Setup.jpg", "Grafika8/Settings.gif", 800, 600, Flat()},
      {"Grafika/Controls.bmp", "Grafika8/Controls.gif", 259, 20, Cells(20, 20, Icon, 13)},
      {"Grafika/NauvrelExpl.bmp", "Grafika8/NauvrelExpl.gif", 800, 180, Cells(100, 60, Blast, 8)},
      {"Grafika/HiScore.jpg", "Grafika8/HiScore.gif", 800, 600, Flat()},
      {"Grafika/NauvrelExplB.bmp", "Grafika8/NauvrelExplB.gif", 700, 240,
       Cells(140, 60, BlastB, 5)},
  };
}

dd::PALETTEENTRY Entry(int i) {
  if (i == 0) return {255, 0, 255, 0};
  return {static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i * 3), 0};
}

uint32_t Rgb(const dd::PALETTEENTRY& e) {
  return (uint32_t{e.peRed} << 16) | (uint32_t{e.peGreen} << 8) | e.peBlue;
}

std::vector<uint8_t> Write(const File& f, bool palettised) {
  if (!palettised)
    return MakeBmp(f.width, f.height, [&](int x, int y) { return Rgb(Entry(f.shape(x, y))); });
  std::vector<dd::PALETTEENTRY> palette;
  for (int i = 0; i < 256; ++i) palette.push_back(Entry(i));
  return MakeGif(f.width, f.height, palette, f.shape);
}

}  // namespace

PictureFiles BenchPictureFiles(int depth) {
  PictureFiles files;
  for (const File& f : Files())
    files[depth == 8 ? f.palettised : f.trueColour] = Write(f, depth == 8);
  const File font{"Grafika/Font.bmp", "Grafika/Font.bmp", 320, 384, Cells(16, 32, Glyph, 20)};
  files[font.trueColour] = Write(font, false);
  return files;
}
