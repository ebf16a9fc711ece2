#include "fs/spl_records.h"

#include <cstring>

#include "fs/spl_tree.h"

namespace {

constexpr size_t NameField = 255;

struct Scanner {
  FILE* stream;
  std::vector<SplRecord>& records;

  bool Name(std::string& name) {
    char field[NameField];
    if (std::fread(field, 1, NameField, stream) != NameField) return false;
    name.assign(field, strnlen(field, NameField));
    return true;
  }
  bool Uint32(uint32_t& value) {
    uint8_t b[4];
    if (std::fread(b, 1, 4, stream) != 4) return false;
    value = b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<uint32_t>(b[3]) << 24);
    return true;
  }
  // The children and the end tag of a directory whose tag and name have been read.
  // prefix is the path of the directory; depth counts as in FS_ReadDir.
  bool Directory(const std::string& prefix, int depth) {
    if (depth > MaxDirectoryDepth) return false;
    std::string name;
    for (;;) {
      const int tag = std::fgetc(stream);
      if (tag == 'e') return true;
      if (tag == 'f') {
        SplRecord record{};
        if (!Name(name) || !Uint32(record.size) || !Uint32(record.offset)) return false;
        record.path = prefix + name;
        records.push_back(std::move(record));
      } else if (tag == 'd') {
        if (!Name(name) || !Directory(prefix + name + "/", depth + 1)) return false;
      } else {  // an unknown tag, or the end of the file
        return false;
      }
    }
  }
};

}  // namespace

bool ListSplRecords(FILE* stream, std::vector<SplRecord>& records) {
  records.clear();
  if (!stream) return false;
  Scanner scanner{stream, records};
  std::string rootName;  // read and never used, as by the reader
  if (std::fgetc(stream) == 'd' && scanner.Name(rootName) && scanner.Directory("", 0)) return true;
  records.clear();
  return false;
}
