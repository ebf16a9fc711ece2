#include "canvas.hpp"

#include <algorithm>
#include <cstring>

namespace forge {
namespace {

constexpr double kPi = 3.14159265358979323846;

}  // namespace

Canvas::Canvas(int width, int height)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      cr_(cairo_create(surface_)) {
  cairo_set_antialias(cr_, CAIRO_ANTIALIAS_GRAY);
}

Canvas::~Canvas() {
  cairo_destroy(cr_);
  cairo_surface_destroy(surface_);
}

void Canvas::paint(const Canvas& source, double x, double y, double alpha) {
  cairo_save(cr_);
  cairo_set_source_surface(cr_, source.surface(), x, y);
  cairo_paint_with_alpha(cr_, alpha);
  cairo_restore(cr_);
}

std::uint32_t Canvas::argb(int x, int y) const {
  cairo_surface_flush(surface_);
  const unsigned char* data = cairo_image_surface_get_data(surface_);
  const int stride = cairo_image_surface_get_stride(surface_);
  std::uint32_t value;
  std::memcpy(&value, data + std::size_t(y) * stride + 4 * std::size_t(x), 4);
  return value;
}

Picture Canvas::opaque() const {
  Picture picture(width_, height_);
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      const std::uint32_t v = argb(x, y);
      picture.at(x, y) = {std::uint8_t(v >> 16), std::uint8_t(v >> 8), std::uint8_t(v)};
    }
  return picture;
}

void paintPicture(cairo_t* cr, const Picture& picture, double x, double y, double scale) {
  cairo_surface_t* image =
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, picture.width, picture.height);
  cairo_surface_flush(image);
  unsigned char* data = cairo_image_surface_get_data(image);
  const int stride = cairo_image_surface_get_stride(image);
  for (int row = 0; row < picture.height; ++row)
    for (int col = 0; col < picture.width; ++col) {
      const Rgb c = picture.at(col, row);
      const std::uint32_t v = 0xFF000000u | (c.r << 16) | (c.g << 8) | c.b;
      std::memcpy(data + std::size_t(row) * stride + 4 * std::size_t(col), &v, 4);
    }
  cairo_surface_mark_dirty(image);
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, scale, scale);
  cairo_set_source_surface(cr, image, 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr),
                           scale < 1.0 ? CAIRO_FILTER_GOOD : CAIRO_FILTER_NEAREST);
  cairo_paint(cr);
  cairo_restore(cr);
  cairo_surface_destroy(image);
}

void setRgb(cairo_t* cr, Rgb c, double alpha) {
  cairo_set_source_rgba(cr, c.r / 255.0, c.g / 255.0, c.b / 255.0, alpha);
}

void polygon(cairo_t* cr, std::initializer_list<Point> corners) {
  bool first = true;
  for (const Point& p : corners) {
    if (first)
      cairo_move_to(cr, p.x, p.y);
    else
      cairo_line_to(cr, p.x, p.y);
    first = false;
  }
  cairo_close_path(cr);
}

void ellipse(cairo_t* cr, double cx, double cy, double rx, double ry) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, rx, ry);
  cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
  cairo_restore(cr);
}

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -kPi / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, kPi / 2);
  cairo_arc(cr, x + r, y + h - r, r, kPi / 2, kPi);
  cairo_arc(cr, x + r, y + r, r, kPi, 1.5 * kPi);
  cairo_close_path(cr);
}

namespace {

void setGradient(cairo_t* cr, cairo_pattern_t* gradient, std::initializer_list<Stop> stops) {
  for (const Stop& s : stops)
    cairo_pattern_add_color_stop_rgba(gradient, s.offset, s.r, s.g, s.b, s.a);
  cairo_set_source(cr, gradient);
  cairo_pattern_destroy(gradient);
}

}  // namespace

void setLinear(cairo_t* cr, double x0, double y0, double x1, double y1,
               std::initializer_list<Stop> stops) {
  setGradient(cr, cairo_pattern_create_linear(x0, y0, x1, y1), stops);
}

void setRadial(cairo_t* cr, double x0, double y0, double r0, double x1, double y1, double r1,
               std::initializer_list<Stop> stops) {
  setGradient(cr, cairo_pattern_create_radial(x0, y0, r0, x1, y1, r1), stops);
}

Rgb mix(Rgb a, Rgb b, double t) {
  auto lerp = [t](int p, int q) {
    return std::uint8_t(std::clamp(int(p + (q - p) * t + 0.5), 0, 255));
  };
  return {lerp(a.r, b.r), lerp(a.g, b.g), lerp(a.b, b.b)};
}

}  // namespace forge
