#include "platform/mmio/riff.h"

#include <algorithm>
#include <cstring>

namespace mmio {
namespace {

bool ReadU32(MemFile& file, uint32_t& value) {
  uint8_t b[4];
  if (mmioRead(file, b, 4) != 4) return false;
  value = b[0] | b[1] << 8 | b[2] << 16 | static_cast<uint32_t>(b[3]) << 24;
  return true;
}

// Where the parent's data ends; a parent claiming more than the file ends with the file,
// as writers that never patch the RIFF size leave it.
size_t ParentEnd(const MemFile& file, const MMCKINFO* parent) {
  if (!parent) return file.data.size();
  return std::min<size_t>(file.data.size(), size_t{parent->dwDataOffset} + parent->cksize);
}

bool ReadHeader(MemFile& file, MMCKINFO& chunk, size_t end) {
  if (file.pos > end || end - file.pos < 8) return false;
  if (!ReadU32(file, chunk.ckid) || !ReadU32(file, chunk.cksize)) return false;
  chunk.dwDataOffset = static_cast<uint32_t>(file.pos);
  chunk.fccType = 0;
  if (chunk.ckid == FOURCC_RIFF || chunk.ckid == FOURCC_LIST) {
    if (chunk.cksize < 4 || !ReadU32(file, chunk.fccType)) return false;
  }
  return true;
}

}  // namespace

bool mmioDescend(MemFile& file, MMCKINFO& chunk, const MMCKINFO* parent, uint32_t flags) {
  const size_t end = ParentEnd(file, parent);
  if (!(flags & MMIO_FINDCHUNK)) return ReadHeader(file, chunk, end);
  const uint32_t wanted = chunk.ckid;
  for (;;) {
    if (!ReadHeader(file, chunk, end)) return false;
    if (chunk.ckid == wanted) return true;
    const size_t next = size_t{chunk.dwDataOffset} + chunk.cksize + (chunk.cksize & 1);
    if (next > end) return false;
    file.pos = next;
  }
}

bool mmioAscend(MemFile& file, const MMCKINFO& chunk) {
  const size_t end = size_t{chunk.dwDataOffset} + chunk.cksize;
  if (end > file.data.size()) return false;
  // A last chunk of odd size may come without its pad byte.
  file.pos = std::min(end + (chunk.cksize & 1), file.data.size());
  return true;
}

bool mmioSeek(MemFile& file, size_t offset) {
  if (offset > file.data.size()) return false;
  file.pos = offset;
  return true;
}

size_t mmioRead(MemFile& file, void* out, size_t count) {
  const size_t n = std::min(count, file.data.size() - file.pos);
  if (n) std::memcpy(out, file.data.data() + file.pos, n);
  file.pos += n;
  return n;
}

}  // namespace mmio
