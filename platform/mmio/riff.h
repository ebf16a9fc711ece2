#pragma once
// RIFF chunks in a memory file, in place of the multimedia file services over a memory
// buffer: descend (also finding a chunk by name), ascend, seek and read. Every size is
// checked against the bytes there are; nothing is read outside them.
// Left out: files on disk, writing, buffered I/O procedures.
#include <cstddef>
#include <cstdint>
#include <span>

namespace mmio {

constexpr uint32_t FOURCC(char a, char b, char c, char d) {
  return static_cast<uint8_t>(a) | static_cast<uint8_t>(b) << 8 | static_cast<uint8_t>(c) << 16 |
         static_cast<uint32_t>(static_cast<uint8_t>(d)) << 24;
}
constexpr uint32_t FOURCC_RIFF = FOURCC('R', 'I', 'F', 'F');
constexpr uint32_t FOURCC_LIST = FOURCC('L', 'I', 'S', 'T');

constexpr uint32_t MMIO_FINDCHUNK = 0x0010;

// One chunk: its identifier, its size as written, the form type of a RIFF or LIST chunk,
// and the offset of its data (after the 8-byte header) from the start of the file.
struct MMCKINFO {
  uint32_t ckid = 0;
  uint32_t cksize = 0;
  uint32_t fccType = 0;
  uint32_t dwDataOffset = 0;
};

// A memory file opened for reading.
struct MemFile {
  std::span<const uint8_t> data;
  size_t pos = 0;
};

inline MemFile mmioOpen(std::span<const uint8_t> data) { return MemFile{data, 0}; }

// Reads the chunk header at the current position (and the form type of RIFF and LIST).
// With MMIO_FINDCHUNK and chunk.ckid set, skips chunks (and their pad bytes) until one of
// that identifier, never past the end of `parent` when given. On success the file stands
// at the chunk's data (after the form type for RIFF and LIST).
bool mmioDescend(MemFile& file, MMCKINFO& chunk, const MMCKINFO* parent, uint32_t flags);
// Moves past the end of the chunk and its pad byte; false when the chunk runs past the file.
bool mmioAscend(MemFile& file, const MMCKINFO& chunk);
// Moves to an offset from the start; false outside the file (its end included).
bool mmioSeek(MemFile& file, size_t offset);
// Copies up to `count` bytes; returns how many there were.
size_t mmioRead(MemFile& file, void* out, size_t count);

}  // namespace mmio
