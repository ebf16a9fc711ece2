#include "support/temp_dir.h"

#include <stdlib.h>
#include <unistd.h>

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "nauvrel-XXXXXX").string();
  if (mkdtemp(pattern.data())) path = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  if (!path.empty()) std::filesystem::remove_all(path, ignored);
}

IsolatedUserData::IsolatedUserData() { setenv("XDG_DATA_HOME", dir.path.c_str(), 1); }

InTempDir::InTempDir() : previous(std::filesystem::current_path()) {
  std::filesystem::current_path(dir.path);
}

InTempDir::~InTempDir() {
  std::error_code ignored;
  std::filesystem::current_path(previous, ignored);
}
