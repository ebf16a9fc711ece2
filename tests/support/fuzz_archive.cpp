#include <cstdio>
#include <string>
#include <vector>

#include "fs/file_system.h"
#include "fs/spl_tree.h"
#include "fs/tfile.h"
#include "support/fuzz_entries.h"

namespace {
void ReadAll(TSPLArchive& archive, TSPLDir* dir, const std::string& prefix, int budget) {
  for (TSPLEntry* e = dir->files; e && budget > 0; e = e->next, --budget) {
    auto file = FS_OpenInArchive(&archive, archive.root, (prefix + e->name).c_str());
    if (!file) continue;
    uint8_t buffer[512];
    file->Seek(0, SEEK_END);
    file->Seek(0, SEEK_SET);
    while (file->Read(buffer, sizeof buffer) == sizeof buffer) {
    }
  }
  for (TSPLDir* d = dir->dirs; d && budget > 0; d = d->next, --budget)
    ReadAll(archive, d, prefix + d->name + "/", budget / 2);
}
}  // namespace

void FuzzArchiveReader(const uint8_t* data, size_t size) {
  FILE* stream = fmemopen(const_cast<uint8_t*>(data), size, "rb");
  if (!stream) return;
  TSPLArchive archive;
  archive.stream = stream;
  archive.root = FS_ReadDir(stream);
  if (archive.root) {
    ReadAll(archive, archive.root, "", 64);
    for (const char* path : {"Zvuk/Bonus.wav", "a/b/c", "/x", "x/", "x//y", ""})
      FS_OpenInArchive(&archive, archive.root, path);
    FS_FreeDir(archive.root);
  }
  std::fclose(stream);
}
