// The invariants the fuzzers hold the registry to.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz/registry_fuzz.h"
#include "persist/hiscore.h"
#include "platform/registry/file.h"
#include "platform/registry/registry.h"
#include "platform/registry/store.h"

namespace {

void Check(bool holds) {
  if (!holds) std::abort();
}

bool SameValue(const reg::file::Line* a, const reg::file::Line* b) {
  if (!a || !b) return a == b;
  return a->type == b->type && a->data == b->data;
}

bool EqualNoCase(const std::string& a, const char* b) {
  return a.size() == std::strlen(b) && strncasecmp(a.c_str(), b, a.size()) == 0;
}

// Every value the old document holds reads the same in the new one, except `changed`.
void CheckValuesKept(const reg::file::Document& before, const reg::file::Document& after,
                     const char* changed) {
  std::string path;
  for (const reg::file::Line& line : before.lines) {
    if (line.kind == reg::file::LineKind::KeyHeader) path = line.path;
    if (line.kind != reg::file::LineKind::Value || EqualNoCase(line.name, changed)) continue;
    Check(SameValue(reg::file::FindValue(before, path, line.name),
                    reg::file::FindValue(after, path, line.name)));
  }
}

}  // namespace

int FuzzRegistryFile(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  reg::file::Document doc;
  std::string error;
  if (!reg::file::Parse(text, doc, error)) {
    Check(!error.empty());
    return 0;
  }
  // A REGEDIT4 text that reads whole is written back byte for byte; any other is written
  // as REGEDIT4 that reads whole, with the same values, and stays as it is from then on.
  const std::string written = reg::file::Serialize(doc);
  const bool plain =
      doc.damage.empty() && written.starts_with("REGEDIT4") && text.starts_with("REGEDIT4");
  if (plain) Check(written == text);
  reg::file::Document again;
  Check(reg::file::Parse(written, again, error) && again.damage.empty());
  Check(reg::file::Serialize(again) == written);
  CheckValuesKept(doc, again, "");

  // Every value read can be written and reads back the same.
  for (const reg::file::Line& line : doc.lines) {
    if (line.kind != reg::file::LineKind::Value || line.deleted) continue;
    const std::string one = reg::file::FormatValue(line.name, line.type, line.data, "\n");
    reg::file::Document single;
    Check(reg::file::Parse("REGEDIT4\n[HKEY_CURRENT_USER\\K]\n" + one + "\n", single, error));
    Check(SameValue(reg::file::FindValue(single, "HKEY_CURRENT_USER\\K", line.name), &line));
  }

  // A value set in every key (and in a new one) leaves all other values as they were.
  reg::file::Document changed = doc;
  const std::vector<uint8_t> bytes(data, data + (size < 100 ? size : 100));
  std::vector<std::string> keys;
  for (const reg::file::Line& line : doc.lines)
    if (line.kind == reg::file::LineKind::KeyHeader) keys.push_back(line.path);
  keys.push_back("HKEY_CURRENT_USER\\Software\\HalvoTeam\\Nauvrel\\Fuzz");
  for (const std::string& key : keys) {
    if (!reg::file::HasKey(changed, key)) reg::file::AddKey(changed, key);
    Check(reg::file::SetValue(changed, key, "Fuzz", reg::REG_BINARY, bytes) ==
          reg::file::SetResult::Done);
  }
  reg::file::Document reread;
  Check(reg::file::Parse(reg::file::Serialize(changed), reread, error));
  CheckValuesKept(doc, reread, "Fuzz");
  for (const std::string& key : keys) {
    const reg::file::Line* fuzz = reg::file::FindValue(reread, key, "Fuzz");
    Check(fuzz && fuzz->type == reg::REG_BINARY && fuzz->data == bytes);
  }
  return 0;
}

int FuzzHiScoreValue(const uint8_t* data, size_t size) {
  if (size < 5) return 0;
  const std::string name(reinterpret_cast<const char*>(data + 5),
                         std::min<size_t>(data[0], size - 5));
  uint32_t score;
  std::memcpy(&score, data + 1, 4);
  const std::vector<uint8_t> stored(data + 5, data + size);
  // Each run from an empty hive: values kept aside would pile up over the runs.
  std::remove(reg::store::HiveFile("HKEY_LOCAL_MACHINE").c_str());

  reg::HKEY key = nullptr;
  Check(reg::RegCreateKeyEx(reg::HKEY_LOCAL_MACHINE, "Software\\HalvoTeam\\Nauvrel", 0, nullptr, 0,
                            reg::KEY_ALL_ACCESS, nullptr, &key, nullptr) == reg::ERROR_SUCCESS);
  Check(reg::RegSetValueEx(key, "HiScore", 0, reg::REG_BINARY, stored.data(),
                           static_cast<reg::DWORD>(stored.size())) == reg::ERROR_SUCCESS);

  Check(hisLoadData());
  const HiScoreState loaded = HiScores;
  if (stored.size() >= 720)
    Check(std::memcmp(&loaded.Table[15], stored.data() + 15 * 36, 5 * 36) == 0);
  else
    Check(loaded.Table[0].score == 750 && loaded.Table[19].score == static_cast<uint32_t>(-200));
  for (size_t i = 0; i < HiScoreRanked; ++i) {
    Check(std::memchr(loaded.Table[i].name, 0, 32) != nullptr);
    Check(hisName(i).size() <= HiScoreNameMax);
  }

  if (hisQualifies(score)) {
    Check(hisInsert(name.c_str(), score));
    bool found = false;
    for (size_t i = 0; i < HiScoreRanked; ++i)
      found = found || (HiScores.Table[i].score == score &&
                        hisName(i) == std::string_view(name.c_str()).substr(0, HiScoreNameMax));
    Check(found);
  }
  Check(std::memcmp(&HiScores.Table[15], &loaded.Table[15], 5 * 36) == 0);

  Check(hisSaveData());
  std::vector<uint8_t> saved(721);
  reg::DWORD savedSize = static_cast<reg::DWORD>(saved.size());
  Check(reg::RegQueryValueEx(key, "HiScore", nullptr, nullptr, saved.data(), &savedSize) ==
        reg::ERROR_SUCCESS);
  Check(savedSize == 720 && std::memcmp(saved.data() + 15 * 36, &loaded.Table[15], 5 * 36) == 0);
  // A value of another size is kept aside as it was.
  std::vector<uint8_t> aside(stored.size() + 1);
  reg::DWORD asideSize = static_cast<reg::DWORD>(aside.size());
  const bool kept = reg::RegQueryValueEx(key, "HiScore.bad", nullptr, nullptr, aside.data(),
                                         &asideSize) == reg::ERROR_SUCCESS;
  aside.resize(asideSize);
  Check(stored.size() == 720 ? !kept : kept && aside == stored);
  reg::RegCloseKey(key);
  return 0;
}
