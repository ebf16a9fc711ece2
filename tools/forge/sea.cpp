#include "sea.hpp"

#include <cmath>

#include "canvas.hpp"
#include "rng.hpp"

namespace forge {
namespace {

constexpr double kPi = 3.14159265358979323846;

void water(cairo_t* cr, const SeaStyle& s) {
  setLinear(cr, 0, 0, 0, 600,
            {{0, s.top[0], s.top[1], s.top[2]}, {1, s.bottom[0], s.bottom[1], s.bottom[2]}});
  cairo_paint(cr);
}

void lightRays(cairo_t* cr, Rng& rng) {
  for (int i = 0; i < 7; ++i) {
    const double x = rng.range(-50, 850), w = rng.range(25, 70), lean = rng.range(80, 220);
    polygon(cr, {{x, 0}, {x + w, 0}, {x + w + lean + w * 2, 600}, {x + lean, 600}});
    setLinear(cr, 0, 0, 0, 600, {{0, 0.75, 0.95, 1, rng.range(0.05, 0.1)}, {1, 0.75, 0.95, 1, 0}});
    cairo_fill(cr);
  }
}

void surface(cairo_t* cr, Rng& rng) {
  // Shimmering caustic streaks just under the surface.
  for (int i = 0; i < 60; ++i) {
    const double x = rng.range(0, 800), y = rng.range(2, 24), w = rng.range(10, 40);
    cairo_move_to(cr, x, y);
    cairo_curve_to(cr, x + w / 3, y - 3, x + 2 * w / 3, y + 3, x + w, y);
    cairo_set_source_rgba(cr, 0.85, 1, 1, rng.range(0.1, 0.3));
    cairo_set_line_width(cr, rng.range(1, 2.5));
    cairo_stroke(cr);
  }
}

void wreck(cairo_t* cr) {
  cairo_save(cr);
  polygon(cr, {{150, 520}, {200, 420}, {560, 380}, {660, 330}, {650, 470}, {600, 560}});
  cairo_rectangle(cr, 330, 300, 70, 100);
  cairo_rectangle(cr, 440, 250, 14, 140);
  cairo_move_to(cr, 447, 250);
  cairo_line_to(cr, 560, 360);
  cairo_set_line_width(cr, 3);
  cairo_set_source_rgba(cr, 0.02, 0.08, 0.12, 0.35);
  cairo_stroke_preserve(cr);
  cairo_fill(cr);
  for (int i = 0; i < 6; ++i) {
    cairo_arc(cr, 250 + i * 55, 450 - i * 8, 7, 0, 2 * kPi);
    cairo_set_source_rgba(cr, 0.2, 0.45, 0.5, 0.18);
    cairo_fill(cr);
  }
  cairo_restore(cr);
}

void rock(cairo_t* cr, Rng& rng, double cx, double base, double w, double h) {
  cairo_move_to(cr, cx - w / 2, base);
  const int n = 7;
  for (int i = 0; i <= n; ++i) {
    const double a = kPi - kPi * i / n;
    const double r = rng.range(0.75, 1.0);
    cairo_line_to(cr, cx + w / 2 * std::cos(a) * r, base - h * std::sin(a) * r);
  }
  cairo_close_path(cr);
  setLinear(cr, cx - w / 2, base - h, cx + w / 2, base,
            {{0, 0.18, 0.3, 0.36}, {1, 0.04, 0.09, 0.14}});
  cairo_fill(cr);
}

void seaweed(cairo_t* cr, Rng& rng, double x, double base, double height) {
  const double sway = rng.range(-25, 25);
  const double g = rng.range(0.45, 0.65);
  cairo_move_to(cr, x - 3, base);
  cairo_curve_to(cr, x - 15, base - height * 0.35, x + sway + 12, base - height * 0.65,
                 x + sway * 0.6, base - height);
  cairo_curve_to(cr, x + sway + 18, base - height * 0.65, x - 8, base - height * 0.35, x + 4, base);
  cairo_close_path(cr);
  setLinear(cr, 0, base, 0, base - height, {{0, 0.05, 0.2 * g + 0.1, 0.12}, {1, 0.2, g, 0.3}});
  cairo_fill(cr);
}

void seabed(cairo_t* cr, Rng& rng) {
  cairo_move_to(cr, 0, 590);
  for (int x = 0; x <= 800; x += 40) cairo_line_to(cr, x, 586 + rng.range(-3, 3));
  cairo_line_to(cr, 800, 600);
  cairo_line_to(cr, 0, 600);
  cairo_close_path(cr);
  setLinear(cr, 0, 584, 0, 600, {{0, 0.62, 0.58, 0.42}, {1, 0.3, 0.3, 0.24}});
  cairo_fill(cr);
}

void motes(cairo_t* cr, Rng& rng) {
  for (int i = 0; i < 140; ++i) {
    cairo_arc(cr, rng.range(0, 800), rng.range(0, 600), rng.range(0.4, 1.3), 0, 2 * kPi);
    cairo_set_source_rgba(cr, 0.8, 0.95, 1, rng.range(0.1, 0.35));
    cairo_fill(cr);
  }
}

}  // namespace

const SeaStyle kShallows{{0.16, 0.55, 0.66}, {0.02, 0.14, 0.24}, 11, 14, false, false};
const SeaStyle kReef{{0.08, 0.36, 0.58}, {0.01, 0.07, 0.2}, 23, 8, true, false};
const SeaStyle kWreck{{0.07, 0.3, 0.36}, {0.0, 0.05, 0.1}, 37, 6, true, true};
const SeaStyle kMenuSea{{0.1, 0.42, 0.6}, {0.01, 0.06, 0.16}, 51, 10, true, false};

void drawSea(cairo_t* cr, const SeaStyle& s) {
  Rng rng(s.seed);
  cairo_save(cr);
  water(cr, s);
  lightRays(cr, rng);
  if (s.wreck) wreck(cr);
  surface(cr, rng);
  if (s.rocks) {
    for (int i = 0; i < 4; ++i)
      rock(cr, rng, rng.range(-20, 50), 600, rng.range(60, 110), rng.range(80, 260));
    for (int i = 0; i < 4; ++i)
      rock(cr, rng, rng.range(750, 820), 600, rng.range(60, 110), rng.range(80, 260));
  }
  for (int i = 0; i < s.weeds; ++i) {
    const bool left = i % 2 == 0;
    const double x = left ? rng.range(2, 38) : rng.range(762, 798);
    seaweed(cr, rng, x, 600, rng.range(90, 330));
  }
  seabed(cr, rng);
  motes(cr, rng);
  cairo_restore(cr);
}

void drawPanel(cairo_t* cr, double x, double y, double w, double h, double alpha) {
  cairo_save(cr);
  roundedRect(cr, x, y, w, h, 10);
  cairo_set_source_rgba(cr, 0.0, 0.04, 0.12, alpha);
  cairo_fill_preserve(cr);
  cairo_set_source_rgba(cr, 0.55, 0.85, 1.0, 0.45);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  cairo_restore(cr);
}

}  // namespace forge
