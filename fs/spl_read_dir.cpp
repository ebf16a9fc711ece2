#include <cstring>
#include <new>

#include "fs/spl_tree.h"

namespace {

constexpr int TagDirectory = 'd';
constexpr int TagFile = 'f';
constexpr int TagEnd = 'e';
constexpr size_t NameField = 255;

bool ReadExactly(FILE* stream, void* buffer, size_t count) {
  return std::fread(buffer, 1, count, stream) == count;
}

bool ReadUint32(FILE* stream, uint32_t& value) {
  uint8_t bytes[4];
  if (!ReadExactly(stream, bytes, 4)) return false;
  value = bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
  return true;
}

TSPLDir* ReadDir(FILE* stream, int depth) {
  if (std::fgetc(stream) != TagDirectory) return nullptr;
  if (depth > MaxDirectoryDepth) return nullptr;
  auto* dir = new (std::nothrow) TSPLDir;
  if (!dir) return nullptr;
  // The name field holds 255 bytes; the last byte of ours always terminates it.
  if (!ReadExactly(stream, dir->name, NameField)) {
    delete dir;
    return nullptr;
  }
  for (;;) {
    const int tag = std::fgetc(stream);
    if (tag == TagEnd) return dir;
    if (tag == TagFile) {
      auto* entry = new (std::nothrow) TSPLEntry;
      if (!entry || !ReadExactly(stream, entry->name, NameField) ||
          !ReadUint32(stream, entry->size) || !ReadUint32(stream, entry->offset)) {
        delete entry;
        FS_FreeDir(dir);
        return nullptr;
      }
      entry->next = dir->files;
      dir->files = entry;
    } else if (tag == TagDirectory) {
      std::ungetc(tag, stream);
      TSPLDir* sub = ReadDir(stream, depth + 1);
      if (!sub) {
        FS_FreeDir(dir);
        return nullptr;
      }
      sub->next = dir->dirs;
      dir->dirs = sub;
    } else {  // an unknown tag, or the end of the file
      FS_FreeDir(dir);
      return nullptr;
    }
  }
}

}  // namespace

TSPLDir* FS_ReadDir(FILE* stream) { return stream ? ReadDir(stream, 0) : nullptr; }

void FS_FreeDir(TSPLDir* dir) {
  if (!dir) return;
  for (TSPLDir* sub = dir->dirs; sub;) {
    TSPLDir* next = sub->next;
    FS_FreeDir(sub);
    sub = next;
  }
  for (TSPLEntry* entry = dir->files; entry;) {
    TSPLEntry* next = entry->next;
    delete entry;
    entry = next;
  }
  delete dir;
}
