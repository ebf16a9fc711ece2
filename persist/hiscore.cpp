// The hi-score table: one 720-byte REG_BINARY value under HKEY_LOCAL_MACHINE, loaded at
// start, saved at exit, ranked by unsigned score with ties placed below.
#include "persist/hiscore.h"

#include <cstring>

#include "app/shell.h"
#include "platform/registry/registry.h"

namespace {

constexpr const char* HiScoreKey = "Software\\HalvoTeam\\Nauvrel";
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

void Decode(const uint8_t* bytes) {
  for (size_t i = 0; i < HiScoreEntries; ++i) {
    const uint8_t* e = bytes + i * sizeof(HiScoreEntry);
    std::memcpy(HiScores.Table[i].name, e, 32);
    HiScores.Table[i].score = e[32] | e[33] << 8 | e[34] << 16 | static_cast<uint32_t>(e[35]) << 24;
  }
}

void Encode(uint8_t* bytes) {
  for (size_t i = 0; i < HiScoreEntries; ++i) {
    uint8_t* e = bytes + i * sizeof(HiScoreEntry);
    const uint32_t score = HiScores.Table[i].score;
    std::memcpy(e, HiScores.Table[i].name, 32);
    e[32] = static_cast<uint8_t>(score);
    e[33] = static_cast<uint8_t>(score >> 8);
    e[34] = static_cast<uint8_t>(score >> 16);
    e[35] = static_cast<uint8_t>(score >> 24);
  }
}

// A ranked name that fills its field without a terminator is cut to 31 characters, so
// that it can be shown and moved as a string. The carried entries stay as stored.
void TerminateRankedNames() {
  for (size_t i = 0; i < HiScoreRanked; ++i) {
    char* name = HiScores.Table[i].name;
    if (!std::memchr(name, 0, sizeof HiScores.Table[i].name)) name[HiScoreNameMax] = 0;
  }
}

void WriteEntry(HiScoreEntry& e, const char* name, uint32_t score) {
  std::memset(e.name, 0, sizeof e.name);
  if (name) std::memcpy(e.name, name, strnlen(name, HiScoreNameMax));
  e.score = score;
}

}  // namespace

bool hisLoadData() {
  reg::HKEY key = nullptr;
  if (reg::RegCreateKeyEx(reg::HKEY_LOCAL_MACHINE, HiScoreKey, 0, nullptr, 0, reg::KEY_ALL_ACCESS,
                          nullptr, &key, nullptr) != reg::ERROR_SUCCESS)
    return sysShowError("hisLoadData: RegCreateKeyEx");

  uint8_t bytes[TableBytes];
  reg::DWORD size = sizeof bytes;
  if (reg::RegQueryValueEx(key, "HiScore", nullptr, nullptr, bytes, &size) == reg::ERROR_SUCCESS &&
      size == TableBytes) {
    Decode(bytes);
    TerminateRankedNames();
  } else {
    FillDefaults();
  }
  reg::RegCloseKey(key);
  return true;
}

bool hisSaveData() {
  reg::HKEY key = nullptr;
  if (reg::RegOpenKeyEx(reg::HKEY_LOCAL_MACHINE, HiScoreKey, 0, reg::KEY_ALL_ACCESS, &key) !=
      reg::ERROR_SUCCESS)
    return sysShowError("hisSaveData: RegOpenKeyEx");

  uint8_t bytes[TableBytes];
  Encode(bytes);
  const bool saved = reg::RegSetValueEx(key, "HiScore", 0, reg::REG_BINARY, bytes, sizeof bytes) ==
                     reg::ERROR_SUCCESS;
  reg::RegCloseKey(key);
  // The results of the run would be lost without a word.
  if (!saved) return sysShowError("hisSaveData: RegSetValueEx");
  return true;
}

bool hisQualifies(uint32_t score) {
  for (size_t i = 0; i < HiScoreRanked; ++i)
    if (HiScores.Table[i].score < score) return true;
  return false;
}

bool hisInsert(const char* name, uint32_t score) {
  for (size_t i = HiScoreRanked - 1; i >= 1; --i) {
    if (score > HiScores.Table[i - 1].score) {
      HiScores.Table[i] = HiScores.Table[i - 1];  // the whole field: it never runs past it
      continue;
    }
    WriteEntry(HiScores.Table[i], name, score);
    return true;
  }
  WriteEntry(HiScores.Table[0], name, score);
  return true;
}

std::string_view hisName(size_t index) {
  if (index >= HiScoreEntries) return {};
  const char* name = HiScores.Table[index].name;
  return {name, strnlen(name, HiScoreNameMax)};
}
