#pragma once
// Reads members of the built archive and decodes its pictures the way the game does.
#include <cstdint>
#include <string>
#include <vector>

struct Rgb8 {
  uint8_t r, g, b;
  bool operator==(const Rgb8&) const = default;
};

struct Decoded {
  int width = 0;
  int height = 0;
  std::vector<Rgb8> pixels;
  const Rgb8& at(int x, int y) const { return pixels[size_t(y) * width + x]; }
};

// The bytes of one member of build/Nauvrel.spl; empty when it is missing.
std::vector<uint8_t> ArchiveMember(const std::string& path);

// Decoded by the game's picture loader; width 0 when it refuses the bytes.
Decoded DecodePicture(const std::vector<uint8_t>& bytes);

// The global colour table of a GIF member: its 256 entries; empty when it has none.
std::vector<Rgb8> GifPalette(const std::string& path);
