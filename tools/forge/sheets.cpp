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
  Canvas sheet(400, 40);
  cairo_t* cr = sheet.cr();
  const BlastStyle style{40, 40, 19, 11, 16, false};
  for (int p = 0; p < 10; ++p)
    inCell(cr, 40 * p, 0, 40, 40, [&] {
      if (p <= 1) drawBarrel(cr);
      if (p >= 1) drawBlast(cr, style, p == 1 ? 0.07 : (p - 0.6) / 10.0);
    });
  return flattenKeyed(sheet);
}

Picture makeExplosionA() {
  Canvas sheet(800, 180);
  cairo_t* cr = sheet.cr();
  const BlastStyle style{100, 60, 30, 23, 26, true};
  // The first five cells are never shown: the submarine is still slowing down then.
  for (int c = 5; c < 20; ++c)
    inCell(cr, 100 * (c % 8), 60 * (c / 8), 100, 60, [&] { drawBlast(cr, style, (c - 4) / 16.0); });
  return flattenKeyed(sheet);
}

Picture makeExplosionB() {
  Canvas sheet(700, 240);
  cairo_t* cr = sheet.cr();
  const BlastStyle style{140, 60, 38, 37, 32, true};
  for (int c = 0; c < 20; ++c)
    inCell(cr, 140 * (c % 5), 60 * (c / 5), 140, 60, [&] {
      if (c < 2) {
        // The hull is still visible inside the first flash.
        drawAt(cr, 20, 8, 1, [&] { drawSubmarine(cr, 0); });
      }
      drawBlast(cr, style, (c + 1) / 21.0);
    });
  return flattenKeyed(sheet);
}

Picture makeBonusSheet() {
  Canvas sheet(400, 40);
  cairo_t* cr = sheet.cr();
  for (int i = 0; i < kBonusCount; ++i)
    inCell(cr, 40 * i, 0, 40, 40, [&] { drawBonusIcon(cr, i); });
  return flattenKeyed(sheet);
}

}  // namespace forge
