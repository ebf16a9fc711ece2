#include "art.hpp"
#include "canvas.hpp"
#include "screens.hpp"
#include "sea.hpp"

namespace forge {

Picture makeBackground(int index) {
  const SeaStyle* styles[3] = {&kShallows, &kReef, &kWreck};
  Canvas canvas(800, 600);
  cairo_t* cr = canvas.cr();
  drawSea(cr, *styles[index]);
  // A faint frame marks the field the barrels stand in (x 40-759, y 70-589).
  cairo_rectangle(cr, 39.5, 69.5, 721, 521);
  cairo_set_source_rgba(cr, 0.6, 0.9, 1.0, 0.08);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  return canvas.opaque();
}

}  // namespace forge
