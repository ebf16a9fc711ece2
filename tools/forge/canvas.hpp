#pragma once

#include <cairo.h>

#include <initializer_list>

#include "picture.hpp"

namespace forge {

// An ARGB drawing surface with its cairo context; everything is drawn on one of these.
class Canvas {
 public:
  Canvas(int width, int height);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  cairo_t* cr() const { return cr_; }
  cairo_surface_t* surface() const { return surface_; }
  int width() const { return width_; }
  int height() const { return height_; }

  // Paints another canvas (or part of it) at x, y.
  void paint(const Canvas& source, double x, double y, double alpha = 1.0);

  // The picture composited over black (for pictures that are fully opaque anyway).
  Picture opaque() const;

  // Premultiplied ARGB of one pixel; the surface is flushed first.
  std::uint32_t argb(int x, int y) const;

 private:
  int width_;
  int height_;
  cairo_surface_t* surface_;
  cairo_t* cr_;
};

// A picture as an opaque canvas, e.g. to compose it into a larger one.
void paintPicture(cairo_t* cr, const Picture& picture, double x, double y, double scale = 1.0);

void setRgb(cairo_t* cr, Rgb c, double alpha = 1.0);
Rgb mix(Rgb a, Rgb b, double t);

// Runs draw with the origin moved to x, y and everything scaled, then restores the state.
template <typename Draw>
void drawAt(cairo_t* cr, double x, double y, double scale, Draw draw) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, scale, scale);
  draw();
  cairo_restore(cr);
}

struct Point {
  double x, y;
};

// Adds a closed outline through the corners to the path.
void polygon(cairo_t* cr, std::initializer_list<Point> corners);

// Adds an ellipse centred on cx, cy with radii rx, ry to the path.
void ellipse(cairo_t* cr, double cx, double cy, double rx, double ry);

// Adds a rectangle with rounded corners of radius r to the path.
void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r);

// One colour stop of a gradient: its offset along it and cairo's 0..1 channels.
struct Stop {
  double offset, r, g, b, a = 1.0;
};

// Sets a gradient through the stops as the source; the context keeps it alive.
void setLinear(cairo_t* cr, double x0, double y0, double x1, double y1,
               std::initializer_list<Stop> stops);
void setRadial(cairo_t* cr, double x0, double y0, double r0, double x1, double y1, double r1,
               std::initializer_list<Stop> stops);

}  // namespace forge
