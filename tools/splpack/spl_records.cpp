#include "spl_records.h"

#include <cstring>

namespace {

struct Scanner {
  const std::vector<uint8_t>& bytes;
  size_t at = 0;
  std::vector<SplRecord> records;

  std::string Name() {
    const char* field = reinterpret_cast<const char*>(&bytes[at]);
    at += 255;
    return std::string(field, strnlen(field, 255));
  }
  uint32_t Uint32() {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(bytes[at + i]) << (8 * i);
    at += 4;
    return v;
  }
  void Directory(const std::string& prefix) {
    ++at;  // 'd'
    Name();
    while (bytes[at] != 'e') {
      if (bytes[at] == 'f') {
        ++at;
        const std::string name = Name();
        const uint32_t size = Uint32();
        records.push_back({prefix + name, size, Uint32()});
      } else {
        const char* field = reinterpret_cast<const char*>(&bytes[at + 1]);
        Directory(prefix + std::string(field, strnlen(field, 255)) + "/");
      }
    }
    ++at;  // 'e'
  }
};

}  // namespace

std::vector<SplRecord> ListSplRecords(const std::vector<uint8_t>& acceptedArchive) {
  Scanner scanner{acceptedArchive, 0, {}};
  scanner.Directory("");
  return scanner.records;
}
