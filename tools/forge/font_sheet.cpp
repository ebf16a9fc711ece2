#include <cmath>
#include <string>

#include "art.hpp"
#include "canvas.hpp"
#include "text.hpp"

namespace forge {
namespace {

// Unicode of the Windows-1250 bytes 0x80 to 0xFF; 0 where the code page defines nothing.
constexpr char32_t kUpperHalf[128] = {
    0x20AC, 0,      0x201A, 0,      0x201E, 0x2026, 0x2020, 0x2021, 0,      0x2030, 0x0160, 0x2039,
    0x015A, 0x0164, 0x017D, 0x0179, 0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0,      0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141,
    0x00A4, 0x0104, 0x00A6, 0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB,
    0x013D, 0x02DD, 0x013E, 0x017C, 0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3,
    0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, 0x010D, 0x00E9, 0x0119, 0x00EB,
    0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

char32_t unicodeOf(int code) {
  if (code < 0x20 || code == 0x7F) return 0;
  if (code < 0x80) return char32_t(code);
  const char32_t u = kUpperHalf[code - 0x80];
  if (u == 0x00A0) return 0;    // no-break space: blank like a space
  if (u == 0x00AD) return '-';  // soft hyphen shows as a hyphen
  return u;
}

std::string utf8(char32_t u) {
  std::string s;
  if (u < 0x80) {
    s += char(u);
  } else if (u < 0x800) {
    s += char(0xC0 | (u >> 6));
    s += char(0x80 | (u & 0x3F));
  } else {
    s += char(0xE0 | (u >> 12));
    s += char(0x80 | ((u >> 6) & 0x3F));
    s += char(0x80 | (u & 0x3F));
  }
  return s;
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
    const std::string text = utf8(u);
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
