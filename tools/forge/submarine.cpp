#include <cmath>

#include "art.hpp"
#include "canvas.hpp"

namespace forge {
namespace {

constexpr double kPi = 3.14159265358979323846;
const Rgb kOutline{34, 26, 20};

void hullPath(cairo_t* cr) {
  // Tail at the left, rounded bow at the right; the cell centre (40) is mid-hull.
  cairo_move_to(cr, 12, 22);
  cairo_curve_to(cr, 16, 15.5, 24, 14.5, 34, 14.5);
  cairo_line_to(cr, 62, 14.5);
  cairo_curve_to(cr, 72, 14.5, 76.5, 19, 76.5, 23.5);
  cairo_curve_to(cr, 76.5, 28, 72, 32.5, 62, 32.5);
  cairo_line_to(cr, 34, 32.5);
  cairo_curve_to(cr, 24, 32.5, 16, 30.5, 12, 25.5);
  cairo_close_path(cr);
}

// Fills the path and draws the hull's dark outline round it.
void fillOutlined(cairo_t* cr, double width) {
  cairo_fill_preserve(cr);
  setRgb(cr, kOutline);
  cairo_set_line_width(cr, width);
  cairo_stroke(cr);
}

void yellowFill(cairo_t* cr, double top, double bottom) {
  setLinear(cr, 0, top, 0, bottom,
            {{0.0, 1.0, 0.93, 0.55},
             {0.3, 1.0, 0.80, 0.18},
             {0.75, 0.86, 0.55, 0.08},
             {1.0, 0.55, 0.32, 0.06}});
}

void propeller(cairo_t* cr, double angle) {
  const double cx = 9.5, cy = 23.5;
  // Three blades seen from the side: their height follows the sine of their angle and the
  // blades turned towards the viewer are drawn last and lighter.
  for (int pass = 0; pass < 2; ++pass)
    for (int b = 0; b < 3; ++b) {
      const double a = angle + b * 2 * kPi / 3;
      const bool front = std::cos(a) > 0;
      if (front != (pass == 1)) continue;
      const double tip = 8.5 * std::sin(a);
      const double width = 1.2 + 1.6 * std::fabs(std::cos(a));
      ellipse(cr, cx, cy + tip / 2, width, std::max(1.0, std::fabs(tip) / 2));
      if (front)
        cairo_set_source_rgb(cr, 0.92, 0.78, 0.45);
      else
        cairo_set_source_rgb(cr, 0.55, 0.42, 0.22);
      fillOutlined(cr, 0.8);
    }
  cairo_arc(cr, cx + 0.5, cy, 1.8, 0, 2 * kPi);
  cairo_set_source_rgb(cr, 0.45, 0.4, 0.35);
  cairo_fill(cr);
}

}  // namespace

void drawSubmarine(cairo_t* cr, int frame) {
  cairo_save(cr);
  const double bob = 1.2 * std::sin(2 * kPi * frame / 20.0);
  cairo_translate(cr, 0, bob);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);

  // Shaft behind the propeller.
  cairo_rectangle(cr, 9, 22.6, 5, 1.8);
  cairo_set_source_rgb(cr, 0.35, 0.3, 0.25);
  cairo_fill(cr);

  // Tail fins.
  polygon(cr, {{13, 21}, {15, 13.5}, {21, 13.5}, {23, 18}});
  polygon(cr, {{13, 26}, {15, 33.5}, {21, 33.5}, {23, 29}});
  cairo_set_source_rgb(cr, 0.85, 0.28, 0.12);
  fillOutlined(cr, 1.0);

  // Conning tower with its periscope.
  cairo_move_to(cr, 50, 4);
  cairo_line_to(cr, 50, 9);
  cairo_move_to(cr, 49.5, 4.2);
  cairo_line_to(cr, 54.5, 4.2);
  cairo_set_source_rgb(cr, 0.3, 0.3, 0.32);
  cairo_set_line_width(cr, 1.6);
  cairo_stroke(cr);
  cairo_move_to(cr, 36, 16);
  cairo_curve_to(cr, 37, 11, 38, 8.5, 42, 8.5);
  cairo_line_to(cr, 53, 8.5);
  cairo_curve_to(cr, 56, 8.5, 57, 11, 58, 16);
  cairo_close_path(cr);
  yellowFill(cr, 8.5, 16);
  fillOutlined(cr, 1.1);
  cairo_rectangle(cr, 44, 10.5, 6, 2.2);
  cairo_set_source_rgb(cr, 0.2, 0.35, 0.45);
  cairo_fill(cr);

  // Hull.
  hullPath(cr);
  yellowFill(cr, 14.5, 32.5);
  fillOutlined(cr, 1.2);

