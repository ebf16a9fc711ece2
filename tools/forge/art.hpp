#pragma once

#include <cairo.h>

#include "picture.hpp"

namespace forge {

// Vector art shared by the sprite sheets and the screens. Each draws in its own unit
// frame at the current transformation: the submarine in an 80 × 40 cell, the rest in 40 × 40.
void drawSubmarine(cairo_t* cr, int frame);
void drawMine(cairo_t* cr);
void drawTorpedo(cairo_t* cr);
void drawBarrel(cairo_t* cr);
// Bonus icons in the order of Bonus.bmp (0 faster ... 9 death).
void drawBonusIcon(cairo_t* cr, int slot);
inline constexpr int kBonusCount = 10;

// An underwater blast in a w × h cell at time t (0 start, 1 gone).
struct BlastStyle {
  double width, height;
  double reach;  // how far the fireball spreads, in pixels
  unsigned seed;
  int puffs;
  bool debris;  // hull fragments (the submarine's explosions)
};
void drawBlast(cairo_t* cr, const BlastStyle& style, double t);

// The sprite sheets, keyed, at their surface sizes.
Picture makeGameSheet();      // 640 × 160
Picture makeBarrelSheet();    // 400 × 40
Picture makeBonusSheet();     // 400 × 40
Picture makeDigitsSheet();    // 400 × 40
Picture makeExplosionA();     // 800 × 180
Picture makeExplosionB();     // 700 × 240
Picture makeControlsSheet();  // 259 × 20
Picture makeFontSheet();      // 320 × 384

// The font's key and ink colours: the 8-bit play and hi-score palettes must hold them.
const std::vector<Rgb>& fontColours();

}  // namespace forge
