#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "fs/file_system.h"
#include "fs/spl_tree.h"
#include "fs/tfile.h"

TSPLFile::TSPLFile(TSPLArchive* archive, TSPLEntry* entry) : Archive(archive), Entry(entry) {
  if (!archive || !entry) std::abort();  // a programming error, never bad data
}

uint32_t TSPLFile::GetSize() { return Entry->size; }

bool TSPLFile::Backed() {
  const uint64_t end = uint64_t{Entry->offset} + Entry->size;
  if (end <= Archive->length) return true;
  const uint64_t past = end - std::max<uint64_t>(Archive->length, Entry->offset);
  return past <= SlackPastEnd || past <= Entry->size - past;
}

uint32_t TSPLFile::Read(uint8_t* buffer, uint32_t count) {
  if (Position >= Entry->size || !Archive->stream || !buffer) return 0;
  if (count > Entry->size - Position) count = Entry->size - Position;
  // Every read seeks first, so that members of one archive can be read in any order.
  // The position is 64-bit: an offset near 4 GiB reads nothing instead of wrapping.
  const auto at = static_cast<off_t>(uint64_t{Entry->offset} + Position);
  std::clearerr(Archive->stream);  // an earlier short read must not end this one
  if (fseeko(Archive->stream, at, SEEK_SET) != 0) return 0;
  const auto got = static_cast<uint32_t>(std::fread(buffer, 1, count, Archive->stream));
  Position += got;
  return got;
}

int TSPLFile::Seek(int32_t offset, int origin) {
  int64_t target;
  switch (origin) {
    case SEEK_SET:
      target = offset;
      break;
    case SEEK_CUR:
      target = int64_t{Position} + offset;
      break;
    case SEEK_END:
      target = int64_t{Entry->size} - offset;
      break;
    default:
      return 1;
  }
  if (target < 0 || target > Entry->size) return 1;
  Position = static_cast<uint32_t>(target);
  return 0;
}
