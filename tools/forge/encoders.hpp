#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "picture.hpp"

namespace forge {

using Bytes = std::vector<std::uint8_t>;

// 24-bit bottom-up Windows bitmap.
Bytes encodeBmp(const Picture& picture);

// Baseline JPEG without chroma subsampling, so that small text stays crisp.
Bytes encodeJpeg(const Picture& picture, int quality);

// GIF89a with one image and a 256-entry global colour table.
Bytes encodeGif(const IndexedPicture& picture);

// RIFF WAVE, 16-bit PCM, one channel.
Bytes encodeWav(std::span<const std::int16_t> samples, int rate);

}  // namespace forge
