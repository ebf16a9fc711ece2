#include <cmath>
#include <string>

#include "art.hpp"
#include "canvas.hpp"
#include "platform/window/cp1250.h"
#include "text.hpp"

namespace forge {
namespace {

char32_t unicodeOf(int code) {
  if (code < 0x20 || code == 0x7F) return 0;
  const char32_t u = win::Cp1250CodePoint(static_cast<unsigned char>(code));
  if (u == 0xFFFD) return 0;    // nothing in the code page
  if (u == 0x00A0) return 0;    // no-break space: blank like a space
  if (u == 0x00AD) return '-';  // soft hyphen shows as a hyphen
  return u;
}

// Ink levels from the dark rim to the face; few colours so that every 8-bit palette that
// shows text can hold them exactly.
const Rgb kRim{6, 10, 34};
const Rgb kFace{255, 246, 214};
constexpr int kLevels = 4;

constexpr double kSize = 21.0;
constexpr double kBaseline = 23.5;

}  // namespace

const std::vector<Rgb>& fontColours() {
  static const std::vector<Rgb> colours = [] {
    std::vector<Rgb> c{kKey};
    for (int level = 0; level <= kLevels; ++level) c.push_back(mix(kRim, kFace, level / 4.0));
    return c;
  }();
  return colours;
}

Picture makeFontSheet() {
  // Coverage of the face and of the face grown by the rim, drawn separately.
  Canvas face(320, 384), rim(320, 384);
  for (Canvas* c : {&face, &rim}) useFont(c->cr(), Face::MonoBold, kSize);
  for (int glyph = 0; glyph < 236; ++glyph) {
    const char32_t u = unicodeOf(glyph + 20);
    if (u == 0) continue;
    std::string text;
    win::AppendUtf8(text, u);
    const double left = 16 * (glyph % 20), top = 32 * (glyph / 20);
    const double x = left + (15 - textWidth(face.cr(), text)) / 2;
    for (Canvas* c : {&face, &rim}) {
      cairo_t* cr = c->cr();
      cairo_save(cr);
      cairo_rectangle(cr, left, top, 15, 31);
      cairo_clip(cr);
      cairo_new_path(cr);
      textPath(cr, text, x, top + kBaseline);
      cairo_set_source_rgb(cr, 1, 1, 1);
      if (c == &rim) {
        cairo_set_line_width(cr, 2.6);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke_preserve(cr);
      }
      cairo_fill(cr);
      cairo_restore(cr);
    }
  }
  const std::vector<Rgb>& colours = fontColours();
  Picture sheet(320, 384, kKey);
  for (int y = 0; y < 384; ++y)
    for (int x = 0; x < 320; ++x) {
      if ((rim.argb(x, y) >> 24) < 110) continue;
      const int coverage = int(face.argb(x, y) >> 24);
      const int level = (coverage * kLevels + 127) / 255;
      sheet.at(x, y) = colours[1 + level];
    }
  return sheet;
}

}  // namespace forge
