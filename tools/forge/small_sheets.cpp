#include <cmath>
#include <string>

#include "art.hpp"
#include "canvas.hpp"
#include "keying.hpp"
#include "text.hpp"

namespace forge {
namespace {

constexpr double kPi = 3.14159265358979323846;

void button(cairo_t* cr, double x, bool on) {
  const double cx = x + 9.5, cy = 9.5;
  cairo_arc(cr, cx, cy, 9, 0, 2 * kPi);
  cairo_set_source_rgb(cr, 0.55, 0.6, 0.66);
  cairo_fill(cr);
  cairo_arc(cr, cx, cy, 9, 0, 2 * kPi);
  cairo_set_source_rgb(cr, 0.04, 0.06, 0.1);
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
  cairo_arc(cr, cx, cy, 6.3, 0, 2 * kPi);
  if (on)
    setRadial(cr, cx - 2, cy - 2, 0.5, cx, cy, 6.3, {{0, 0.85, 1.0, 0.75}, {1, 0.1, 0.65, 0.15}});
  else
    setRadial(cr, cx - 2, cy - 2, 0.5, cx, cy, 6.3, {{0, 0.55, 0.3, 0.3}, {1, 0.28, 0.06, 0.06}});
  cairo_fill(cr);
  cairo_arc(cr, cx - 2.2, cy - 2.4, 1.7, 0, 2 * kPi);
  cairo_set_source_rgba(cr, 1, 1, 1, on ? 0.9 : 0.5);
  cairo_fill(cr);
}

}  // namespace

Picture makeDigitsSheet() {
  Canvas sheet(400, 40);
  cairo_t* cr = sheet.cr();
  for (int d = 0; d < 10; ++d) {
    cairo_save(cr);
    cairo_rectangle(cr, 40 * d, 0, 39, 39);
    cairo_clip(cr);
    titleText(cr, std::to_string(d), 40 * d + 19.5, 33, 36, Align::Centre);
    cairo_restore(cr);
  }
  return flattenKeyed(sheet, {10, 20, 40});
}

Picture makeControlsSheet() {
  Canvas sheet(259, 20);
  cairo_t* cr = sheet.cr();
  button(cr, 0, false);
  button(cr, 20, true);

  // Slider groove: the knob's centre travels from 7 to 199 of the track.
  roundedRect(cr, 43.5, 6.5, 194, 7, 3.5);
  setLinear(cr, 0, 6.5, 0, 13.5, {{0, 0.02, 0.05, 0.1}, {1, 0.12, 0.28, 0.4}});
  cairo_fill_preserve(cr);
  cairo_set_source_rgb(cr, 0.45, 0.75, 0.9);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  for (int i = 0; i <= 8; ++i) {
    const double x = 47.5 + i * 24;
    cairo_move_to(cr, x, 15.5);
    cairo_line_to(cr, x, i % 4 == 0 ? 19 : 17.5);
  }
  cairo_set_source_rgb(cr, 0.5, 0.8, 0.95);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);

  // Knob: a brass grip.
  roundedRect(cr, 245, 0.5, 12, 18, 4);
  setLinear(cr, 245, 0, 257, 0,
            {{0, 0.55, 0.35, 0.08}, {0.35, 1.0, 0.88, 0.45}, {1, 0.5, 0.3, 0.06}});
  cairo_fill_preserve(cr);
  cairo_set_source_rgb(cr, 0.12, 0.08, 0.02);
  cairo_stroke(cr);
  for (double y : {6.5, 9.5, 12.5}) {
    cairo_move_to(cr, 248, y);
    cairo_line_to(cr, 254, y);
  }
  cairo_set_source_rgba(cr, 0.25, 0.15, 0.02, 0.8);
  cairo_stroke(cr);
  return flattenKeyed(sheet);
}

}  // namespace forge
