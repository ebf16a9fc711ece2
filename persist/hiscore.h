#pragma once
// The hi-score table: 20 records of 36 bytes, the first 15 ranked.
#include <array>
#include <cstdint>

#pragma pack(push, 1)
struct HiScoreEntry {
  char name[32];
  uint32_t score;  // little-endian on disk; this port runs on little-endian machines
};
#pragma pack(pop)
static_assert(sizeof(HiScoreEntry) == 36);

struct HiScoreState {
  std::array<HiScoreEntry, 20> Table{};
};
inline HiScoreState HiScores;

bool hisLoadData();
bool hisSaveData();
bool hisQualifies(uint32_t score);
bool hisInsert(const char* name, uint32_t score);
