// The score, right-aligned in the top right corner.
#include <cstdint>

#include "screens/blit.h"
#include "screens/display.h"

bool sysDisplayScore(int32_t score) {
  if (score < 0) return true;
  int32_t x = 750;
  do {
    const int32_t digit = score % 10;
    const dd::RECT source{40 * digit, 0, 40 * digit + 39, 39};
    if (!BackBlt(x, 10, Video.ddsDigits.get(), &source, SpriteFlags,
                 "sysDisplayScore: BltFast: ddsDigits"))
      return false;
    x -= 40;
    score /= 10;
  } while (score > 0);
  return true;
}
