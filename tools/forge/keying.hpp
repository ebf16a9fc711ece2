#pragma once

#include "canvas.hpp"
#include "picture.hpp"

namespace forge {

// Turns a sprite sheet drawn on transparency into a keyed picture: weak pixels become the
// key, the rest are composited over the water colour so that their edges blend into the
// sea rather than into magenta, and no kept pixel is left close to the key.
Picture flattenKeyed(const Canvas& sheet, Rgb matte = {14, 34, 62}, int threshold = 120);

// True when a colour is too close to the key to survive quantisation and keying unharmed.
bool nearKey(Rgb c);

}  // namespace forge
