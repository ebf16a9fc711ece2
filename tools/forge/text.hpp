#pragma once

#include <cairo.h>

#include <string_view>

#include "picture.hpp"

namespace forge {

enum class Face { Sans, SansBold, Condensed, CondensedBold, MonoBold, SerifBold };

// Selects one of the DejaVu faces (loaded straight from their files) at a pixel size.
void useFont(cairo_t* cr, Face face, double size);

// Width of a UTF-8 text in the current font.
double textWidth(cairo_t* cr, std::string_view text);

enum class Align { Left, Centre, Right };

// Adds the text outline to the current path, its baseline at y.
void textPath(cairo_t* cr, std::string_view text, double x, double y, Align align = Align::Left);

// Plain filled text with a soft dark shadow, the body style of every screen.
void bodyText(cairo_t* cr, std::string_view text, double x, double y, Rgb colour,
              Align align = Align::Left);

// Body text in a face and size of its own; the current font is left as it was.
void bodyTextIn(cairo_t* cr, Face face, double size, std::string_view text, double x, double y,
                Rgb colour, Align align = Align::Left);

// Heading style: gold gradient fill, dark outline and a faint glow.
void titleText(cairo_t* cr, std::string_view text, double x, double y, double size,
               Align align = Align::Left, Face face = Face::SansBold);

}  // namespace forge

namespace forge {

// Body text broken into lines at spaces to fit a width; returns the baseline after the last.
double wrappedText(cairo_t* cr, std::string_view text, double x, double y, double width,
                   double lineHeight, Rgb colour);

}  // namespace forge
