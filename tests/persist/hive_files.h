#pragma once
// The hive files of a test's own data folder, read and written as plain text.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "support/temp_dir.h"

inline std::filesystem::path HiveFolder(const IsolatedUserData& data) {
  return data.dir.path / "HalvoTeam" / "Nauvrel";
}

inline std::filesystem::path UserHive(const IsolatedUserData& data) {
  return HiveFolder(data) / "HKEY_CURRENT_USER.reg";
}

inline std::filesystem::path MachineHive(const IsolatedUserData& data) {
  return HiveFolder(data) / "HKEY_LOCAL_MACHINE.reg";
}

inline std::string ReadText(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

inline void WriteText(const std::filesystem::path& file, const std::string& text) {
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << text;
}
