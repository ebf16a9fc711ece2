#include <string_view>

#include "art.hpp"
#include "canvas.hpp"
#include "screens.hpp"
#include "sea.hpp"
#include "text.hpp"
#include "words.hpp"

namespace forge {
namespace {

struct Item {
  std::string_view label;
  int left, top, right, bottom;  // the item's highlight rectangle on screen (exclusive)
};

// Top to bottom as on screen; the rectangles are those the game copies from MenuSel.
constexpr Item kItems[] = {
    {"NOVÁ HRA", 597, 21, 784, 50},    {"POKRAČOVAT", 554, 65, 784, 93},
    {"NASTAVENÍ", 574, 109, 782, 137}, {"NEJLEPŠÍ", 598, 153, 783, 181},
    {"NÁVOD", 689, 197, 783, 232},     {"KONEC", 666, 241, 783, 269},
};

void item(cairo_t* cr, const Item& it, bool highlighted) {
  const double h = it.bottom - it.top;
  if (highlighted) {
    cairo_rectangle(cr, it.left + 1, it.top + 1, it.right - it.left - 2, h - 2);
    setLinear(cr, it.left, 0, it.right, 0,
              {{0, 0.3, 0.8, 1.0, 0.0}, {0.5, 0.3, 0.8, 1.0, 0.3}, {1, 0.3, 0.8, 1.0, 0.45}});
    cairo_fill(cr);
  }
  const double baseline = it.top + (h + 15.5) / 2;
  if (highlighted) {
    titleText(cr, say(it.label), it.right - 6, baseline, 22, Align::Right, Face::SansBold);
  } else {
    bodyTextIn(cr, Face::SansBold, 22, say(it.label), it.right - 6, baseline, {190, 225, 240},
               Align::Right);
  }
}

}  // namespace

Picture makeMenu(bool highlighted) {
  Canvas canvas(800, 600);
  cairo_t* cr = canvas.cr();
  drawSea(cr, kMenuSea);
  drawPanel(cr, 545, 10, 248, 272);
  for (const Item& it : kItems) item(cr, it, highlighted);

  // The title and the hero on the left.
  titleText(cr, "NAUVREL", 40, 140, 92, Align::Left, Face::SerifBold);
  bodyTextIn(cr, Face::Sans, 18, say("ponorka proti sudům"), 48, 175, {200, 235, 250});
  drawAt(cr, 60, 250, 5.2, [&] { drawSubmarine(cr, 3); });
  for (int col = 0; col < 5; ++col)
    for (int row = 0; row < 1 + (col * 7) % 4; ++row)
      drawAt(cr, 140 + col * 80, 520 - row * 80, 2, [&] { drawBarrel(cr); });
  bodyTextIn(cr, Face::Sans, 12, "© HalvoTeam", 790, 590, {140, 180, 200}, Align::Right);
  return canvas.opaque();
}

Picture makeMenuSel() {
  const Picture full = makeMenu(true);
  Picture sel(250, 280);
  for (int y = 0; y < 280; ++y)
    for (int x = 0; x < 250; ++x) sel.at(x, y) = full.at(550 + x, y);
  return sel;
}

}  // namespace forge
