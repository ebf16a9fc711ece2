#pragma once
// The hi-score table: 20 records of 36 bytes, the first 15 ranked.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#pragma pack(push, 1)
struct HiScoreEntry {
  char name[32];   // zero-terminated; for display use hisName, which never runs past it
  uint32_t score;  // stored little-endian; loading and saving convert
};
#pragma pack(pop)
static_assert(sizeof(HiScoreEntry) == 36);

constexpr size_t HiScoreEntries = 20;
constexpr size_t HiScoreRanked = 15;   // entries 15 to 19 are carried along unchanged
constexpr size_t HiScoreNameMax = 31;  // characters of a name; longer names are cut

using HiScoreTable = std::array<HiScoreEntry, HiScoreEntries>;

struct HiScoreState {
  HiScoreTable Table{};
  // This run's results in the order they were reached: the save puts them into the table
  // as it is stored then, so that what another game saved meanwhile stays.
  std::vector<HiScoreEntry> Reached{};
};
inline HiScoreState HiScores;

bool hisLoadData();
// Under the hive's lock: the stored table (its first 720 bytes) with this run's results
// put in by the rule of hisInsert; a stored value of the wrong size is kept aside first,
// as "HiScore.bad" (".bad.1", ... when that holds other bytes).
bool hisSaveData();
bool hisQualifies(uint32_t score);
// Names longer than 31 characters keep their first 31.
bool hisInsert(const char* name, uint32_t score);
// The name of entry `index`: at most 31 bytes, ending at its terminator.
std::string_view hisName(size_t index);
