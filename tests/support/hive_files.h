#pragma once
// The hive files of a test's own data folder.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/registry/registry.h"
#include "support/files.h"
#include "support/temp_dir.h"

inline std::filesystem::path UserHive(const IsolatedUserData& data) {
  return data.dir.path / "HalvoTeam/Nauvrel/HKEY_CURRENT_USER.reg";
}

inline std::filesystem::path MachineHive(const IsolatedUserData& data) {
  return data.dir.path / "HalvoTeam/Nauvrel/HKEY_LOCAL_MACHINE.reg";
}

constexpr const char* GameKey = "Software\\HalvoTeam\\Nauvrel";

inline reg::HKEY CreateGameKey(reg::HKEY hive, reg::DWORD* disposition = nullptr) {
  reg::HKEY key = nullptr;
  EXPECT_EQ(reg::RegCreateKeyEx(hive, GameKey, 0, nullptr, 0, reg::KEY_ALL_ACCESS, nullptr, &key,
                                disposition),
            reg::ERROR_SUCCESS);
  return key;
}
