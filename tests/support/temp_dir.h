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

// A fresh folder as the current one for the lifetime of the object: where the game looks
// for its archive.
struct InTempDir {
  TempDir dir;
  std::filesystem::path previous;
  InTempDir();
  ~InTempDir();
  InTempDir(const InTempDir&) = delete;
  InTempDir& operator=(const InTempDir&) = delete;
};
