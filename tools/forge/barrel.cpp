#include <cmath>

#include "art.hpp"
#include "canvas.hpp"

namespace forge {

void drawBarrel(cairo_t* cr) {
  cairo_save(cr);
  const double left = 5.5, right = 33.5, top = 4.5, bottom = 37.5;
  const double cx = (left + right) / 2, w = right - left;

  // Body: a cylinder lit from the upper left.
  auto body = [&] {
    cairo_new_path(cr);
    cairo_move_to(cr, left, top);
    cairo_curve_to(cr, left - 1.2, 15, left - 1.2, 27, left, bottom);
    cairo_curve_to(cr, left + 6, bottom + 1.5, right - 6, bottom + 1.5, right, bottom);
    cairo_curve_to(cr, right + 1.2, 27, right + 1.2, 15, right, top);
    cairo_close_path(cr);
  };
  body();
  setLinear(cr, left - 1, 0, right + 1, 0,
            {{0.0, 0.35, 0.04, 0.03},
             {0.28, 0.95, 0.3, 0.18},
             {0.4, 0.85, 0.16, 0.1},
             {1.0, 0.3, 0.03, 0.03}});
  cairo_fill(cr);

  // Yellow-black hazard band between the two ribs.
  cairo_save(cr);
  body();
  cairo_clip(cr);
  cairo_rectangle(cr, 0, 16.5, 40, 9);
  setLinear(cr, left - 1, 0, right + 1, 0,
            {{0.0, 0.45, 0.33, 0.02}, {0.3, 1.0, 0.88, 0.25}, {1.0, 0.45, 0.33, 0.02}});
  cairo_fill(cr);
  for (int i = -2; i < 8; ++i) {
    const double x = left + i * 6;
    polygon(cr, {{x, 25.5}, {x + 3, 25.5}, {x + 12, 16.5}, {x + 9, 16.5}});
  }
  cairo_set_source_rgba(cr, 0.08, 0.06, 0.05, 0.9);
  cairo_fill(cr);
  // Ribs.
  for (double y : {11.0, 16.5, 25.5, 31.0}) {
    cairo_move_to(cr, left - 2, y);
    cairo_curve_to(cr, left + 6, y + 1.5, right - 6, y + 1.5, right + 2, y);
    cairo_set_source_rgba(cr, 0.15, 0.02, 0.02, 0.85);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    cairo_move_to(cr, left - 2, y - 1.1);
    cairo_curve_to(cr, left + 6, y + 0.4, right - 6, y + 0.4, right + 2, y - 1.1);
    cairo_set_source_rgba(cr, 1.0, 0.7, 0.6, 0.35);
    cairo_set_line_width(cr, 0.7);
    cairo_stroke(cr);
  }
  cairo_restore(cr);

  // Outline, then the lid with its bung.
  body();
  cairo_set_source_rgb(cr, 0.12, 0.02, 0.02);
  cairo_set_line_width(cr, 1.1);
  cairo_stroke(cr);
  ellipse(cr, cx, top, w / 2, 2.6);
  cairo_set_source_rgb(cr, 0.62, 0.13, 0.08);
  cairo_fill_preserve(cr);
  cairo_set_source_rgb(cr, 0.12, 0.02, 0.02);
  cairo_stroke(cr);
  ellipse(cr, cx, top, w / 2 - 2.5, 1.4);
  cairo_set_source_rgb(cr, 0.42, 0.07, 0.05);
  cairo_fill(cr);
  cairo_rectangle(cr, cx + 4, top - 1.4, 4, 2);
  cairo_set_source_rgb(cr, 0.8, 0.78, 0.7);
  cairo_fill(cr);
  cairo_restore(cr);
}

}  // namespace forge
