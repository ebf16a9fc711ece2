#include "art.hpp"
#include "canvas.hpp"
#include "screens.hpp"
#include "sea.hpp"
#include "text.hpp"
#include "words.hpp"

namespace forge {

Picture makeLogo() {
  Canvas canvas(800, 600);
  cairo_t* cr = canvas.cr();
  drawSea(cr, kReef);
  bodyTextIn(cr, Face::Sans, 20, say("HalvoTeam uvádí"), 400, 120, {200, 235, 250}, Align::Centre);
  titleText(cr, "NAUVREL", 400, 250, 130, Align::Centre, Face::SerifBold);
  drawAt(cr, 190, 270, 5.2, [&] { drawSubmarine(cr, 7); });
  for (int i = 0; i < 3; ++i)
    drawAt(cr, 120 + i * 250, 480, 1.6, [&] {
      if (i == 1)
        drawMine(cr);
      else
        drawBarrel(cr);
    });
  bodyTextIn(cr, Face::Sans, 18, say("Stiskněte klávesu nebo klikněte myší"), 400, 575,
             {220, 240, 250}, Align::Centre);
  return canvas.opaque();
}

}  // namespace forge
