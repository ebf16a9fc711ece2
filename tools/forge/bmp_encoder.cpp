#include "encoders.hpp"

namespace forge {
namespace {

void put16(Bytes& out, unsigned v) {
  out.push_back(std::uint8_t(v));
  out.push_back(std::uint8_t(v >> 8));
}
void put32(Bytes& out, std::uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}

}  // namespace

Bytes encodeBmp(const Picture& picture) {
  const std::uint32_t rowBytes = (3 * picture.width + 3) & ~3u;
  const std::uint32_t dataSize = rowBytes * picture.height;
  Bytes out;
  out.reserve(54 + dataSize);
  // BITMAPFILEHEADER
  out.push_back('B');
  out.push_back('M');
  put32(out, 54 + dataSize);
  put32(out, 0);
  put32(out, 54);
  // BITMAPINFOHEADER
  put32(out, 40);
  put32(out, picture.width);
  put32(out, picture.height);
  put16(out, 1);
  put16(out, 24);
  put32(out, 0);
  put32(out, dataSize);
  put32(out, 2835);  // 72 dpi
  put32(out, 2835);
  put32(out, 0);
  put32(out, 0);
  for (int y = picture.height - 1; y >= 0; --y) {
    for (int x = 0; x < picture.width; ++x) {
      const Rgb c = picture.at(x, y);
      out.push_back(c.b);
      out.push_back(c.g);
      out.push_back(c.r);
    }
    for (std::uint32_t pad = 3 * picture.width; pad < rowBytes; ++pad) out.push_back(0);
  }
  return out;
}

}  // namespace forge
