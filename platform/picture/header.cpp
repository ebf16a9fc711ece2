// Decoders allocate the whole picture from the size its header claims; a few bytes can
// claim gigabytes. Reading that size first lets the loader refuse such a file unread.
#include "platform/picture/header.h"

#include <algorithm>
#include <cstdlib>

namespace pic {

namespace {

uint32_t Little(std::span<const uint8_t> b, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | b[at + i];
  return v;
}

uint32_t Big16(std::span<const uint8_t> b, size_t at) { return (uint32_t{b[at]} << 8) | b[at + 1]; }

std::optional<ClaimedSize> BmpSize(std::span<const uint8_t> b) {
  if (b.size() < 18) return std::nullopt;
  if (Little(b, 14, 4) == 12) {  // the old core header: 16-bit sides
    if (b.size() < 22) return std::nullopt;
    return ClaimedSize{Little(b, 18, 2), Little(b, 20, 2)};
  }
  if (b.size() < 26) return std::nullopt;
  // Negative height: rows from the top.
  const auto side = [&](size_t at) {
    return std::abs(int64_t{static_cast<int32_t>(Little(b, at, 4))});
  };
  return ClaimedSize{side(18), side(22)};
}

// A GIF must be laid out block after block as the format has it. The decoder passes over
// stray bytes, reads on past an image it cannot decode and mishandles some such files
// badly enough to free memory it never allocated; a GIF it would have to guess about is
// refused here instead.
std::optional<ClaimedSize> GifSize(std::span<const uint8_t> b) {
  if (b.size() < 13 || (b[4] != '7' && b[4] != '9') || b[5] != 'a') return std::nullopt;
  ClaimedSize size{Little(b, 6, 2), Little(b, 8, 2)};
  size_t at = 13;
  if (b[10] & 0x80) at += 3u << ((b[10] & 7) + 1);  // the global colour table
  // Extensions and images' data are sub-blocks ended by an empty one.
  const auto subBlocks = [&] {
    while (at < b.size() && b[at] != 0) at += b[at] + 1;
    return at++ < b.size();
  };
  int images = 0;
  while (at < b.size() && b[at] != 0x3B) {
    if (b[at] == 0x21) {
      at += 2;
      if (!subBlocks()) return std::nullopt;
    } else if (b[at] == 0x2C && at + 10 <= b.size()) {
      // The screen grows to hold every image.
      size.width = std::max<int64_t>(size.width, Little(b, at + 1, 2) + Little(b, at + 5, 2));
      size.height = std::max<int64_t>(size.height, Little(b, at + 3, 2) + Little(b, at + 7, 2));
      const uint8_t flags = b[at + 9];
      at += 10;
      if (flags & 0x80) at += 3u << ((flags & 7) + 1);                    // a local colour table
      if (at >= b.size() || b[at] < 2 || b[at] > 8) return std::nullopt;  // the code size
      ++at;
      if (!subBlocks()) return std::nullopt;
      ++images;
    } else {
      return std::nullopt;
    }
  }
  // A file cut after its last image, without the trailer, still reads.
  if (images == 0) return std::nullopt;
  return size;
}

bool StartOfFrame(uint8_t marker) {
  return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

std::optional<ClaimedSize> JpegSize(std::span<const uint8_t> b) {
  size_t at = 2;
  while (at + 4 <= b.size()) {
    // As the decoder does, bytes before a marker are passed over, and so are fill bytes.
    if (b[at] != 0xFF) {
      ++at;
      continue;
    }
    const uint8_t marker = b[at + 1];
    if (marker == 0xFF) {
      ++at;
      continue;
    }
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) {  // no length
      at += 2;
      continue;
    }
    if (StartOfFrame(marker)) {
      if (at + 9 > b.size()) return std::nullopt;
      return ClaimedSize{Big16(b, at + 7), Big16(b, at + 5)};
    }
    if (marker == 0xDA || marker == 0xD9) return std::nullopt;  // scan or end before a frame
    at += 2 + Big16(b, at + 2);
  }
  return std::nullopt;
}

}  // namespace

std::optional<ClaimedSize> ClaimedPictureSize(std::span<const uint8_t> bytes) {
  if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') return BmpSize(bytes);
  if (bytes.size() >= 4 && bytes[0] == 'G' && bytes[1] == 'I' && bytes[2] == 'F' && bytes[3] == '8')
    return GifSize(bytes);
  if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xD8) return JpegSize(bytes);
  return std::nullopt;
}

}  // namespace pic
