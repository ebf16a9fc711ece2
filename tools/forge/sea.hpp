#pragma once

#include <cairo.h>

namespace forge {

// The shared underwater scenery of every full-screen picture.
struct SeaStyle {
  double top[3];     // water colour at the surface
  double bottom[3];  // and in the depth
  unsigned seed;
  int weeds;  // seaweed strands at the sides
  bool rocks;
  bool wreck;  // a sunken ship far behind
};

void drawSea(cairo_t* cr, const SeaStyle& style);

// A translucent dark panel with a thin light border, behind text.
void drawPanel(cairo_t* cr, double x, double y, double w, double h, double alpha = 0.55);

extern const SeaStyle kShallows, kReef, kWreck, kMenuSea;

}  // namespace forge
