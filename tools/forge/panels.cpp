#include <algorithm>
#include <string_view>

#include "art.hpp"
#include "canvas.hpp"
#include "screens.hpp"
#include "sea.hpp"
#include "text.hpp"
#include "words.hpp"

namespace forge {

Picture makeSettings() {
  Canvas canvas(800, 600);
  cairo_t* cr = canvas.cr();
  drawSea(cr, kReef);
  drawPanel(cr, 240, 40, 555, 510, 0.6);
  // The English title is fitted into the room left of the panel.
  double titleSize = 44;
  if (edition() == Edition::English) {
    useFont(cr, Face::SansBold, titleSize);
    titleSize = std::min(titleSize, titleSize * 196 / textWidth(cr, say("NASTAVENÍ")));
  }
  titleText(cr, say("NASTAVENÍ"), 30, 90, titleSize);
  drawAt(cr, 20, 150, 2.6, [&] { drawSubmarine(cr, 11); });

  useFont(cr, Face::SansBold, 15);
  bodyText(cr, say("HUSTOTA BUBLINEK"), 260, 66, {255, 215, 110});
  useFont(cr, Face::Sans, 12);
  bodyText(cr, say("méně"), 596, 78, {160, 200, 220});
  bodyText(cr, say("více"), 786, 78, {160, 200, 220}, Align::Right);
  // Slider tracks stand at x 589 on these heights (their hit areas 20 px tall).
  const struct {
    std::string_view label;
    int y;
  } sliders[] = {
      {"Bublinky za ponorkou", 84},  {"Výbuch ponorky", 140}, {"Bublinky za minou", 195},
      {"Bublinky za torpédem", 252}, {"Výbuch sudu", 308},    {"Plovoucí sudy", 365},
  };
  useFont(cr, Face::Sans, 18);
  for (const auto& s : sliders)
    bodyText(cr, say(s.label), 575, s.y + 16, {225, 240, 250}, Align::Right);
  bodyText(cr, say("Zvukové efekty"), 670, 435, {225, 240, 250}, Align::Right);
  bodyText(cr, say("Hudba z CD"), 649, 524, {225, 240, 250}, Align::Right);
  useFont(cr, Face::Sans, 14);
  bodyText(cr, say("Klikněte na posuvník nebo vypínač.  Esc – zpět do menu"), 400, 585,
           {170, 210, 230}, Align::Centre);
  return canvas.opaque();
}

Picture makeHiScore() {
  Canvas canvas(800, 600);
  cairo_t* cr = canvas.cr();
  drawSea(cr, kWreck);
  titleText(cr, say("TABULKA NEJLEPŠÍCH"), 340, 44, 34, Align::Centre);
  drawPanel(cr, 16, 62, 660, 492, 0.7);
  // Fifteen lines of the bitmap font from y 70, 32 px apart, text from x 30.
  for (int i = 0; i < 15; ++i) {
    if (i % 2 == 0) {
      cairo_rectangle(cr, 22, 70 + 32 * i, 648, 32);
      cairo_set_source_rgba(cr, 0.3, 0.6, 0.9, 0.08);
      cairo_fill(cr);
    }
  }
  drawAt(cr, 690, 120, 1.2, [&] { drawBonusIcon(cr, 4); });
  for (int i = 0; i < 4; ++i) drawAt(cr, 700, 555 - 45 * i, 1.1, [&] { drawBarrel(cr); });
  useFont(cr, Face::Sans, 14);
  bodyText(cr, say("Pokračujte klávesou nebo kliknutím"), 340, 582, {170, 210, 230}, Align::Centre);
  return canvas.opaque();
}

}  // namespace forge
