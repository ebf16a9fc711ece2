#pragma once
// The file records of an archive in the order they stand in the file, for the archive
// tool. The reader's lists hold them newest first and apart from the directories, so the
// order of the records is not in the tree; this walks the records themselves, with the
// same rules as FS_ReadDir (the same tags, the same depth bound), and checks every byte
// it takes, so it is safe on any input.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

struct SplRecord {
  std::string path;  // the names of the enclosing directories and the file, joined with '/'
  uint32_t size;
  uint32_t offset;
};

// The file records of the directory that starts at the stream's position. False, with
// the records left empty, when FS_ReadDir would refuse it.
bool ListSplRecords(FILE* stream, std::vector<SplRecord>& records);
