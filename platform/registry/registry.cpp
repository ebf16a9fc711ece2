// Keys and values over the hive files: an open key is its hive file and its path; every
// call goes back to the file, so two running games see each other's writes.
#include "platform/registry/registry.h"

#include <cstring>
#include <string>

#include "platform/registry/file.h"
#include "platform/registry/store.h"

namespace reg {

struct Key {
  std::string file;  // the hive file
  std::string path;  // "HKEY_CURRENT_USER\Software\..."
  REGSAM access = 0;
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
  if (!Exists(doc, k.path)) return ERROR_KEY_DELETED;
  const file::Line* value = file::FindValue(doc, k.path, valueName ? valueName : "");
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
  return store::Update(k.file, [&](file::Document& doc) {
    if (!Exists(doc, k.path)) return ERROR_KEY_DELETED;
    file::SetResult set = file::SetValue(doc, k.path, name, type, bytes);
    if (set == file::SetResult::NoKey) {  // a key known only from the keys below it
      file::AddKey(doc, k.path);
      set = file::SetValue(doc, k.path, name, type, bytes);
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
  });
}

LONG RegCloseKey(HKEY key) {
  if (HiveName(key)) return ERROR_SUCCESS;
  if (!key) return ERROR_INVALID_HANDLE;
  delete key;
  return ERROR_SUCCESS;
}

namespace testing {
void FailNextReplaceBeforeRename() { store::FailNextReplaceBeforeRename(); }
}  // namespace testing

}  // namespace reg
