#include "contact_sheet.hpp"

#include <algorithm>
#include <string>

#include "canvas.hpp"
#include "text.hpp"

namespace forge {
namespace {

constexpr int kWidth = 1640;
constexpr int kLabel = 20;
constexpr int kGap = 12;

double scaleFor(const Picture& p) {
  if (p.width >= 800) return p.width == 800 && p.height == 600 ? 0.5 : 1.0;
  return p.width <= 320 ? 2.0 : 1.0;
}

}  // namespace

void writeContactSheet(const std::vector<Exhibit>& exhibits, const std::string& file) {
  // Flow layout: measure first, then draw.
  struct Place {
    double x, y, scale;
  };
  std::vector<Place> places;
  double x = kGap, y = kGap, rowHeight = 0;
  for (const Exhibit& e : exhibits) {
    const double s = scaleFor(e.picture);
    const double w = e.picture.width * s, h = e.picture.height * s + kLabel;
    if (x + w > kWidth - kGap) {
      x = kGap;
      y += rowHeight + kGap;
      rowHeight = 0;
    }
    places.push_back({x, y, s});
    x += std::max(w, 220.0) + kGap;
    rowHeight = std::max(rowHeight, h);
  }
  Canvas canvas(kWidth, int(y + rowHeight + kGap));
  cairo_t* cr = canvas.cr();
  cairo_set_source_rgb(cr, 0.16, 0.17, 0.19);
  cairo_paint(cr);
  for (std::size_t i = 0; i < exhibits.size(); ++i) {
    const Exhibit& e = exhibits[i];
    const Place& p = places[i];
    useFont(cr, Face::Condensed, 13);
    const std::string caption =
        e.path + "  " + std::to_string(e.picture.width) + " × " + std::to_string(e.picture.height);
    cairo_move_to(cr, p.x, p.y + 14);
    cairo_set_source_rgb(cr, 0.9, 0.92, 0.95);
    cairo_show_text(cr, caption.c_str());
    paintPicture(cr, e.picture, p.x, p.y + kLabel, p.scale);
  }
  cairo_surface_write_to_png(canvas.surface(), file.c_str());
}

}  // namespace forge
