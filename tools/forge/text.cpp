#include "text.hpp"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <array>
#include <stdexcept>
#include <string>

#include "canvas.hpp"

namespace forge {
namespace {

constexpr const char* kFontDir = "/usr/share/fonts/truetype/dejavu/";

// In the order of Face.
constexpr std::array<const char*, 6> kFiles = {
    "DejaVuSans.ttf",          "DejaVuSans-Bold.ttf",
    "DejaVuSansCondensed.ttf", "DejaVuSansCondensed-Bold.ttf",
    "DejaVuSansMono-Bold.ttf", "DejaVuSerif-Bold.ttf",
};

// Faces live for the whole run; the fixed files (not fontconfig) keep the output the same
// on every machine that has the DejaVu package.
cairo_font_face_t* faceFor(Face face) {
  static FT_Library library = [] {
    FT_Library lib;
    if (FT_Init_FreeType(&lib) != 0) throw std::runtime_error("FreeType init failed");
    return lib;
  }();
  static std::array<cairo_font_face_t*, kFiles.size()> faces{};
  cairo_font_face_t*& slot = faces.at(std::size_t(face));
  if (!slot) {
    const std::string path = std::string(kFontDir) + kFiles.at(std::size_t(face));
    FT_Face ft;
    if (FT_New_Face(library, path.c_str(), 0, &ft) != 0)
      throw std::runtime_error("cannot open font " + path);
    slot = cairo_ft_font_face_create_for_ft_face(ft, FT_LOAD_NO_HINTING);
  }
  return slot;
}

void moveFor(cairo_t* cr, std::string_view text, double x, double y, Align align) {
  const double w = textWidth(cr, text);
  if (align == Align::Centre) x -= w / 2;
  if (align == Align::Right) x -= w;
  cairo_move_to(cr, x, y);
}

}  // namespace

void useFont(cairo_t* cr, Face face, double size) {
  cairo_set_font_face(cr, faceFor(face));
  cairo_set_font_size(cr, size);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_set_font_options(cr, options);
  cairo_font_options_destroy(options);
}

double textWidth(cairo_t* cr, std::string_view text) {
  const std::string s(text);
  cairo_text_extents_t extents;
  cairo_text_extents(cr, s.c_str(), &extents);
  return extents.x_advance;
}

void textPath(cairo_t* cr, std::string_view text, double x, double y, Align align) {
  moveFor(cr, text, x, y, align);
  const std::string s(text);
  cairo_text_path(cr, s.c_str());
}

void bodyText(cairo_t* cr, std::string_view text, double x, double y, Rgb colour, Align align) {
  cairo_save(cr);
  cairo_new_path(cr);
  textPath(cr, text, x + 1.5, y + 1.5, align);
  cairo_set_source_rgba(cr, 0, 0.02, 0.08, 0.75);
  cairo_fill(cr);
  textPath(cr, text, x, y, align);
  setRgb(cr, colour);
  cairo_fill(cr);
  cairo_restore(cr);
}

void bodyTextIn(cairo_t* cr, Face face, double size, std::string_view text, double x, double y,
                Rgb colour, Align align) {
  cairo_save(cr);
  useFont(cr, face, size);
  bodyText(cr, text, x, y, colour, align);
  cairo_restore(cr);
}

void titleText(cairo_t* cr, std::string_view text, double x, double y, double size, Align align,
               Face face) {
  cairo_save(cr);
  useFont(cr, face, size);
  cairo_new_path(cr);
  textPath(cr, text, x, y, align);
  cairo_path_t* path = cairo_copy_path(cr);

  // Glow, outline, then the gradient face.
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_source_rgba(cr, 0.3, 0.8, 1.0, 0.18);
  cairo_set_line_width(cr, size * 0.28);
  cairo_stroke_preserve(cr);
  cairo_set_source_rgb(cr, 0.05, 0.07, 0.15);
  cairo_set_line_width(cr, size * 0.12);
  cairo_stroke_preserve(cr);
  setLinear(cr, 0, y - size * 0.75, 0, y,
            {{0.0, 1.0, 0.97, 0.78}, {0.45, 1.0, 0.83, 0.35}, {1.0, 0.85, 0.5, 0.12}});
  cairo_fill(cr);
  cairo_path_destroy(path);
  cairo_restore(cr);
}

}  // namespace forge

namespace forge {

double wrappedText(cairo_t* cr, std::string_view text, double x, double y, double width,
                   double lineHeight, Rgb colour) {
  std::string line;
  std::size_t pos = 0;
  while (pos <= text.size()) {
    std::size_t end = text.find(' ', pos);
    if (end == std::string_view::npos) end = text.size();
    const std::string word(text.substr(pos, end - pos));
    const std::string candidate = line.empty() ? word : line + " " + word;
    if (!line.empty() && textWidth(cr, candidate) > width) {
      bodyText(cr, line, x, y, colour);
      y += lineHeight;
      line = word;
    } else {
      line = candidate;
    }
    pos = end + 1;
  }
  if (!line.empty()) {
    bodyText(cr, line, x, y, colour);
    y += lineHeight;
  }
  return y;
}

}  // namespace forge
