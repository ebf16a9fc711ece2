#pragma once
// A fresh folder under the system's temporary folder, removed with its contents.
#include <filesystem>
#include <string>

struct TempDir {
  std::filesystem::path path;
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
};

// Points the registry files at a fresh folder for the lifetime of the object.
struct IsolatedUserData {
  TempDir dir;
  IsolatedUserData();
};
