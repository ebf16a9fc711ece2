#include <algorithm>
#include <cmath>
#include <vector>

#include "art.hpp"
#include "canvas.hpp"
#include "rng.hpp"

namespace forge {
namespace {

constexpr double kPi = 3.14159265358979323846;

struct Puff {
  double angle, distance, size, delay;
};

// Heat from white through yellow and orange to red, then into grey-blue smoke.
void heatColour(double heat, double& r, double& g, double& b) {
  const double h = std::clamp(heat, 0.0, 1.0);
  if (h > 0.75) {
    const double k = (h - 0.75) / 0.25;
    r = 1.0, g = 0.85 + 0.15 * k, b = 0.35 + 0.6 * k;
  } else if (h > 0.45) {
    const double k = (h - 0.45) / 0.3;
    r = 1.0, g = 0.45 + 0.4 * k, b = 0.05 + 0.3 * k;
  } else if (h > 0.2) {
    const double k = (h - 0.2) / 0.25;
    r = 0.55 + 0.45 * k, g = 0.2 + 0.25 * k, b = 0.12 - 0.07 * k;
  } else {
    const double k = h / 0.2;
    r = 0.28 + 0.27 * k, g = 0.3 - 0.1 * k, b = 0.36 - 0.24 * k;
  }
}

}  // namespace

void drawBlast(cairo_t* cr, const BlastStyle& s, double t) {
  if (t <= 0 || t >= 1) return;
  Rng rng(s.seed);
  const double cx = s.width / 2, cy = s.height / 2;
  std::vector<Puff> puffs(s.puffs);
  for (Puff& p : puffs)
    p = {rng.range(0, 2 * kPi), std::sqrt(rng.unit()), rng.range(0.55, 1.0), rng.range(0, 0.18)};

  cairo_save(cr);
  // Expansion eases out; the underwater blast is squashed a little sideways.
  auto spread = [](double u) { return 1 - std::pow(1 - std::clamp(u, 0.0, 1.0), 2.5); };

  // Flash at the very start.
  if (t < 0.22) {
    const double k = t / 0.22;
    const double radius = s.reach * (0.35 + 0.5 * k);
    setRadial(cr, cx, cy, 0, cx, cy, radius,
              {{0, 1, 1, 0.95, 1}, {0.5, 1, 0.9, 0.5, 0.9}, {1, 1, 0.6, 0.2, 0}});
    cairo_arc(cr, cx, cy, radius, 0, 2 * kPi);
    cairo_fill(cr);
  }

  // Sparks and, for the submarine, hull fragments flung outwards.
  if (t < 0.6) {
    Rng sparks(s.seed * 7 + 1);
    const int count = s.debris ? 14 : 9;
    for (int i = 0; i < count; ++i) {
      const double a = sparks.range(0, 2 * kPi);
      const double v = sparks.range(0.6, 1.1);
      const double d0 = s.reach * spread(t * 1.6) * v;
      const double d1 = d0 * 0.7;
      const double x0 = cx + d0 * std::cos(a), y0 = cy + d0 * std::sin(a) * 0.8;
      const double x1 = cx + d1 * std::cos(a), y1 = cy + d1 * std::sin(a) * 0.8;
      if (s.debris && i % 2 == 0) {
        cairo_save(cr);
        cairo_translate(cr, x0, y0);
        cairo_rotate(cr, a + t * 9);
        cairo_rectangle(cr, -2.5, -1.5, 5, 3);
        cairo_restore(cr);
        cairo_set_source_rgb(cr, 0.75 - 0.4 * t, 0.55 - 0.35 * t, 0.1);
        cairo_fill(cr);
      } else {
        cairo_move_to(cr, x0, y0);
        cairo_line_to(cr, x1, y1);
        cairo_set_source_rgba(cr, 1, 0.95 - t, 0.5 - 0.5 * t, 1);
        cairo_set_line_width(cr, 1.6);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke(cr);
      }
    }
  }

  // Fireball puffs cooling into smoke; late puffs shrink away.
  for (const Puff& p : puffs) {
    const double u = (t - p.delay) / (1 - p.delay);
    if (u <= 0) continue;
    const double d = s.reach * 0.62 * p.distance * spread(u * 1.3);
    const double x = cx + d * std::cos(p.angle);
    const double y = cy + d * std::sin(p.angle) * 0.8 - s.reach * 0.25 * u * u;
    const double grow = std::min(1.0, u * 3.5);
    const double shrink = u > 0.55 ? std::max(0.0, 1 - (u - 0.55) / 0.45) : 1.0;
    const double radius = s.reach * 0.38 * p.size * grow * shrink * (0.8 + 0.4 * u);
    if (radius < 1.2) continue;
    double r, g, b;
    heatColour(1.05 - u * 1.25 - 0.25 * p.distance, r, g, b);
    setRadial(cr, x - radius * 0.3, y - radius * 0.3, radius * 0.1, x, y, radius,
              {{0, std::min(1.0, r + 0.2), std::min(1.0, g + 0.2), std::min(1.0, b + 0.15)},
               {1, r * 0.75, g * 0.75, b * 0.8}});
    cairo_arc(cr, x, y, radius, 0, 2 * kPi);
    cairo_fill(cr);
  }

  // The gas escapes as bubbles that rise out of the smoke.
  if (t > 0.35) {
    Rng bubbles(s.seed * 13 + 5);
    const int count = s.puffs / 2 + 4;
    for (int i = 0; i < count; ++i) {
      const double start = bubbles.range(0.35, 0.7);
      const double x = cx + bubbles.range(-0.6, 0.6) * s.reach;
      const double size = bubbles.range(1.5, 3.4) * s.reach / 20;
      const double u = (t - start) / (1 - start);
      if (u <= 0 || u >= 0.97) continue;
      const double y = cy + s.reach * 0.3 - u * (cy + s.reach * 0.2);
      const double rad = std::max(1.3, size * (1 - 0.3 * u));
      if (y - rad < 0) continue;
      cairo_arc(cr, x + std::sin(u * 8 + i) * 2, y, rad, 0, 2 * kPi);
      cairo_set_source_rgb(cr, 0.7, 0.88, 1.0);
      cairo_set_line_width(cr, std::max(1.0, rad * 0.35));
      cairo_stroke(cr);
    }
  }
  cairo_restore(cr);
}

}  // namespace forge
