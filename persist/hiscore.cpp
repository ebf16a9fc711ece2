// The hi-score table: one 720-byte REG_BINARY value under HKEY_LOCAL_MACHINE, loaded at
// start, merged with what is stored then and saved at exit, ranked by unsigned score with
// ties placed below.
#include "persist/hiscore.h"

#include <cstring>
#include <string>

#include "app/shell.h"
#include "persist/reg_values.h"
#include "platform/registry/registry.h"

namespace {

constexpr size_t TableBytes = HiScoreEntries * sizeof(HiScoreEntry);
static_assert(TableBytes == 720);

void FillDefaults() {
  for (size_t i = 0; i < HiScoreEntries; ++i) {
    HiScoreEntry& e = HiScores.Table[i];
    std::memset(e.name, 0, sizeof e.name);
    std::memcpy(e.name, "Halvo team", 11);
    e.score = static_cast<uint32_t>(750 - 50 * static_cast<int32_t>(i));  // 16 to 19 negative
  }
}

void Decode(const uint8_t* bytes, HiScoreTable& table) {
  for (size_t i = 0; i < HiScoreEntries; ++i) {
    const uint8_t* e = bytes + i * sizeof(HiScoreEntry);
    std::memcpy(table[i].name, e, 32);
    table[i].score = e[32] | e[33] << 8 | e[34] << 16 | static_cast<uint32_t>(e[35]) << 24;
  }
  // A ranked name that fills its field without a terminator is cut to 31 characters, so
  // that it can be shown and moved as a string. The carried entries stay as stored.
  for (size_t i = 0; i < HiScoreRanked; ++i)
    if (!std::memchr(table[i].name, 0, sizeof table[i].name)) table[i].name[HiScoreNameMax] = 0;
}

void Encode(const HiScoreTable& table, uint8_t* bytes) {
  for (size_t i = 0; i < HiScoreEntries; ++i) {
    uint8_t* e = bytes + i * sizeof(HiScoreEntry);
    const uint32_t score = table[i].score;
    std::memcpy(e, table[i].name, 32);
    e[32] = static_cast<uint8_t>(score);
    e[33] = static_cast<uint8_t>(score >> 8);
    e[34] = static_cast<uint8_t>(score >> 16);
    e[35] = static_cast<uint8_t>(score >> 24);
  }
}

// The stored value whatever its size; false when there is none.
bool QueryStored(reg::HKEY key, const char* name, std::vector<uint8_t>& bytes, reg::DWORD& type) {
  reg::DWORD size = 0;
  if (reg::RegQueryValueEx(key, name, nullptr, &type, nullptr, &size) != reg::ERROR_SUCCESS)
    return false;
  bytes.resize(size);
  return reg::RegQueryValueEx(key, name, nullptr, &type, bytes.data(), &size) ==
             reg::ERROR_SUCCESS &&
         size == bytes.size();
}

// A table of the wrong size goes beside it before it is overwritten, as a damaged file is
// kept aside: under the first of "HiScore.bad", "HiScore.bad.1", ... that is free or
// already holds these bytes.
bool KeepAside(reg::HKEY key, const std::vector<uint8_t>& bytes, reg::DWORD type) {
  for (int number = 0; number < 100; ++number) {
    const std::string name = "HiScore.bad" + (number ? "." + std::to_string(number) : "");
    std::vector<uint8_t> there;
    reg::DWORD thereType = 0;
    if (!QueryStored(key, name.c_str(), there, thereType))
      return reg::RegSetValueEx(key, name.c_str(), 0, type, bytes.data(),
                                static_cast<reg::DWORD>(bytes.size())) == reg::ERROR_SUCCESS;
    if (there == bytes && thereType == type) return true;
  }
  return false;
}

void WriteEntry(HiScoreEntry& e, const char* name, uint32_t score) {
  std::memset(e.name, 0, sizeof e.name);
  if (name) std::memcpy(e.name, name, strnlen(name, HiScoreNameMax));
  e.score = score;
}

// Below every equal score; the old place 15 drops out.
void InsertInto(HiScoreTable& table, const char* name, uint32_t score) {
  for (size_t i = HiScoreRanked - 1; i >= 1; --i) {
    if (score > table[i - 1].score) {
      table[i] = table[i - 1];  // the whole field: it never runs past it
      continue;
    }
    WriteEntry(table[i], name, score);
    return;
  }
  WriteEntry(table[0], name, score);
}

// One try at the save: false with ERROR_TRANSACTIONAL_CONFLICT in `result` when another
// game saved between the read and the write.
bool SaveOnce(reg::HANDLE transaction, HiScoreTable& table, reg::LONG& result) {
  reg::HKEY key = nullptr;
  result = reg::RegOpenKeyTransacted(reg::HKEY_LOCAL_MACHINE, GameKey, 0, reg::KEY_ALL_ACCESS, &key,
                                     transaction, nullptr);
  if (result != reg::ERROR_SUCCESS) return false;
  std::vector<uint8_t> stored;
  reg::DWORD type = reg::REG_BINARY;
  const bool found = QueryStored(key, "HiScore", stored, type);
  table = HiScores.Table;
  if (found && stored.size() >= TableBytes) {
    Decode(stored.data(), table);
    for (const HiScoreEntry& e : HiScores.Reached) InsertInto(table, e.name, e.score);
  }
  uint8_t bytes[TableBytes];
  Encode(table, bytes);
  const bool set = (!found || stored.size() == TableBytes || KeepAside(key, stored, type)) &&
                   reg::RegSetValueEx(key, "HiScore", 0, reg::REG_BINARY, bytes, sizeof bytes) ==
                       reg::ERROR_SUCCESS;
  reg::RegCloseKey(key);
  result = set ? reg::CommitTransaction(transaction) : reg::ERROR_INVALID_PARAMETER;
  return result == reg::ERROR_SUCCESS;
}

}  // namespace

