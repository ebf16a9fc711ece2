#include "persist/reg_values.h"

#include <cstring>
#include <vector>

bool OpenGameKey(reg::HKEY root, reg::REGSAM access, reg::HKEY& key) {
  return reg::RegOpenKeyEx(root, GameKey, 0, access, &key) == reg::ERROR_SUCCESS;
}

bool CreateGameKey(reg::HKEY root, reg::HKEY& key) {
  return reg::RegCreateKeyEx(root, GameKey, 0, nullptr, 0, reg::KEY_ALL_ACCESS, nullptr, &key,
                             nullptr) == reg::ERROR_SUCCESS;
}

bool QueryDword(reg::HKEY key, const char* name, uint32_t& value) {
  reg::DWORD type = 0;
  reg::BYTE bytes[4] = {};
  reg::DWORD size = sizeof bytes;
  if (reg::RegQueryValueEx(key, name, nullptr, &type, bytes, &size) != reg::ERROR_SUCCESS ||
      type != reg::REG_DWORD || size != sizeof bytes)
    return false;
  value = bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<uint32_t>(bytes[3]) << 24;
  return true;
}

bool SetDword(reg::HKEY key, const char* name, uint32_t value) {
  const reg::BYTE bytes[4] = {static_cast<reg::BYTE>(value), static_cast<reg::BYTE>(value >> 8),
                              static_cast<reg::BYTE>(value >> 16),
                              static_cast<reg::BYTE>(value >> 24)};
  return reg::RegSetValueEx(key, name, 0, reg::REG_DWORD, bytes, sizeof bytes) ==
         reg::ERROR_SUCCESS;
}

bool QueryShortString(reg::HKEY key, const char* name, size_t limit, std::string& text) {
  std::vector<char> buffer(limit, '\0');
  reg::DWORD type = 0;
  auto size = static_cast<reg::DWORD>(limit - 1);
  if (reg::RegQueryValueEx(key, name, nullptr, &type, reinterpret_cast<reg::BYTE*>(buffer.data()),
                           &size) != reg::ERROR_SUCCESS ||
      type != reg::REG_SZ)
    return false;
  text.assign(buffer.data(), strnlen(buffer.data(), size));
  return true;
}
