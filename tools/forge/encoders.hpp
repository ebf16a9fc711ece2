#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "picture.hpp"

namespace forge {

using Bytes = std::vector<std::uint8_t>;

// Little-endian fields, as every format here stores them.
inline void put16(Bytes& out, unsigned v) {
  out.push_back(std::uint8_t(v));
  out.push_back(std::uint8_t(v >> 8));
}
inline void put32(Bytes& out, std::uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}
// Characters of a signature or chunk name, without their terminator.
inline void putText(Bytes& out, const char* text) {
  while (*text) out.push_back(std::uint8_t(*text++));
}

// 24-bit bottom-up Windows bitmap.
Bytes encodeBmp(const Picture& picture);

// Baseline JPEG without chroma subsampling, so that small text stays crisp.
Bytes encodeJpeg(const Picture& picture, int quality);

// GIF89a with one image and a 256-entry global colour table.
Bytes encodeGif(const IndexedPicture& picture);

// RIFF WAVE, 16-bit PCM, one channel.
Bytes encodeWav(std::span<const std::int16_t> samples, int rate);

}  // namespace forge
