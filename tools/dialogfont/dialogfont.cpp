// Draws the printable ASCII characters of DejaVu Sans into coverage bitmaps and writes
// them as a C++ source file (platform/dialog/font.h declares what it defines).
#include <cairo.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int Height = 18;  // cell height in pixels
constexpr int Baseline = 14;
constexpr double Size = 13.0;

struct Glyph {
  int advance = 0;
  std::vector<unsigned char> coverage;  // advance × Height
};

Glyph Draw(cairo_t* probe, char c) {
  const char text[2] = {c, 0};
  cairo_text_extents_t extents;
  cairo_text_extents(probe, text, &extents);
  Glyph glyph;
  glyph.advance = std::max(1, static_cast<int>(std::lround(extents.x_advance)));
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_A8, glyph.advance, Height);
  cairo_t* cr = cairo_create(surface);
  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, Size);
  cairo_move_to(cr, 0, Baseline);
  cairo_show_text(cr, text);
  cairo_surface_flush(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < Height; ++y)
    for (int x = 0; x < glyph.advance; ++x) glyph.coverage.push_back(data[y * stride + x]);
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
  return glyph;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: dialogfont OUT.cpp\n");
    return 1;
  }
  cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
  cairo_t* probe = cairo_create(scratch);
  cairo_select_font_face(probe, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(probe, Size);

  std::string out =
      "// Drawn by tools/dialogfont from DejaVu Sans.\n#include \"platform/dialog/font.h\"\n\n";
  out += "namespace dlg {\nconst DialogFontGlyph DialogFont[95] = {\n";
  for (char c = 32; c < 127; ++c) {
    const Glyph g = Draw(probe, c);
    out += "    {" + std::to_string(g.advance) + ", \"";
    for (unsigned char v : g.coverage) {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02x", v);
      out += hex;
    }
    out += "\"},\n";
  }
  out += "};\n}  // namespace dlg\n";
  cairo_destroy(probe);
  cairo_surface_destroy(scratch);

  FILE* file = std::fopen(argv[1], "wb");
  if (!file || std::fwrite(out.data(), 1, out.size(), file) != out.size() || std::fclose(file)) {
    std::fprintf(stderr, "dialogfont: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
