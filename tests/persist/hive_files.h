#pragma once
// The hive files of a test's own data folder.
#include <filesystem>

#include "support/files.h"
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
