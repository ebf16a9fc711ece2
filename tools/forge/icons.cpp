#include <cmath>

#include "art.hpp"
#include "canvas.hpp"
#include "text.hpp"

namespace forge {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kCx = 19.5, kCy = 19.5, kR = 17.0;

// A glass token: coloured sphere, dark rim, gloss on top.
void orb(cairo_t* cr, Rgb base) {
  cairo_arc(cr, kCx, kCy, kR, 0, 2 * kPi);
  const Rgb light = mix(base, {255, 255, 255}, 0.45), dark = mix(base, {0, 0, 0}, 0.55);
  auto stop = [](double offset, Rgb c) {
    return Stop{offset, c.r / 255.0, c.g / 255.0, c.b / 255.0};
  };
  setRadial(cr, kCx - 5, kCy - 6, 2, kCx, kCy, kR,
            {stop(0, light), stop(0.6, base), stop(1, dark)});
  cairo_fill_preserve(cr);
  cairo_set_source_rgb(cr, 0.04, 0.06, 0.1);
  cairo_set_line_width(cr, 1.3);
  cairo_stroke(cr);
}

void gloss(cairo_t* cr) {
  ellipse(cr, kCx - 1, kCy - 10, 10, 4.2);
  setLinear(cr, 0, kCy - 14, 0, kCy - 6, {{0, 1, 1, 1, 0.75}, {1, 1, 1, 1, 0.05}});
  cairo_fill(cr);
}

// Strokes the path with the symbols' dark edge, then fills it.
void edged(cairo_t* cr, double width, double r, double g, double b) {
  cairo_set_source_rgb(cr, 0.05, 0.07, 0.12);
  cairo_set_line_width(cr, width);
  cairo_stroke_preserve(cr);
  cairo_set_source_rgb(cr, r, g, b);
  cairo_fill(cr);
}

// Symbols are white with a dark edge so that they read on every token colour.
void ink(cairo_t* cr) {
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  edged(cr, 2.4, 1, 1, 1);
}

void chevron(cairo_t* cr, double x, double dir) {
  polygon(cr, {{x - 4 * dir, 11},
               {x + 5 * dir, 19.5},
               {x - 4 * dir, 28},
               {x - 4 * dir, 23},
               {x + 0.5 * dir, 19.5},
               {x - 4 * dir, 16}});
}

void chevrons(cairo_t* cr) {
  chevron(cr, 14, 1);
  chevron(cr, 24, 1);
}

void arrow(cairo_t* cr, double dir) {
  // dir -1 up, +1 down.
  polygon(cr, {{kCx, kCy + 11 * dir},
               {kCx + 9, kCy + 1 * dir},
               {kCx + 3.5, kCy + 1 * dir},
               {kCx + 3.5, kCy - 10 * dir},
               {kCx - 3.5, kCy - 10 * dir},
               {kCx - 3.5, kCy + 1 * dir},
               {kCx - 9, kCy + 1 * dir}});
}

void label(cairo_t* cr, const char* text, double size, double dy = 0) {
  useFont(cr, Face::SansBold, size);
  textPath(cr, text, kCx + 0.5, kCy + size * 0.36 + dy, Align::Centre);
}

void snail(cairo_t* cr) {
  // Body with eye stalks, then the shell with its spiral.
  cairo_move_to(cr, 7, 27);
  cairo_curve_to(cr, 12, 29, 27, 29, 31, 27);
  cairo_curve_to(cr, 33, 25, 33, 21, 30, 20);
  cairo_line_to(cr, 31, 14);
  cairo_line_to(cr, 29.5, 14);
  cairo_line_to(cr, 28.4, 19.6);
  cairo_line_to(cr, 27, 13.5);
  cairo_line_to(cr, 25.5, 14);
  cairo_line_to(cr, 26.5, 21);
  cairo_curve_to(cr, 22, 24, 12, 24, 7, 27);
  cairo_close_path(cr);
  ink(cr);
  cairo_arc(cr, 16.5, 18.5, 7.8, 0, 2 * kPi);
  edged(cr, 2.4, 0.98, 0.9, 0.6);
  cairo_new_path(cr);
  for (int i = 0; i <= 40; ++i) {
    const double a = i * 0.42;
    const double r = 6.5 * (1 - i / 44.0);
    const double x = 16.5 + r * std::cos(-a), y = 18.5 + r * std::sin(-a);
    if (i == 0)
      cairo_move_to(cr, x, y);
    else
      cairo_line_to(cr, x, y);
  }
  cairo_set_source_rgb(cr, 0.45, 0.3, 0.1);
  cairo_set_line_width(cr, 1.3);
  cairo_stroke(cr);
}

void blastBarrel(cairo_t* cr) {
  cairo_new_path(cr);
  for (int i = 0; i < 24; ++i) {
    const double a = i * kPi / 12;
    const double r = (i % 2) ? 8.0 : 15.5;
    const double x = kCx + r * std::cos(a), y = kCy + r * std::sin(a);
    if (i == 0)
      cairo_move_to(cr, x, y);
    else
      cairo_line_to(cr, x, y);
  }
  cairo_close_path(cr);
  edged(cr, 1.6, 1.0, 0.9, 0.3);
  cairo_save(cr);
  cairo_translate(cr, kCx - 9.8, kCy - 11);
  cairo_scale(cr, 0.52, 0.56);
  drawBarrel(cr);
  cairo_restore(cr);
  // Small arrows: every barrel goes up.
  for (double x : {6.0, 33.0}) {
    polygon(cr, {{x, 9}, {x + 3.5, 14}, {x - 3.5, 14}});
    ink(cr);
  }
}

void restartArrow(cairo_t* cr) {
  cairo_new_path(cr);
  cairo_arc(cr, kCx, kCy + 1, 10.5, kPi * 1.75, kPi * 1.45 + 2 * kPi);
  cairo_arc_negative(cr, kCx, kCy + 1, 5.5, kPi * 1.45 + 2 * kPi, kPi * 1.75);
  cairo_close_path(cr);
  ink(cr);
  // Arrowhead at the open end, pointing clockwise.
  const double a = kPi * 1.75;
  const double x = kCx + 8 * std::cos(a), y = kCy + 1 + 8 * std::sin(a);
  polygon(cr, {{x + 7, y + 3}, {x - 4, y - 6}, {x - 4.5, y + 6.5}});
  ink(cr);
}

void skull(cairo_t* cr) {
  cairo_new_path(cr);
  cairo_arc(cr, kCx, kCy - 2, 10, kPi * 0.8, kPi * 2.2);
  cairo_line_to(cr, kCx + 6.5, kCy + 9);
  cairo_line_to(cr, kCx - 6.5, kCy + 9);
  cairo_close_path(cr);
  ink(cr);
  cairo_set_source_rgb(cr, 0.1, 0.05, 0.12);
  cairo_arc(cr, kCx - 4.3, kCy - 1.5, 3.0, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_arc(cr, kCx + 4.3, kCy - 1.5, 3.0, 0, 2 * kPi);
  cairo_fill(cr);
  polygon(cr, {{kCx, kCy + 2}, {kCx + 1.8, kCy + 5}, {kCx - 1.8, kCy + 5}});
  cairo_fill(cr);
  for (double x : {-3.6, 0.0, 3.6}) {
    cairo_rectangle(cr, kCx + x - 0.6, kCy + 6.5, 1.2, 3);
    cairo_fill(cr);
  }
}

// Each token: its colour, whether it has the gloss, its symbol and whether the symbol
// is left as a path for ink() or draws itself. In the order of the bonus sheet: faster,
// slower, up a row, down a row, double score, points, minus, every barrel up, level again,
// death.
struct Token {
  Rgb base;
  bool glossy;
  void (*symbol)(cairo_t*);
  bool inked;
};

const Token kTokens[kBonusCount] = {
    {{235, 120, 20}, true, chevrons, true},
    {{40, 150, 120}, true, snail, false},
    {{30, 150, 215}, true, [](cairo_t* cr) { arrow(cr, -1); }, true},
    {{120, 70, 200}, true, [](cairo_t* cr) { arrow(cr, 1); }, true},
    {{230, 180, 30}, true, [](cairo_t* cr) { label(cr, "×2", 17); }, true},
    {{60, 175, 50}, true, [](cairo_t* cr) { label(cr, "+", 30, 1); }, true},
    {{205, 35, 30}, true, [](cairo_t* cr) { label(cr, "−", 30, 1); }, true},
    {{215, 75, 20}, false, blastBarrel, false},
    {{40, 95, 190}, true, restartArrow, false},
    {{45, 35, 55}, true, skull, false},
};

}  // namespace

void drawBonusIcon(cairo_t* cr, int slot) {
  if (slot < 0 || slot >= kBonusCount) return;
  const Token& token = kTokens[slot];
  cairo_save(cr);
  cairo_new_path(cr);
  orb(cr, token.base);
  if (token.glossy) gloss(cr);
  token.symbol(cr);
  if (token.inked) ink(cr);
  cairo_restore(cr);
}

}  // namespace forge
