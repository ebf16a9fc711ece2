// Keys and values over the hive files: an open key is its hive file and its path; every
// call goes back to the file, so two running games see each other's writes.
#include "platform/registry/registry.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry/file.h"
#include "platform/registry/store.h"

namespace reg {

namespace {

struct TransactionState {
  struct Set {
    std::string file, path, name;
    DWORD type;
    std::vector<uint8_t> data;
  };
  struct Seen {  // a value as the file held it when it was read
    std::string file, path, name;
    std::optional<std::pair<DWORD, std::vector<uint8_t>>> value;
  };
  std::vector<Set> sets;
  std::vector<Seen> seen;
  bool active = true;
};

}  // namespace

struct Key {
  std::string file;  // the hive file
  std::string path;  // "HKEY_CURRENT_USER\Software\..."
  REGSAM access = 0;
  std::shared_ptr<TransactionState> transaction{};  // none outside a transaction
};

struct Transaction {
  std::shared_ptr<TransactionState> state = std::make_shared<TransactionState>();
};

namespace {

const char* HiveName(HKEY key) {
  if (key == HKEY_CURRENT_USER) return "HKEY_CURRENT_USER";
  if (key == HKEY_LOCAL_MACHINE) return "HKEY_LOCAL_MACHINE";
  return nullptr;
}

// A predefined hive stands for its root key with every right.
LONG Resolve(HKEY key, Key& out) {
  if (const char* hive = HiveName(key)) {
    out.file = store::HiveFile(hive);
    out.path = hive;
    out.access = KEY_ALL_ACCESS;
    return out.file.empty() ? ERROR_PATH_NOT_FOUND : ERROR_SUCCESS;
  }
  if (!key) return ERROR_INVALID_HANDLE;
  out = *key;
  return ERROR_SUCCESS;
}

// Key names are non-empty, without line breaks or brackets, separated by single
// backslashes; a null or empty sub-key names the key itself.
bool ValidSubKey(const char* subKey) {
  if (!subKey || !*subKey) return true;
  const std::string_view s = subKey;
  if (s.front() == '\\' || s.back() == '\\' || s.find("\\\\") != std::string_view::npos)
    return false;
  return s.find_first_of("\r\n[]") == std::string_view::npos;
}

std::string Join(const std::string& path, const char* subKey) {
  return subKey && *subKey ? path + "\\" + subKey : path;
}

bool IsRoot(const std::string& path) { return path.find('\\') == std::string::npos; }

bool Exists(const file::Document& doc, const std::string& path) {
  return IsRoot(path) || file::HasKey(doc, path);
}

// The hive file behind `key`, read, and the full path of its subkey.
LONG ReadSubKey(HKEY key, const char* subKey, Key& base, std::string& path, file::Document& doc) {
  if (const LONG r = Resolve(key, base); r != ERROR_SUCCESS) return r;
  if (!ValidSubKey(subKey)) return ERROR_INVALID_PARAMETER;
  path = Join(base.path, subKey);
  return store::Read(base.file, doc);
}

// One value set in the document, adding the key's section when only keys below it have one.
LONG SetIn(file::Document& doc, const std::string& path, const std::string& name, DWORD type,
           std::span<const uint8_t> bytes) {
  if (!Exists(doc, path)) return ERROR_KEY_DELETED;
  file::SetResult set = file::SetValue(doc, path, name, type, bytes);
  if (set == file::SetResult::NoKey) {
    file::AddKey(doc, path);
    set = file::SetValue(doc, path, name, type, bytes);
  }
  switch (set) {
    case file::SetResult::Done:
      return ERROR_SUCCESS;
    case file::SetResult::NoKey:
      return ERROR_KEY_DELETED;
    case file::SetResult::CannotWrite:
      break;
  }
  return ERROR_INVALID_PARAMETER;
}

std::optional<std::pair<DWORD, std::vector<uint8_t>>> ValueIn(const file::Document& doc,
                                                              const std::string& path,
                                                              const std::string& name) {
  const file::Line* line = file::FindValue(doc, path, name);
  if (!line) return std::nullopt;
  return std::pair{line->type, line->data};
}

}  // namespace

LONG RegCreateKeyEx(HKEY key, const char* subKey, DWORD, const char*, DWORD, REGSAM samDesired,
                    const void*, HKEY* result, DWORD* disposition) {
  if (!result) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  Key base;
  std::string path;
  file::Document doc;
  if (const LONG r = ReadSubKey(key, subKey, base, path, doc); r != ERROR_SUCCESS) return r;
  DWORD outcome = REG_OPENED_EXISTING_KEY;
  if (!Exists(doc, path)) {
    const LONG r = store::Update(base.file, [&](file::Document& current) {
      if (Exists(current, path)) return ERROR_SUCCESS;
      file::AddKey(current, path);
      outcome = REG_CREATED_NEW_KEY;
      return ERROR_SUCCESS;
    });
    if (r != ERROR_SUCCESS) return r;
  }
  if (disposition) *disposition = outcome;
  *result = new Key{base.file, path, samDesired};
  return ERROR_SUCCESS;
}

LONG RegOpenKeyEx(HKEY key, const char* subKey, DWORD, REGSAM samDesired, HKEY* result) {
  if (!result) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  Key base;
  std::string path;
  file::Document doc;
  if (const LONG r = ReadSubKey(key, subKey, base, path, doc); r != ERROR_SUCCESS) return r;
  if (!Exists(doc, path)) return ERROR_FILE_NOT_FOUND;
  *result = new Key{base.file, path, samDesired};
  return ERROR_SUCCESS;
}

LONG RegQueryValueEx(HKEY key, const char* valueName, DWORD*, DWORD* type, BYTE* data,
                     DWORD* dataSize) {
  if (data && !dataSize) return ERROR_INVALID_PARAMETER;
  Key k;
  if (const LONG r = Resolve(key, k); r != ERROR_SUCCESS) return r;
  if (!(k.access & KEY_QUERY_VALUE)) return ERROR_ACCESS_DENIED;

  file::Document doc;
  if (const LONG r = store::Read(k.file, doc); r != ERROR_SUCCESS) return r;
  const std::string name = valueName ? valueName : "";
  if (k.transaction) {  // the file as it is, then what the transaction set
    k.transaction->seen.push_back({k.file, k.path, name, ValueIn(doc, k.path, name)});
    for (const auto& set : k.transaction->sets)
      if (set.file == k.file) SetIn(doc, set.path, set.name, set.type, set.data);
  }
  if (!Exists(doc, k.path)) return ERROR_KEY_DELETED;
  const file::Line* value = file::FindValue(doc, k.path, name);
  if (!value) return ERROR_FILE_NOT_FOUND;

  if (type) *type = value->type;
  const DWORD size = static_cast<DWORD>(value->data.size());
  if (!dataSize) return ERROR_SUCCESS;
  if (data && *dataSize < size) {
    *dataSize = size;
    return ERROR_MORE_DATA;
  }
  if (data && size) std::memcpy(data, value->data.data(), size);
  *dataSize = size;
  return ERROR_SUCCESS;
}

LONG RegSetValueEx(HKEY key, const char* valueName, DWORD, DWORD type, const BYTE* data,
                   DWORD dataSize) {
  if (!data && dataSize) return ERROR_INVALID_PARAMETER;
  Key k;
  if (const LONG r = Resolve(key, k); r != ERROR_SUCCESS) return r;
  if (!(k.access & KEY_SET_VALUE)) return ERROR_ACCESS_DENIED;

  const std::string name = valueName ? valueName : "";
  const std::span<const uint8_t> bytes(data, dataSize);
  if (k.transaction) {
    if (!k.transaction->active) return ERROR_TRANSACTION_NOT_ACTIVE;
    if (file::FormatValue(name, type, bytes, "\n").empty()) return ERROR_INVALID_PARAMETER;
    k.transaction->sets.push_back({k.file, k.path, name, type, {bytes.begin(), bytes.end()}});
    return ERROR_SUCCESS;
  }
  return store::Update(k.file,
                       [&](file::Document& doc) { return SetIn(doc, k.path, name, type, bytes); });
}

LONG RegCloseKey(HKEY key) {
  if (HiveName(key)) return ERROR_SUCCESS;
  if (!key) return ERROR_INVALID_HANDLE;
  delete key;
  return ERROR_SUCCESS;
}

HANDLE CreateTransaction() { return new Transaction; }

LONG CommitTransaction(HANDLE transaction) {
  if (!transaction || !transaction->state->active) return ERROR_TRANSACTION_NOT_ACTIVE;
  TransactionState& t = *transaction->state;
  t.active = false;
  std::vector<std::string> files;
  for (const auto& set : t.sets)
    if (std::find(files.begin(), files.end(), set.file) == files.end()) files.push_back(set.file);
  for (const std::string& hive : files) {
    const LONG r = store::Update(hive, [&](file::Document& doc) {
      for (const auto& seen : t.seen)
        if (seen.file == hive && ValueIn(doc, seen.path, seen.name) != seen.value)
          return ERROR_TRANSACTIONAL_CONFLICT;
      for (const auto& set : t.sets)
        if (set.file == hive)
          if (const LONG r = SetIn(doc, set.path, set.name, set.type, set.data); r != ERROR_SUCCESS)
            return r;
      return ERROR_SUCCESS;
    });
    if (r != ERROR_SUCCESS) return r;
  }
  return ERROR_SUCCESS;
}

bool CloseHandle(HANDLE transaction) {
  if (!transaction) return false;
  transaction->state->active = false;
  delete transaction;
  return true;
}

LONG RegOpenKeyTransacted(HKEY key, const char* subKey, DWORD options, REGSAM samDesired,
                          HKEY* result, HANDLE transaction, void*) {
  if (!transaction || !transaction->state->active) {
    if (result) *result = nullptr;
    return ERROR_TRANSACTION_NOT_ACTIVE;
  }
  const LONG r = RegOpenKeyEx(key, subKey, options, samDesired, result);
  if (r == ERROR_SUCCESS) (*result)->transaction = transaction->state;
  return r;
}

namespace testing {
void FailNextReplaceBeforeRename() { store::FailReplaceBeforeRename(0); }
void FailReplaceBeforeRename(int after) { store::FailReplaceBeforeRename(after); }
}  // namespace testing

}  // namespace reg
