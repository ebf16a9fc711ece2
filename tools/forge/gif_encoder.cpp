#include <vector>

#include "encoders.hpp"

namespace forge {
namespace {

// Packs variable-width codes least significant bit first into 255-byte sub-blocks.
class CodeWriter {
 public:
  explicit CodeWriter(Bytes& out) : out_(out) {}

  void put(unsigned code, int width) {
    bits_ |= std::uint32_t(code) << count_;
    count_ += width;
    while (count_ >= 8) {
      byte(std::uint8_t(bits_));
      bits_ >>= 8;
      count_ -= 8;
    }
  }

  void finish() {
    if (count_ > 0) byte(std::uint8_t(bits_));
    flushBlock();
    out_.push_back(0);  // block terminator
  }

 private:
  void byte(std::uint8_t b) {
    block_.push_back(b);
    if (block_.size() == 255) flushBlock();
  }
  void flushBlock() {
    if (block_.empty()) return;
    out_.push_back(std::uint8_t(block_.size()));
    out_.insert(out_.end(), block_.begin(), block_.end());
    block_.clear();
  }

  Bytes& out_;
  Bytes block_;
  std::uint32_t bits_ = 0;
  int count_ = 0;
};

constexpr int kMinCodeSize = 8;
constexpr unsigned kClear = 1u << kMinCodeSize;
constexpr unsigned kEnd = kClear + 1;
constexpr unsigned kMaxCode = 4095;

void compress(const std::vector<std::uint8_t>& indices, Bytes& out) {
  CodeWriter writer(out);
  // table[prefix * 256 + byte] holds generation << 12 | code; a new generation after each
  // clear code makes stale entries invisible without wiping the table.
  std::vector<std::uint32_t> table(4096 * 256, 0);
  std::uint32_t generation = 1;
  unsigned next = kEnd + 1;
  int width = kMinCodeSize + 1;

  writer.put(kClear, width);
  if (indices.empty()) {
    writer.put(kEnd, width);
    writer.finish();
    return;
  }
  unsigned prefix = indices[0];
  for (std::size_t i = 1; i < indices.size(); ++i) {
    const std::uint8_t c = indices[i];
    std::uint32_t& slot = table[std::size_t(prefix) * 256 + c];
    if ((slot >> 12) == generation) {
      prefix = slot & 0xFFF;
      continue;
    }
    writer.put(prefix, width);
    if (next <= kMaxCode) {
      slot = (generation << 12) | next;
      // The decoder widens its codes once its table reaches the next power of two; it runs
      // one entry behind, so the writer widens after assigning that code.
      if (next == (1u << width) && width < 12) ++width;
      ++next;
    } else {
      writer.put(kClear, width);
      ++generation;
      next = kEnd + 1;
      width = kMinCodeSize + 1;
    }
    prefix = c;
  }
  writer.put(prefix, width);
  writer.put(kEnd, width);
  writer.finish();
}

void put16(Bytes& out, unsigned v) {
  out.push_back(std::uint8_t(v));
  out.push_back(std::uint8_t(v >> 8));
}

}  // namespace

Bytes encodeGif(const IndexedPicture& picture) {
  Bytes out;
  const char* header = "GIF89a";
  out.insert(out.end(), header, header + 6);
  put16(out, picture.width);
  put16(out, picture.height);
  out.push_back(0xF7);  // global table, 8 bits of colour resolution, 256 entries
  out.push_back(0);     // background index
  out.push_back(0);     // square pixels
  for (int i = 0; i < 256; ++i) {
    const Rgb c = i < int(picture.palette.size()) ? picture.palette[i] : Rgb{};
    out.push_back(c.r);
    out.push_back(c.g);
    out.push_back(c.b);
  }
  out.push_back(0x2C);  // image descriptor
  put16(out, 0);
  put16(out, 0);
  put16(out, picture.width);
  put16(out, picture.height);
  out.push_back(0);  // no local table, not interlaced
  out.push_back(kMinCodeSize);
  compress(picture.indices, out);
  out.push_back(0x3B);  // trailer
  return out;
}

}  // namespace forge
