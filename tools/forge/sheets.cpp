#include <cmath>

#include "art.hpp"
#include "canvas.hpp"
#include "keying.hpp"

namespace forge {
namespace {

// Draws into one cell of a sheet, clipped to the part of it the game copies.
template <typename Draw>
void inCell(cairo_t* cr, double x, double y, double w, double h, Draw draw) {
  cairo_save(cr);
  cairo_rectangle(cr, x, y, w - 1, h - 1);
  cairo_clip(cr);
  cairo_translate(cr, x, y);
  draw();
  cairo_restore(cr);
}

// A keyed sheet of equal cells in rows, the cells from first up to count drawn by draw(c).
template <typename Draw>
Picture cellSheet(int width, int height, int cellWidth, int cellHeight, int first, int count,
                  Draw draw) {
  Canvas sheet(width, height);
  cairo_t* cr = sheet.cr();
  const int columns = width / cellWidth;
  for (int c = first; c < count; ++c)
    inCell(cr, cellWidth * (c % columns), cellHeight * (c / columns), cellWidth, cellHeight,
           [&] { draw(cr, c); });
  return flattenKeyed(sheet);
}

void pixelBubble(Picture& sheet, int left, int top) {
  const Rgb rim{200, 236, 255}, glass{70, 130, 175}, shine{255, 255, 255};
  const char* rows[6] = {"..##..", ".#oo#.", "#o*oo#", "#oooo#", ".#oo#.", "..##.."};
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x) {
      const char c = rows[y][x];
      if (c == '#') sheet.at(left + x, top + y) = rim;
      if (c == 'o') sheet.at(left + x, top + y) = glass;
      if (c == '*') sheet.at(left + x, top + y) = shine;
    }
}

}  // namespace

Picture makeGameSheet() {
  Canvas sheet(640, 160);
  cairo_t* cr = sheet.cr();
  for (int f = 0; f < 20; ++f)
    inCell(cr, 80 * (f % 8), 40 * (f / 8), 80, 40, [&] { drawSubmarine(cr, f); });
  inCell(cr, 360, 80, 40, 40, [&] { drawMine(cr); });
  inCell(cr, 400, 80, 40, 40, [&] { drawTorpedo(cr); });
  Picture picture = flattenKeyed(sheet);
  pixelBubble(picture, 577, 137);
  return picture;
}

Picture makeBarrelSheet() {
  const BlastStyle style{40, 40, 19, 11, 16, false};
  return cellSheet(400, 40, 40, 40, 0, 10, [&](cairo_t* cr, int p) {
    if (p <= 1) drawBarrel(cr);
    if (p >= 1) drawBlast(cr, style, p == 1 ? 0.07 : (p - 0.6) / 10.0);
  });
}

Picture makeExplosionA() {
  const BlastStyle style{100, 60, 30, 23, 26, true};
  // The first five cells are never shown: the submarine is still slowing down then.
  return cellSheet(800, 180, 100, 60, 5, 20,
                   [&](cairo_t* cr, int c) { drawBlast(cr, style, (c - 4) / 16.0); });
}

Picture makeExplosionB() {
  const BlastStyle style{140, 60, 38, 37, 32, true};
  return cellSheet(700, 240, 140, 60, 0, 20, [&](cairo_t* cr, int c) {
    // The hull is still visible inside the first flash.
    if (c < 2) drawAt(cr, 20, 8, 1, [&] { drawSubmarine(cr, 0); });
    drawBlast(cr, style, (c + 1) / 21.0);
  });
}

Picture makeBonusSheet() {
  return cellSheet(400, 40, 40, 40, 0, kBonusCount,
                   [](cairo_t* cr, int i) { drawBonusIcon(cr, i); });
}

}  // namespace forge
