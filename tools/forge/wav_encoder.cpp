#include "encoders.hpp"

namespace forge {

Bytes encodeWav(std::span<const std::int16_t> samples, int rate) {
  const std::uint32_t dataSize = std::uint32_t(samples.size() * 2);
  Bytes out;
  out.reserve(44 + dataSize);
  putText(out, "RIFF");
  put32(out, 36 + dataSize);
  putText(out, "WAVE");
  putText(out, "fmt ");
  put32(out, 16);
  put16(out, 1);  // PCM
  put16(out, 1);  // mono
  put32(out, rate);
  put32(out, rate * 2);
  put16(out, 2);
  put16(out, 16);
  putText(out, "data");
  put32(out, dataSize);
  for (std::int16_t s : samples) put16(out, std::uint16_t(s));
  return out;
}

}  // namespace forge
