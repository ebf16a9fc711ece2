#pragma once
// The file records of an archive the game's reader accepted, in the order they stand in
// the file (the reader's lists hold them newest first, and apart from the directories).
#include <cstdint>
#include <string>
#include <vector>

struct SplRecord {
  std::string path;  // joined with '/'
  uint32_t size;
  uint32_t offset;
};

std::vector<SplRecord> ListSplRecords(const std::vector<uint8_t>& acceptedArchive);