bool hisLoadData() {
  reg::HKEY key = nullptr;
  if (!CreateGameKey(reg::HKEY_LOCAL_MACHINE, key))
    return sysShowError("hisLoadData: RegCreateKeyEx");

  // A longer value holds a whole table first; a shorter one is of no use.
  std::vector<uint8_t> stored;
  reg::DWORD type = 0;
  if (QueryStored(key, "HiScore", stored, type) && stored.size() >= TableBytes)
    Decode(stored.data(), HiScores.Table);
  else
    FillDefaults();
  HiScores.Reached.clear();
  reg::RegCloseKey(key);
  return true;
}

bool hisSaveData() {
  // The open's own failure is told apart from the write's.
  reg::HKEY probe = nullptr;
  if (!OpenGameKey(reg::HKEY_LOCAL_MACHINE, reg::KEY_ALL_ACCESS, probe))
    return sysShowError("hisSaveData: RegOpenKeyEx");
  reg::RegCloseKey(probe);

  // Another game's save between this one's read and write makes the commit fail: read
  // again and merge again.
  for (int attempt = 0; attempt < 16; ++attempt) {
    reg::HANDLE transaction = reg::CreateTransaction();
    HiScoreTable table;
    reg::LONG result = reg::ERROR_SUCCESS;
    const bool saved = SaveOnce(transaction, table, result);
    reg::CloseHandle(transaction);
    if (saved) {
      HiScores.Table = table;
      HiScores.Reached.clear();
      return true;
    }
    if (result != reg::ERROR_TRANSACTIONAL_CONFLICT) break;
  }
  // The results of the run would be lost without a word.
  return sysShowError("hisSaveData: RegSetValueEx");
}

bool hisQualifies(uint32_t score) {
  for (size_t i = 0; i < HiScoreRanked; ++i)
    if (HiScores.Table[i].score < score) return true;
  return false;
}

bool hisInsert(const char* name, uint32_t score) {
  InsertInto(HiScores.Table, name, score);
  HiScoreEntry reached{};
  WriteEntry(reached, name, score);
  HiScores.Reached.push_back(reached);
  return true;
}

std::string_view hisName(size_t index) {
  if (index >= HiScoreEntries) return {};
  const char* name = HiScores.Table[index].name;
  return {name, strnlen(name, HiScoreNameMax)};
}
