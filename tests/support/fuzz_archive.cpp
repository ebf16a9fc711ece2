#include <cstdio>
#include <string>
#include <vector>

#include "fs/file_system.h"
#include "fs/spl_records.h"
#include "fs/spl_tree.h"
#include "fs/tfile.h"
#include "support/fuzz_entries.h"

namespace {

// Resolves and reads the members, a bounded number of them.
void ReadAll(TSPLArchive& archive, TSPLDir* dir, const std::string& prefix, int budget) {
  for (TSPLEntry* e = dir->files; e && budget > 0; e = e->next, --budget) {
    auto file = FS_OpenInArchive(&archive, archive.root, (prefix + e->name).c_str());
    if (!file) continue;
    uint8_t buffer[512];
    file->Seek(0, SEEK_END);
    file->Seek(0, SEEK_SET);
    int chunks = 64;  // a member may claim 4 GiB; what stands in the input is far less
    while (file->Read(buffer, sizeof buffer) == sizeof buffer && --chunks > 0) {
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
  // The archive tool's record walk over the same bytes; that it judges them as the reader
  // does is the reader's unit test.
  std::vector<SplRecord> records;
  if (std::fseek(stream, 0, SEEK_SET) == 0) ListSplRecords(stream, records);

  if (archive.root) {
    ReadAll(archive, archive.root, "", 64);
    for (const char* path : {"Zvuk/Bonus.wav", "a/b/c", "/x", "x/", "x//y", ""})
      FS_OpenInArchive(&archive, archive.root, path);
    for (const SplRecord& r : records) FS_OpenInArchive(&archive, archive.root, r.path.c_str());
    FS_FreeDir(archive.root);
  }
  std::fclose(stream);
}
