#include "app_icon.hpp"

#include <cairo-svg.h>
#include <cairo.h>

#include <cmath>
#include <stdexcept>

#include "art.hpp"
#include "canvas.hpp"
#include "screens.hpp"

namespace forge {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kPngSizes[] = {32, 48, 128, 256};

void roundedSquare(cairo_t* cr, double size) {
  const double m = size * 0.04, e = size - m;
  roundedRect(cr, m, m, e - m, e - m, size * 0.18);
}

// Drawn in a 256-unit square scaled to `size`, so every size is the same picture.
void drawIcon(cairo_t* cr, double size) {
  cairo_save(cr);
  cairo_scale(cr, size / 256, size / 256);
  roundedSquare(cr, 256);
  setLinear(cr, 0, 0, 0, 256, {{0, 0.16, 0.52, 0.72}, {1, 0.02, 0.12, 0.28}});
  cairo_fill_preserve(cr);
  cairo_set_source_rgb(cr, 0.01, 0.08, 0.18);
  cairo_set_line_width(cr, 5);
  cairo_stroke(cr);

  // A few bubbles rising behind the submarine.
  const double bubbles[][3] = {{40, 70, 9}, {62, 44, 6}, {34, 36, 4.5}, {200, 200, 7}};
  for (const auto& b : bubbles) {
    cairo_arc(cr, b[0], b[1], b[2], 0, 2 * kPi);
    cairo_set_source_rgba(cr, 0.85, 0.95, 1.0, 0.75);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
  }

  // The submarine's 80 × 40 cell, its hull about 72 units wide, across most of the square.
  cairo_translate(cr, 128, 132);
  cairo_scale(cr, 3.0, 3.0);
  cairo_translate(cr, -41, -19);
  drawSubmarine(cr, 0);
  cairo_restore(cr);
}

void check(cairo_status_t status, const std::string& what) {
  if (status != CAIRO_STATUS_SUCCESS)
    throw std::runtime_error(what + ": " + cairo_status_to_string(status));
}

}  // namespace

void writeAppIcons(const std::filesystem::path& dir, const std::string& id) {
  for (int size : kPngSizes) {
    const std::filesystem::path folder = dir / std::to_string(size);
    std::filesystem::create_directories(folder);
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
    cairo_t* cr = cairo_create(surface);
    drawIcon(cr, size);
    cairo_destroy(cr);
    const std::string file = (folder / (id + ".png")).string();
    const cairo_status_t status = cairo_surface_write_to_png(surface, file.c_str());
    cairo_surface_destroy(surface);
    check(status, file);
  }
  std::filesystem::create_directories(dir);
  const std::string file = (dir / (id + ".svg")).string();
  cairo_surface_t* svg = cairo_svg_surface_create(file.c_str(), 256, 256);
  cairo_svg_surface_set_document_unit(svg, CAIRO_SVG_UNIT_PX);
  cairo_t* cr = cairo_create(svg);
  drawIcon(cr, 256);
  cairo_destroy(cr);
  cairo_surface_finish(svg);
  const cairo_status_t status = cairo_surface_status(svg);
  cairo_surface_destroy(svg);
  check(status, file);
}

void writeScreenshot(const std::filesystem::path& file) {
  const Picture menu = makeMenu(false);
  Canvas canvas(menu.width, menu.height);
  paintPicture(canvas.cr(), menu, 0, 0);
  cairo_surface_flush(canvas.surface());
  check(cairo_surface_write_to_png(canvas.surface(), file.string().c_str()), file.string());
}

}  // namespace forge
