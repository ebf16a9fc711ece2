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
void tag(Bytes& out, const char* fourcc) { out.insert(out.end(), fourcc, fourcc + 4); }

}  // namespace

Bytes encodeWav(std::span<const std::int16_t> samples, int rate) {
  const std::uint32_t dataSize = std::uint32_t(samples.size() * 2);
  Bytes out;
  out.reserve(44 + dataSize);
  tag(out, "RIFF");
  put32(out, 36 + dataSize);
  tag(out, "WAVE");
  tag(out, "fmt ");
  put32(out, 16);
  put16(out, 1);  // PCM
  put16(out, 1);  // mono
  put32(out, rate);
  put32(out, rate * 2);
  put16(out, 2);
  put16(out, 16);
  tag(out, "data");
  put32(out, dataSize);
  for (std::int16_t s : samples) put16(out, std::uint16_t(s));
  return out;
}

}  // namespace forge