  // Red keel band and a highlight along the top.
  cairo_save(cr);
  hullPath(cr);
  cairo_clip(cr);
  cairo_rectangle(cr, 0, 28.5, 80, 5);
  cairo_set_source_rgb(cr, 0.78, 0.22, 0.1);
  cairo_fill(cr);
  cairo_move_to(cr, 28, 17);
  cairo_line_to(cr, 66, 17);
  cairo_set_source_rgba(cr, 1, 1, 0.9, 0.8);
  cairo_set_line_width(cr, 1.4);
  cairo_stroke(cr);
  cairo_restore(cr);
  hullPath(cr);
  setRgb(cr, kOutline);
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);

  // Portholes.
  for (double x : {33.0, 44.0, 55.0}) {
    cairo_arc(cr, x, 23, 3.2, 0, 2 * kPi);
    cairo_set_source_rgb(cr, 0.55, 0.4, 0.2);
    cairo_fill(cr);
    cairo_arc(cr, x, 23, 2.2, 0, 2 * kPi);
    setRadial(cr, x - 0.8, 22.2, 0.2, x, 23, 2.2, {{0, 0.85, 1.0, 1.0}, {1, 0.1, 0.45, 0.6}});
    cairo_fill(cr);
  }
  // Bow light.
  cairo_arc(cr, 71.5, 22, 1.6, 0, 2 * kPi);
  cairo_set_source_rgb(cr, 1.0, 1.0, 0.8);
  cairo_fill(cr);

  propeller(cr, frame * 2 * kPi * 2 / 20.0);
  cairo_restore(cr);
}

void drawMine(cairo_t* cr) {
  cairo_save(cr);
  const double cx = 19.5, cy = 20.5;
  // Horns first, so the shell covers their roots.
  for (int i = 0; i < 8; ++i) {
    const double a = i * kPi / 4 + kPi / 8;
    const double x1 = cx + 15 * std::cos(a), y1 = cy + 15 * std::sin(a);
    cairo_move_to(cr, cx + 9 * std::cos(a), cy + 9 * std::sin(a));
    cairo_line_to(cr, x1, y1);
    cairo_set_source_rgb(cr, 0.25, 0.27, 0.3);
    cairo_set_line_width(cr, 2.6);
    cairo_stroke(cr);
    cairo_arc(cr, x1, y1, 2.0, 0, 2 * kPi);
    cairo_set_source_rgb(cr, 0.75, 0.72, 0.6);
    cairo_fill_preserve(cr);
    cairo_set_source_rgb(cr, 0.1, 0.1, 0.12);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
  }
  cairo_arc(cr, cx, cy, 11, 0, 2 * kPi);
  setRadial(cr, cx - 4, cy - 4, 1, cx, cy, 11,
            {{0, 0.62, 0.66, 0.7}, {0.5, 0.3, 0.33, 0.37}, {1, 0.1, 0.11, 0.14}});
  cairo_fill_preserve(cr);
  cairo_set_source_rgb(cr, 0.05, 0.05, 0.07);
  cairo_set_line_width(cr, 1.1);
  cairo_stroke(cr);
  // Seam and the armed light.
  cairo_arc(cr, cx, cy, 11, kPi * 0.05, kPi * 0.95);
  cairo_set_line_width(cr, 0.8);
  cairo_set_source_rgba(cr, 0.05, 0.05, 0.07, 0.0);
  cairo_new_path(cr);
  cairo_move_to(cr, cx - 10.5, cy + 1);
  cairo_curve_to(cr, cx - 4, cy + 4, cx + 4, cy + 4, cx + 10.5, cy + 1);
  cairo_set_source_rgb(cr, 0.08, 0.08, 0.1);
  cairo_stroke(cr);
  cairo_arc(cr, cx + 1, cy - 5, 2.6, 0, 2 * kPi);
  setRadial(cr, cx + 0.4, cy - 5.6, 0.2, cx + 1, cy - 5, 2.6,
            {{0, 1.0, 0.9, 0.7}, {1, 0.85, 0.08, 0.05}});
  cairo_fill(cr);
  cairo_restore(cr);
}

void drawTorpedo(cairo_t* cr) {
  cairo_save(cr);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  const double cy = 20;
  // Fins and propeller at the tail (left).
  polygon(
      cr,
      {{5, cy}, {3, cy - 6}, {8, cy - 6}, {11, cy - 2}, {11, cy + 2}, {8, cy + 6}, {3, cy + 6}});
  cairo_set_source_rgb(cr, 0.35, 0.38, 0.42);
  cairo_fill_preserve(cr);
  cairo_set_source_rgb(cr, 0.08, 0.09, 0.12);
  cairo_set_line_width(cr, 0.9);
  cairo_stroke(cr);
  // Body.
  cairo_move_to(cr, 7, cy - 3.5);
  cairo_line_to(cr, 31, cy - 3.5);
  cairo_curve_to(cr, 35.5, cy - 3.5, 37.5, cy - 1.5, 37.5, cy);
  cairo_curve_to(cr, 37.5, cy + 1.5, 35.5, cy + 3.5, 31, cy + 3.5);
  cairo_line_to(cr, 7, cy + 3.5);
  cairo_close_path(cr);
  setLinear(cr, 0, cy - 3.5, 0, cy + 3.5,
            {{0, 0.92, 0.94, 0.96}, {0.4, 0.62, 0.66, 0.7}, {1, 0.25, 0.27, 0.32}});
  cairo_fill_preserve(cr);
  cairo_set_source_rgb(cr, 0.08, 0.09, 0.12);
  cairo_stroke(cr);
  // Warhead band.
  cairo_rectangle(cr, 28, cy - 3.2, 3, 6.4);
  cairo_set_source_rgb(cr, 0.85, 0.15, 0.1);
  cairo_fill(cr);
  cairo_restore(cr);
}

}  // namespace forge
