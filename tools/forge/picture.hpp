#pragma once

#include <cstdint>
#include <vector>

namespace forge {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// A finished, opaque picture in 8-bit RGB, ready to be written in any format.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<Rgb> pixels;

  Picture() = default;
  Picture(int w, int h, Rgb fill = {}) : width(w), height(h), pixels(std::size_t(w) * h, fill) {}
  Rgb& at(int x, int y) { return pixels[std::size_t(y) * width + x]; }
  const Rgb& at(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
};

// Every keyed sheet uses the same key; nothing drawn is ever this colour.
inline constexpr Rgb kKey{255, 0, 255};

// A picture reduced to 256 colours: indices into its group's palette.
struct IndexedPicture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> indices;
  std::vector<Rgb> palette;  // always 256 entries
};

}  // namespace forge
