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
  std::string path;
  for (const reg::file::Line& line : doc.lines) {
    if (line.kind == reg::file::LineKind::KeyHeader) path = line.path;
    if (line.kind != reg::file::LineKind::Value) continue;
    const reg::file::Line *before = reg::file::FindValue(doc, path, line.name),
                          *after = reg::file::FindValue(again, path, line.name);
    Check(before ? after && after->type == before->type && after->data == before->data : !after);
  }

  // A value set in every key, and in a new one, reads back.
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
  // Whatever is stored, the names shown stay within their fields and a table is saved.
  Check(hisLoadData());
  for (size_t i = 0; i < HiScoreRanked; ++i) Check(hisName(i).size() <= HiScoreNameMax);
  if (hisQualifies(score)) Check(hisInsert(name.c_str(), score));
  Check(hisSaveData());
  std::vector<uint8_t> saved(721);
  reg::DWORD savedSize = static_cast<reg::DWORD>(saved.size());
  Check(reg::RegQueryValueEx(key, "HiScore", nullptr, nullptr, saved.data(), &savedSize) ==
            reg::ERROR_SUCCESS &&
        savedSize == 720);
  reg::RegCloseKey(key);
  return 0;
}
