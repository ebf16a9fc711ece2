#include "keying.hpp"

#include <algorithm>
#include <cstdlib>

namespace forge {

bool nearKey(Rgb c) {
  return std::abs(c.r - kKey.r) + std::abs(c.g - kKey.g) + std::abs(c.b - kKey.b) < 160;
}

Picture flattenKeyed(const Canvas& sheet, Rgb matte, int threshold) {
  Picture out(sheet.width(), sheet.height(), kKey);
  for (int y = 0; y < sheet.height(); ++y)
    for (int x = 0; x < sheet.width(); ++x) {
      const std::uint32_t v = sheet.argb(x, y);
      const int a = int(v >> 24);
      if (a < threshold) continue;
      // Premultiplied colour plus the matte showing through the rest.
      auto over = [&](int premultiplied, int m) {
        return std::uint8_t(std::min(255, premultiplied + (m * (255 - a) + 127) / 255));
      };
      Rgb c{over(int(v >> 16) & 255, matte.r), over(int(v >> 8) & 255, matte.g),
            over(int(v) & 255, matte.b)};
      if (nearKey(c)) c.g = std::uint8_t(std::min(255, c.g + 90));
      out.at(x, y) = c;
    }
  // The top-left pixel defines the key of the surface.
  out.at(0, 0) = kKey;
  return out;
}

}  // namespace forge
